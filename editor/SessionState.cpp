#include "editor/SessionState.h"

namespace torvan {

void SessionState::SetPortName(const QString& name) {
    if (name != portName_) {
        portName_ = name;
        emit PortNameChanged(portName_);
    }
}

void SessionState::SetLimits(const FrequencyLimits& limits) {
    if (!(limits == limits_)) {
        limits_ = limits;
        emit LimitsChanged(limits_);
    }
}

}  // namespace torvan
