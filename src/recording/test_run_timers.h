#pragma once

#include <array>
#include <cstdint>
#include <functional>

namespace lumo::device {
class VirtualLink;
}

namespace lumo::recording {

// The two timers of a test: the 55 ms progress timer and the 1 s clock.
enum class TestTimer { Progress = 0, Clock = 1 };

// Timers as the window's event loop provides them (QTimer), or a virtual
// clock in tests and the demo. Expiries call `onExpired`, which the test run
// sets; they come on the thread that drives the run.
class TestTimers {
public:
    virtual ~TestTimers() = default;
    // Milliseconds of wall time; never goes back.
    virtual std::int64_t milliseconds() const = 0;
    // Starts (or restarts) a repeating timer.
    virtual void start(TestTimer timer, int intervalMilliseconds) = 0;
    virtual void stop(TestTimer timer) = 0;
    virtual bool active(TestTimer timer) const = 0;

    std::function<void(TestTimer timer)> onExpired;
};

// Timers on a virtual link's clock: the link's bytes and trigger expiries and
// these timers are delivered in time order as the clock is moved on.
class VirtualTestTimers final : public TestTimers {
public:
    explicit VirtualTestTimers(device::VirtualLink& link) : link_(link) {}

    std::int64_t milliseconds() const override;
    void start(TestTimer timer, int intervalMilliseconds) override;
    void stop(TestTimer timer) override;
    bool active(TestTimer timer) const override;

    // Moves the clock to `time`, delivering everything due on the way.
    void advanceTo(std::int64_t time);
    void run(std::int64_t milliseconds) { advanceTo(this->milliseconds() + milliseconds); }
    // Runs until `done` holds (checked after every delivery) or `limit` ms have passed; true when it held.
    bool runUntil(const std::function<bool()>& done, std::int64_t limit);

private:
    struct Slot {
        bool active = false;
        int interval = 0;
        std::int64_t deadline = 0;
    };
    std::int64_t nextDeadline() const;

    device::VirtualLink& link_;
    std::array<Slot, 2> slots_{};
};

}  // namespace lumo::recording
