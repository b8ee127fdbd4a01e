#include "platform/pty_unit_server.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/errors.h"

namespace lumo::platform {

namespace {

constexpr int kIdlePollMilliseconds = 10;  // how often an absent host is looked for

device::SimulatedUnitOptions ptyOptions(device::SimulatedUnitOptions options) {
    options.repeatReady = true;
    return options;
}

}  // namespace

PtyUnitServer::PtyUnitServer(const device::SimulatedUnitOptions& options) : unit_(ptyOptions(options)) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        const std::string reason = std::strerror(errno);
        if (master_ >= 0) ::close(master_);
        throw EInOutError("Cannot create a pseudo terminal: " + reason);
    }
    char name[128];
    if (::ptsname_r(master_, name, sizeof name) != 0) {
        ::close(master_);
        throw EInOutError("Cannot name the pseudo terminal");
    }
    slavePath_ = name;
    // Raw bytes on the slave from the start, so nothing the unit sends before
    // the host configures the port is echoed or translated. Closing it again
    // leaves the master reading EIO until a host opens the slave.
    const int slave = ::open(name, O_RDWR | O_NOCTTY);
    if (slave >= 0) {
        termios settings{};
        if (::tcgetattr(slave, &settings) == 0) {
            ::cfmakeraw(&settings);
            ::tcsetattr(slave, TCSANOW, &settings);
        }
        ::close(slave);
    }
    start_ = now();
}

PtyUnitServer::~PtyUnitServer() {
    if (master_ >= 0) ::close(master_);
}

std::int64_t PtyUnitServer::now() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count() - start_;
}

bool PtyUnitServer::readHost(std::int64_t time) {
    std::uint8_t buffer[512];
    const ssize_t count = ::read(master_, buffer, sizeof buffer);
    if (count < 0 && errno == EIO) {
        if (hostPresent_) {
            hostPresent_ = false;
            unit_.hostClosed();
        }
        return false;
    }
    if (!hostPresent_) {
        hostPresent_ = true;
        unit_.hostOpened(time);
    }
    for (ssize_t i = 0; i < count; ++i) unit_.receive(buffer[i], time);
    return true;
}

void PtyUnitServer::writeDue(std::int64_t time) {
    std::vector<std::uint8_t> out;
    unit_.takeDue(time, out);
    if (!hostPresent_ || out.empty()) return;
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t written = ::write(master_, out.data() + done, out.size() - done);
        if (written < 0) {
            if (errno == EINTR) continue;
            break;  // a host that does not read loses bytes, as on a real line
        }
        done += static_cast<std::size_t>(written);
    }
}

void PtyUnitServer::serve(std::int64_t milliseconds, const std::function<bool()>& stop, int wakeFd) {
    const std::int64_t end = milliseconds < 0 ? device::SimulatedUnit::kNever : now() + milliseconds;
    for (;;) {
        const std::int64_t time = now();
        if (time >= end || (stop && stop())) return;
        const bool present = readHost(time);
        writeDue(time);
        const std::int64_t next = std::min(unit_.nextEventTime(), end);
        int timeout = static_cast<int>(std::clamp<std::int64_t>(next - now(), 0, kIdlePollMilliseconds));
        pollfd fds[2] = {{master_, POLLIN, 0}, {wakeFd, POLLIN, 0}};
        const nfds_t count = wakeFd >= 0 ? 2 : 1;
        if (!present) {
            // Without a host the master reports a hang-up at once: only wait.
            fds[0].fd = -1;
        }
        if (::poll(fds, count, timeout) > 0 && wakeFd >= 0 && (fds[1].revents & POLLIN) != 0) return;
    }
}

}  // namespace lumo::platform
