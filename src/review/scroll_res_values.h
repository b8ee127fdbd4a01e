#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "formats/chart.h"
#include "review/scroll_res_channels.h"

namespace lumo::review {

// The values the review draws and reads out: the chart's own, except channel
// 3, shown as the smoothed difference v(p+2) + v(p+1) - v(p-1) - v(p-2)
// (0 at the two first and two last points).
class DrawnValues {
public:
    DrawnValues() = default;
    // The chart must outlive the values; `count` is at most its point count.
    DrawnValues(const formats::TLumoChart_7_1& chart, std::size_t count);

    int channels() const { return channels_; }
    std::size_t count() const { return count_; }
    float value(int channel, std::size_t point) const {
        return channel == kDifferenceChannel ? difference_[point] : chart_->value(channel, point);
    }
    // The readout's range: the chart's minimum and maximum of the channel;
    // for channel 3 the smallest and largest difference over points
    // 2 ... count - 3, both starting from 0.
    float minimum(int channel) const { return minima_[static_cast<std::size_t>(channel)]; }
    float maximum(int channel) const { return maxima_[static_cast<std::size_t>(channel)]; }

    // The readout at a point: q / 10 to the nearest integer with q = (v - min)
    // / (max - min) x 1000, 0 when min equals max; channel 5 reads min + max - v.
    int readout(int channel, std::size_t point) const;

private:
    const formats::TLumoChart_7_1* chart_ = nullptr;
    int channels_ = 0;
    std::size_t count_ = 0;
    std::vector<float> difference_;
    std::array<float, kReviewChannels> minima_{};
    std::array<float, kReviewChannels> maxima_{};
};

}  // namespace lumo::review
