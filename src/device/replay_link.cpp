#include "device/replay_link.h"

namespace lumo::device {

ReplayLink::ReplayLink(std::vector<TrafficEvent> capture) {
    bool opened = false;
    for (TrafficEvent& event : capture) {
        endTime_ = std::max(endTime_, event.milliseconds);
        if (event.kind == TrafficKind::Open && !opened) {
            openTime_ = event.milliseconds;
            opened = true;
        }
        if (event.kind == TrafficKind::Received) received_.push_back(std::move(event));
    }
}

std::int64_t ReplayLink::nextArrival() const {
    return next_ < received_.size() ? received_[next_].milliseconds : kNever;
}

void ReplayLink::collectArrivals(std::int64_t now, std::vector<std::uint8_t>& out) {
    while (next_ < received_.size() && received_[next_].milliseconds <= now) {
        out.insert(out.end(), received_[next_].bytes.begin(), received_[next_].bytes.end());
        ++next_;
    }
}

}  // namespace lumo::device
