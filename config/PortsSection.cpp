#include "config/PortsSection.h"

#include <utility>

#include "config/IniStore.h"

namespace torvan {

std::function<std::string(const std::string&)> PortsSection(
    std::optional<std::filesystem::path> iniPath) {
    return [iniPath = std::move(iniPath)](const std::string& portName) {
        return (iniPath ? IniStore(*iniPath) : IniStore()).ReadString("Ports", portName);
    };
}

}  // namespace torvan
