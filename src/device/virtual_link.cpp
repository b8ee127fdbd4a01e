#include "device/virtual_link.h"

#include <algorithm>

#include "device/device_errors.h"

namespace lumo::device {

std::uint8_t VirtualLink::getByte() {
    if (received_.empty()) return 0;
    const std::uint8_t byte = received_.front();
    received_.pop_front();
    ++taken_;
    return byte;
}

std::uint16_t VirtualLink::addTimerTrigger() {
    if (triggers_.size() >= 0xFFFF) throw ELumoDeviceException("No timer trigger left");
    while (nextHandle_ == 0 || triggers_.count(nextHandle_) != 0) ++nextHandle_;
    const std::uint16_t handle = nextHandle_++;
    triggers_[handle] = Trigger{};
    return handle;
}

void VirtualLink::setTimerTrigger(std::uint16_t handle, int ticks, bool active) {
    const auto found = triggers_.find(handle);
    if (found == triggers_.end()) return;
    Trigger& trigger = found->second;
    // A count of 0 keeps the previous one; a trigger never expires in no time.
    if (ticks > 0) trigger.ticks = ticks;
    trigger.active = active;
    if (active) trigger.deadline = now_ + std::int64_t(trigger.ticks) * kTickMilliseconds;
}

void VirtualLink::removeTimerTrigger(std::uint16_t handle) {
    triggers_.erase(handle);
}

void VirtualLink::doClose() {
    open_ = false;
    received_.clear();
}

std::int64_t VirtualLink::nextDeadline() const {
    std::int64_t next = kNever;
    for (const auto& [handle, trigger] : triggers_) {
        if (trigger.active) next = std::min(next, trigger.deadline);
    }
    return next;
}

void VirtualLink::deliver() {
    arrivals_.clear();
    collectArrivals(now_, arrivals_);
    if (!arrivals_.empty()) {
        logReceived(arrivals_.data(), arrivals_.size());
        // A closed port hears nothing.
        if (open_) received_.insert(received_.end(), arrivals_.begin(), arrivals_.end());
    }
    if (!announcing_) {
        announcing_ = true;
        try {
            while (!received_.empty() && onBytesAvailable) {
                const std::uint64_t before = taken_;
                onBytesAvailable(*this, static_cast<int>(received_.size()));
                if (taken_ == before) break;  // nobody is reading now
            }
        } catch (...) {
            announcing_ = false;
            throw;
        }
        announcing_ = false;
    }
    // Expiries in deadline order; a handler may arm or remove triggers.
    for (;;) {
        std::uint16_t due = 0;
        std::int64_t earliest = kNever;
        for (const auto& [handle, trigger] : triggers_) {
            if (trigger.active && trigger.deadline <= now_ && trigger.deadline < earliest) {
                earliest = trigger.deadline;
                due = handle;
            }
        }
        if (due == 0) break;
        triggers_[due].active = false;
        if (onTimerExpired) onTimerExpired(*this, due);
    }
}

void VirtualLink::advanceTo(std::int64_t time) {
    deliver();
    for (;;) {
        std::int64_t next = std::min(nextArrival(), nextDeadline());
        if (next <= now_) {
            // Something became due while the last delivery ran.
            if (now_ >= time) break;
            next = now_ + 1;
        }
        if (next > time) break;
        now_ = next;
        deliver();
    }
    if (time > now_) {
        now_ = time;
        deliver();
    }
}

}  // namespace lumo::device
