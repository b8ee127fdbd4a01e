#include "session_setup.h"

#include <signal.h>
#include <sys/signalfd.h>

#include <QFile>
#include <cstdint>

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
    QFile file(QStringLiteral(":/data/lumo7w.ini"));
    if (!file.open(QIODevice::ReadOnly)) return timeouts;
    const QByteArray bytes = file.readAll();
    core::SettingsList settings;
    settings.loadFromLines(core::splitTextLines(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
    timeouts.device = settings.integerOr("DeviceTimeout", timeouts.device);
    timeouts.data = settings.integerOr("DataTimeout", timeouts.data);
    return timeouts;
}

}  // namespace

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
