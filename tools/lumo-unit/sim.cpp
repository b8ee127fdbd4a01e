#include <unistd.h>

#include <cstdio>

#include "modes.h"
#include "platform/pty_unit_server.h"
#include "session_setup.h"

namespace lumo::tools {

int runSim(const UnitOptions& options) {
    const device::SimulatedUnitOptions unit = simulatedUnitOptions(options);
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
