#pragma once

#include <vector>

#include "device/traffic_log.h"
#include "device/virtual_link.h"

namespace lumo::device {

// Plays a serial traffic capture back: the bytes the unit sent arrive at their
// recorded times on a virtual clock that starts where the capture starts; what
// the driver sends goes nowhere. A field problem can so be run again without
// the unit.
class ReplayLink : public VirtualLink {
public:
    explicit ReplayLink(std::vector<TrafficEvent> capture);

    // When the capture opened the port (0 when it began later) and its last event.
    std::int64_t openTime() const { return openTime_; }
    std::int64_t endTime() const { return endTime_; }
    // Bytes the driver sent during the replay.
    const std::vector<std::uint8_t>& sent() const { return sent_; }

protected:
    std::int64_t nextArrival() const override;
    void collectArrivals(std::int64_t now, std::vector<std::uint8_t>& out) override;
    void doSetDtr(bool) override {}
    void doPutByte(std::uint8_t byte) override { sent_.push_back(byte); }

private:
    std::vector<TrafficEvent> received_;
    std::size_t next_ = 0;
    std::int64_t openTime_ = 0;
    std::int64_t endTime_ = 0;
    std::vector<std::uint8_t> sent_;
};

}  // namespace lumo::device
