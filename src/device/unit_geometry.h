#pragma once

#include <cstdint>

namespace lumo::device {

// How the unit is set up at connection: its gain ranges, its channels and how
// many of them are sampled fast, the spacing of a packet's four sample slots,
// and whether the channel-count byte carries the high bit.
struct UnitGeometry {
    std::uint8_t rangeCount;
    std::uint8_t channelCount;
    bool highBitFlag;
    std::int32_t period;  // microseconds
    std::uint8_t fastCount;
};

// The one geometry the workstation uses: 8 ranges, 7 channels of which the
// pulse channel is fast (32 samples per second, the others 8), 31250 us.
inline constexpr UnitGeometry kUnitGeometry{8, 7, true, 31250, 1};

}  // namespace lumo::device
