#pragma once

#include <array>
#include <cstdint>

#include "formats/chart_block.h"

namespace lumo::recording {

// The skin-resistance filter of the test run: a 48-tap filter over the last
// values of channel 5 whose coefficients sum to zero, so the steady level is
// removed and the phasic responses remain. Its output drives the derived
// channel 7 of the chart.
class SkinFilter {
public:
    static constexpr int kTaps = 48;
    static const std::array<float, kTaps>& coefficients();

    // Starts afresh: an empty (zero) ring.
    void reset();
    // Takes this period's value of channel 5 and gives the filtered level:
    // DacZero - sum(ring * c) * 20 * 5.5.
    float push(float value, float dacZero);
    float level() const { return level_; }

private:
    std::array<float, kTaps> ring_{};
    int writeIndex_ = 0;
    float level_ = 0;
};

// The derived channel 7 block of a period: channel 5's offset code and the
// level folded into a 16-bit reading; out-of-range levels saturate at 0 or
// 4096 with the offset code moved to carry the rest.
formats::TChartBlock derivedBlock(const formats::TChartBlock& channel5, float level,
                                  const formats::UnitConstants& unit);

}  // namespace lumo::recording
