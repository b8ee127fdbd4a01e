#pragma once

#include <array>
#include <cstdint>

namespace lumo::formats {

// One raw sample of one channel as the unit sends it and the chart files
// store it: 5 bytes, little-endian, no padding.
struct TChartBlock {
    std::uint8_t range = 0;   // gain range 0 ... 7
    std::int16_t adc = 0;     // converter reading, 0 ... 4095 from the unit
    std::uint16_t dac = 0;    // offset code, a 9-bit value shifted left by 3
    bool operator==(const TChartBlock&) const = default;
};
inline constexpr int kChartBlockSize = 5;

// The unit's constants read at connection: every sample is expressed on the
// scale of range 0 with the offset removed through them.
struct UnitConstants {
    float dacZero = 0;
    float adcZero = 0;
    float dacScale = 0;
    std::array<float, 8> gains{};
};

// The unified value of a block: continuous across range and offset switches.
// Computed in double, returned in single precision.
inline float blockValue(const TChartBlock& block, const UnitConstants& unit) {
    const double gain0 = unit.gains[0];
    return static_cast<float>(double(unit.adcZero) +
                              (double(block.adc) - unit.adcZero) * unit.gains[block.range & 7] / gain0 -
                              (double(block.dac) - unit.dacZero) * unit.dacScale / gain0);
}

// Reads and writes the 5-byte stored form.
inline TChartBlock decodeChartBlock(const std::uint8_t* bytes) {
    return {bytes[0], static_cast<std::int16_t>(bytes[1] | (bytes[2] << 8)),
            static_cast<std::uint16_t>(bytes[3] | (bytes[4] << 8))};
}
inline void encodeChartBlock(const TChartBlock& block, std::uint8_t* bytes) {
    const auto adc = static_cast<std::uint16_t>(block.adc);
    bytes[0] = block.range;
    bytes[1] = static_cast<std::uint8_t>(adc & 0xFF);
    bytes[2] = static_cast<std::uint8_t>(adc >> 8);
    bytes[3] = static_cast<std::uint8_t>(block.dac & 0xFF);
    bytes[4] = static_cast<std::uint8_t>(block.dac >> 8);
}

}  // namespace lumo::formats
