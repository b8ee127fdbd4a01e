#include "review/scroll_res_values.h"

#include <algorithm>
#include <cmath>

#include "formats/mark_word.h"

namespace lumo::review {

DrawnValues::DrawnValues(const formats::TLumoChart_7_1& chart, std::size_t count)
    : chart_(&chart),
      channels_(std::clamp(chart.channelCount, 0, kReviewChannels)),
      count_(std::min<std::size_t>(count, chart.count)) {
    for (int c = 0; c < channels_; ++c) {
        const auto i = static_cast<std::size_t>(c);
        minima_[i] = i < chart.minima.size() ? chart.minima[i] : 0;
        maxima_[i] = i < chart.maxima.size() ? chart.maxima[i] : 1;
    }
    if (channels_ <= kDifferenceChannel) return;
    difference_.assign(count_, 0.0f);
    float low = 0;
    float high = 0;
    for (std::size_t p = 2; p + 2 < count_; ++p) {
        const float d = chart.value(kDifferenceChannel, p + 2) + chart.value(kDifferenceChannel, p + 1) -
                        chart.value(kDifferenceChannel, p - 1) - chart.value(kDifferenceChannel, p - 2);
        difference_[p] = d;
        low = std::min(low, d);
        high = std::max(high, d);
    }
    minima_[kDifferenceChannel] = low;
    maxima_[kDifferenceChannel] = high;
}

int DrawnValues::readout(int channel, std::size_t point) const {
    const double low = minimum(channel);
    const double high = maximum(channel);
    if (high == low || point >= count_) return 0;
    double v = value(channel, point);
    if (channel == kSkinChannel) v = low + high - v;
    const double q = (v - low) / (high - low) * 1000;
    return static_cast<int>(std::nearbyint(q / 10));
}

}  // namespace lumo::review
