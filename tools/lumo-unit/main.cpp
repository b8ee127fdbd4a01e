// lumo-unit: the technician's tool for the sensor unit. "sim" serves the
// simulated unit on a pty, "probe" runs the driver against a port and prints
// what it decodes, "replay" runs a serial traffic capture through the driver,
// "state" measures the examinee's state as the State command does.
#include <QCoreApplication>
#include <cstdio>
#include <stdexcept>

#include "modes.h"

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
        if (options.mode == "state") return lumo::tools::runState(options);
        return lumo::tools::runReplay(options);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "lumo-unit: %s\n", error.what());
        return 2;
    }
}
