#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/colors.h"

namespace lumo::core {
class Settings;
}
namespace lumo::formats {
class TLumoChart_7_1;
}

namespace lumo::review {

inline constexpr int kParChannels = 8;

// The settings the parameter scroll view reads once per opening.
struct ParChannelSettings {
    std::array<core::Rgb, kParChannels> colours{};  // ChColor c
    std::array<int, kParChannels> channelSlots{};   // ChSeq c: 0 is the top band
    std::array<bool, kParChannels> shown{};         // ChVisible c is "1"
    std::array<int, kParChannels> weights{};        // ScrlParW c, 1 when absent or not a number
    core::Rgb background;                           // ChBackColor
    std::array<std::string, 4> artefactNames;       // Art5 ... Art8 of the language
};
// An unknown colour name raises EConvertError.
ParChannelSettings readParChannelSettings(const core::Settings& settings);

// Where a channel's values go: y = base - round(v / scale).
struct ParBand {
    double scale = 0;       // value units per pixel; 0: the band has no room and draws nothing
    std::int64_t base = 0;  // the y of the value 0
    int y(double value) const;
};

// The bands of the first `channels` channels stacked from the top by slot,
// each as tall as its share of the weights in `height` - 2 pixels, every
// channel stretched from its minimum (lower edge) to its maximum (upper
// edge). Returns the channel whose weight is not above 0, or -1 when the
// weights are sound (the bands are then filled in).
int parBands(const ParChannelSettings& settings, int channels, int height, const formats::TLumoChart_7_1& chart,
             std::array<ParBand, kParChannels>& bands);

// The values a channel is drawn with: channel 3 as the smoothed difference
// v(p+2) + v(p+1) - v(p-1) - v(p-2) placed in its band (0 in the middle,
// +-200 on the edges; 0 where the points around are missing), channel 5
// mirrored (min + max - v), the others as recorded.
class ParValues {
public:
    explicit ParValues(const formats::TLumoChart_7_1& chart);
    double operator()(int channel, std::size_t point) const;

private:
    double difference(std::size_t point) const;

    const formats::TLumoChart_7_1& chart_;
    std::size_t count_;
};

}  // namespace lumo::review
