#pragma once

#include <cstdint>
#include <string>

namespace lumo::core {
class SettingsList;
}

namespace lumo::device {

// Where the unit hangs: a device path, or the built-in simulated unit.
struct UnitPortChoice {
    bool simulated = false;
    std::string device;
    std::int32_t baudRate = 19200;
};

// `UnitDevice` (a path, or "SIM" in any letter case for the simulated unit),
// else /dev/ttyS<UnitComPort - 1>; `UnitBaudRate`, 19200 when it is not a
// number. A `UnitComPort` that is needed and not a number raises EConvertError.
UnitPortChoice unitPortFromSettings(const core::SettingsList& settings);

}  // namespace lumo::device
