// lumo-unit: the technician's tool for the sensor unit. "sim" serves the
// simulated unit on a pty, "probe" runs the driver against a port and prints
// what it decodes, "replay" runs a serial traffic capture through the driver.
#include <QCoreApplication>
#include <QFile>
#include <cstdio>
#include <stdexcept>

#include "core/settings_list.h"
#include "core/text_file.h"
#include "modes.h"

namespace lumo::tools {

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

}  // namespace lumo::tools

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    lumo::tools::UnitOptions options;
    try {
        if (!arguments.empty() && (arguments[0] == "--help" || arguments[0] == "-h")) {
            std::fputs(lumo::tools::usage(), stdout);
            return 0;
        }
        options = lumo::tools::parseOptions(arguments);
    } catch (const std::invalid_argument& error) {
        std::fprintf(stderr, "lumo-unit: %s\n%s", error.what(), lumo::tools::usage());
        return 1;
    }
    try {
        if (options.mode == "sim") return lumo::tools::runSim(options);
        QCoreApplication app(argc, argv);
        if (options.mode == "probe") return lumo::tools::runProbe(options);
        return lumo::tools::runReplay(options);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "lumo-unit: %s\n", error.what());
        return 2;
    }
}
