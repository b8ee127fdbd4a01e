#include "review/scroll_res_scale.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace lumo::review {

ChartScale::ChartScale(const formats::ScreenSettings* settings, int channels, std::size_t count) {
    channels = std::clamp(channels, 0, kReviewChannels);
    const PointScale before = settings != nullptr ? PointScale{} : PointScale{0, 1, 0.0f};
    points_.assign(static_cast<std::size_t>(channels), std::vector<PointScale>(count, before));
    if (settings == nullptr) return;
    bandHeights_ = settings->bandHeights;
    for (int c = 0; c < channels; ++c) {
        const std::vector<formats::ScreenEvent> events = settings->channelEvents(c);
        std::vector<PointScale>& points = points_[static_cast<std::size_t>(c)];
        // Each event fills the points from its time to the next event's.
        for (std::size_t e = 0; e < events.size(); ++e) {
            const std::int64_t from = std::max<std::int64_t>(events[e].time, 0);
            const std::int64_t to = e + 1 < events.size() ? std::max<std::int64_t>(events[e + 1].time, 0)
                                                          : static_cast<std::int64_t>(count);
            // A damaged file's offset that is no number would spoil every y after it.
            const float offset = std::isfinite(events[e].offset) ? events[e].offset : 0.0f;
            const PointScale scale{events[e].centre, events[e].gain, offset};
            for (std::int64_t p = from; p < std::min<std::int64_t>(to, static_cast<std::int64_t>(count)); ++p) {
                points[static_cast<std::size_t>(p)] = scale;
            }
        }
    }
}

namespace {

std::optional<ChangeKind> changeBetween(const PointScale& before, const PointScale& now) {
    if (now.centre != before.centre) return now.centre > before.centre ? ChangeKind::MovedDown : ChangeKind::MovedUp;
    if (now.offset != before.offset) return now.offset > before.offset ? ChangeKind::MovedDown : ChangeKind::MovedUp;
    if (now.gain != before.gain) return now.gain > before.gain ? ChangeKind::GainRaised : ChangeKind::GainLowered;
    return std::nullopt;
}

}  // namespace

std::vector<ChangeEvent> changeEvents(const ChartScale& scale, std::size_t count) {
    std::vector<ChangeEvent> events;
    for (std::size_t p = 1; p < count; ++p) {
        for (int c = 0; c < scale.channels(); ++c) {
            if (const std::optional<ChangeKind> kind = changeBetween(scale.at(c, p - 1), scale.at(c, p))) {
                events.push_back({p, c, *kind});
            }
        }
    }
    return events;
}

}  // namespace lumo::review
