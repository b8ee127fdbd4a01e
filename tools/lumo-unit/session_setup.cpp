#include "session_setup.h"

#include <signal.h>
#include <sys/signalfd.h>

#include <QFile>
#include <cstdint>
#include <string>

#include "core/settings_list.h"
#include "core/text_file.h"
#include "device/lumo_device.h"

namespace lumo::tools {

namespace {

struct Timeouts {
    int device = 18;
    int data = 18;
};

Timeouts installedTimeouts() {
    Timeouts timeouts;
    const core::SettingsList settings = installedSettings();
    timeouts.device = settings.integerOr("DeviceTimeout", timeouts.device);
    timeouts.data = settings.integerOr("DataTimeout", timeouts.data);
    return timeouts;
}

}  // namespace

core::SettingsList installedSettings() {
    core::SettingsList settings;
    QFile file(QStringLiteral(":/data/lumo7w.ini"));
    if (!file.open(QIODevice::ReadOnly)) return settings;
    const QByteArray bytes = file.readAll();
    settings.loadFromLines(core::splitTextLines(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
    return settings;
}

device::SimulatedUnitOptions simulatedUnitOptions(const UnitOptions& options) {
    device::SimulatedUnitOptions unit;
    unit.seed = options.seed;
    unit.ignoresDtr = options.ignoreDtr;
    unit.scenario = options.scenario == "deceptive" ? device::Scenario::deceptive() : device::Scenario::truthful();
    if (!options.ident.empty()) {
        for (std::size_t i = 0; i < unit.ident.size(); ++i) {
            unit.ident[i] = static_cast<std::uint8_t>(std::stoi(options.ident.substr(2 * i, 2), nullptr, 16));
        }
    }
    return unit;
}

void attachDriver(device::TLumoDevice_7_2& driver, device::SerialLink& link, const UnitOptions& options) {
    const Timeouts defaults = installedTimeouts();
    driver.DeviceTimeout = static_cast<std::uint16_t>(options.deviceTimeout.value_or(defaults.device));
    driver.DataTimeout = static_cast<std::uint16_t>(options.dataTimeout.value_or(defaults.data));
    driver.AttachPort(&link);
}

int stopSignalDescriptor() {
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
    return signalfd(-1, &stopSignals, SFD_CLOEXEC);
}

}  // namespace lumo::tools
