#include "recording/test_run_timers.h"

#include <algorithm>

#include "device/virtual_link.h"

namespace lumo::recording {

std::int64_t VirtualTestTimers::milliseconds() const {
    return link_.milliseconds();
}

void VirtualTestTimers::start(TestTimer timer, int intervalMilliseconds) {
    Slot& slot = slots_[static_cast<std::size_t>(timer)];
    slot.active = true;
    slot.interval = std::max(1, intervalMilliseconds);
    slot.deadline = milliseconds() + slot.interval;
}

void VirtualTestTimers::stop(TestTimer timer) {
    slots_[static_cast<std::size_t>(timer)].active = false;
}

bool VirtualTestTimers::active(TestTimer timer) const {
    return slots_[static_cast<std::size_t>(timer)].active;
}

std::int64_t VirtualTestTimers::nextDeadline() const {
    std::int64_t next = device::VirtualLink::kNever;
    for (const Slot& slot : slots_) {
        if (slot.active) next = std::min(next, slot.deadline);
    }
    return next;
}

void VirtualTestTimers::advanceTo(std::int64_t time) {
    while (true) {
        const std::int64_t next = nextDeadline();
        if (next > time) break;
        // The link's own events up to the timer's moment come first.
        if (link_.milliseconds() < next) link_.advanceTo(next);
        for (std::size_t i = 0; i < slots_.size(); ++i) {
            Slot& slot = slots_[i];
            if (!slot.active || slot.deadline > link_.milliseconds()) continue;
            // A late timer (the driver's pauses moved the clock on) fires once, as an event loop does.
            slot.deadline = std::max(slot.deadline + slot.interval, link_.milliseconds() + 1);
            if (onExpired) onExpired(static_cast<TestTimer>(i));
        }
    }
    if (link_.milliseconds() < time) link_.advanceTo(time);
}

bool VirtualTestTimers::runUntil(const std::function<bool()>& done, std::int64_t limit) {
    const std::int64_t end = milliseconds() + limit;
    while (!done()) {
        if (milliseconds() >= end) return false;
        advanceTo(std::min(end, milliseconds() + 5));
    }
    return true;
}

}  // namespace lumo::recording
