#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "formats/screen_settings.h"
#include "review/scroll_res_channels.h"

namespace lumo::review {

// A channel's display scale at one point, as the examiner had set it while
// recording: centre line (per mille of the chart area), display gain byte
// (gain x 11) and centring offset (half bands).
struct PointScale {
    std::int32_t centre = 0;
    std::uint8_t gain = 1;
    float offset = 1.0f;
    bool operator==(const PointScale&) const = default;
};

// How a channel's display changed from the point before: a gain raised (0)
// or lowered (1), the trace moved up (2: centre line or centring offset
// smaller) or down (3: larger).
enum class ChangeKind { GainRaised = 0, GainLowered = 1, MovedUp = 2, MovedDown = 3 };

struct ChangeEvent {
    std::size_t point = 0;
    int channel = 0;
    ChangeKind kind = ChangeKind::GainRaised;
    bool operator==(const ChangeEvent&) const = default;
};

// The scale of every point of every channel, from the chart's screen-settings
// file: each event holds from its time until the channel's next one.
class ChartScale {
public:
    ChartScale() = default;
    // Without a file every point has centre 0, gain 1 and offset 0, and every
    // band height is 0; with one, points before a channel's first event have
    // centre 0, gain 1 and offset 1.
    ChartScale(const formats::ScreenSettings* settings, int channels, std::size_t count);

    const PointScale& at(int channel, std::size_t point) const {
        return points_[static_cast<std::size_t>(channel)][point];
    }
    // Band height, per mille of the chart area.
    std::int32_t bandHeight(int channel) const { return bandHeights_[static_cast<std::size_t>(channel)]; }
    int channels() const { return static_cast<int>(points_.size()); }

private:
    std::vector<std::vector<PointScale>> points_;
    std::array<std::int32_t, kReviewChannels> bandHeights_{};
};

// Every change of a channel's display from point p - 1 to p (p >= 1), in
// point order, channels in order at one point: the centre line decides
// first, then the centring offset, then the gain.
std::vector<ChangeEvent> changeEvents(const ChartScale& scale, std::size_t count);

}  // namespace lumo::review
