#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "device/simulated_unit.h"

namespace lumo::platform {

// The simulated unit served on a pseudo terminal, in real time. The server
// keeps no slave descriptor open itself, so it can tell when a host opens the
// slave (reading the master stops failing); that counts as the unit's reset,
// since a pty has no DTR line. A host closing the slave silences the unit.
class PtyUnitServer {
public:
    // Raises EInOutError when no pty can be had.
    explicit PtyUnitServer(const device::SimulatedUnitOptions& options);
    ~PtyUnitServer();
    PtyUnitServer(const PtyUnitServer&) = delete;
    PtyUnitServer& operator=(const PtyUnitServer&) = delete;

    // The path a host opens ("/dev/pts/N").
    const std::string& slavePath() const { return slavePath_; }
    device::SimulatedUnit& unit() { return unit_; }

    // Serves for `milliseconds` (forever when negative), until `stop` says so,
    // or until `wakeFd` (if not -1) becomes readable.
    void serve(std::int64_t milliseconds, const std::function<bool()>& stop = {}, int wakeFd = -1);

private:
    std::int64_t now() const;
    bool readHost(std::int64_t now);
    void writeDue(std::int64_t now);

    int master_ = -1;
    std::string slavePath_;
    device::SimulatedUnit unit_;
    bool hostPresent_ = false;
    std::int64_t start_ = 0;
};

}  // namespace lumo::platform
