#pragma once

#include <QObject>
#include <QString>

#include "model/FrequencyLimits.h"

namespace torvan {

// What the parts of the window share for one run, held in one place: the
// selected port and the frequency limits of the picked model and range.
// Whoever shows or uses them reads them here when needed and connects to
// the change signals to follow them.
class SessionState : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    const QString& PortName() const { return portName_; }
    void SetPortName(const QString& name);
    const FrequencyLimits& Limits() const { return limits_; }
    void SetLimits(const FrequencyLimits& limits);

signals:
    void PortNameChanged(const QString& name);
    void LimitsChanged(const torvan::FrequencyLimits& limits);

private:
    QString portName_ = QStringLiteral("COM1");
    FrequencyLimits limits_;
};

}  // namespace torvan
