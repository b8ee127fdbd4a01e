#include "device/unit_port.h"

#include <algorithm>
#include <cctype>

#include "core/numbers.h"
#include "core/settings_list.h"

namespace lumo::device {

namespace {

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

}  // namespace

UnitPortChoice unitPortFromSettings(const core::SettingsList& settings) {
    UnitPortChoice choice;
    choice.baudRate = core::strToIntDef(core::trimmed(settings.value("UnitBaudRate")), 19200);
    const std::string device = core::trimmed(settings.value("UnitDevice"));
    if (upper(device) == "SIM") {
        choice.simulated = true;
    } else if (!device.empty()) {
        choice.device = device;
    } else {
        choice.device = "/dev/ttyS" + std::to_string(settings.integer("UnitComPort") - 1);
    }
    return choice;
}

}  // namespace lumo::device
