#pragma once

#include <cstdint>
#include <deque>
#include <limits>
#include <map>
#include <vector>

#include "device/serial_link.h"

namespace lumo::device {

// A link on a virtual clock: bytes arrive from a source (the simulated unit, a
// replayed capture) at their times, timer triggers expire by the same clock,
// and the clock moves only when told to (advanceTo) or when the driver pauses
// (pump moves it by a millisecond). Whole examinations run in a moment this way.
//
// Like a serial port, it does not start a second bytes-available notification
// while one is running; bytes arriving meanwhile are announced right after it.
class VirtualLink : public SerialLink {
public:
    static constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();

    bool isOpen() const override { return open_; }
    std::uint8_t getByte() override;
    int receivedCount() const override { return static_cast<int>(received_.size()); }
    std::uint16_t addTimerTrigger() override;
    void setTimerTrigger(std::uint16_t handle, int ticks, bool active) override;
    void removeTimerTrigger(std::uint16_t handle) override;
    void yield() override {}
    std::int64_t milliseconds() const override { return now_; }
    void pump() override { advanceTo(now_ + 1); }

    // Moves the clock to `time`, delivering every arrival and expiry on the way.
    void advanceTo(std::int64_t time);
    void run(std::int64_t milliseconds) { advanceTo(now_ + milliseconds); }

protected:
    // The source's next arrival time (kNever when none) and its bytes due by `now`.
    virtual std::int64_t nextArrival() const = 0;
    virtual void collectArrivals(std::int64_t now, std::vector<std::uint8_t>& out) = 0;

    void doOpen() override { open_ = true; }
    void doClose() override;
    void doSetRts(bool) override {}
    void doFlushInput() override { received_.clear(); }
    void doFlushOutput() override {}

    // Takes what is due now and announces it; fires expired triggers.
    void deliver();

    std::int64_t now_ = 0;

private:
    struct Trigger {
        int ticks = 1;
        bool active = false;
        std::int64_t deadline = 0;
    };

    std::int64_t nextDeadline() const;

    bool open_ = false;
    bool announcing_ = false;
    std::deque<std::uint8_t> received_;
    std::vector<std::uint8_t> arrivals_;
    std::map<std::uint16_t, Trigger> triggers_;
    std::uint16_t nextHandle_ = 1;
    std::uint64_t taken_ = 0;
};

}  // namespace lumo::device
