#include <unistd.h>

#include <cstdio>

#include "modes.h"
#include "platform/pty_unit_server.h"
#include "session_setup.h"

namespace lumo::tools {

int runSim(const UnitOptions& options) {
    device::SimulatedUnitOptions unit;
    unit.seed = options.seed;
    unit.ignoresDtr = options.ignoreDtr;
    unit.scenario = options.scenario == "deceptive" ? device::Scenario::deceptive() : device::Scenario::truthful();
    if (!options.ident.empty()) {
        for (std::size_t i = 0; i < unit.ident.size(); ++i) {
            unit.ident[i] = static_cast<std::uint8_t>(std::stoi(options.ident.substr(2 * i, 2), nullptr, 16));
        }
    }
    // Ctrl+C and a polite kill end the service through the poll loop.
    const int stopFd = stopSignalDescriptor();

    platform::PtyUnitServer server(unit);
    std::printf("PTY %s\n", server.slavePath().c_str());
    std::fflush(stdout);
    std::uint32_t packets = 0;
    server.unit().setPacketObserver([&packets](std::uint32_t, const auto&) { ++packets; });
    server.serve(options.seconds ? static_cast<std::int64_t>(*options.seconds * 1000) : -1, {}, stopFd);
    std::fprintf(stderr, "lumo-unit: %u packets sent, %llu commands applied, %llu handshakes\n", packets,
                 static_cast<unsigned long long>(server.unit().commandsApplied()),
                 static_cast<unsigned long long>(server.unit().handshakes()));
    if (stopFd >= 0) ::close(stopFd);
    return 0;
}

}  // namespace lumo::tools
