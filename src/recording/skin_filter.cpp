#include "recording/skin_filter.h"

#include <cmath>

#include "core/numbers.h"

namespace lumo::recording {

const std::array<float, SkinFilter::kTaps>& SkinFilter::coefficients() {
    static constexpr std::array<float, kTaps> kCoefficients = {
        0.036f,  0.086f,  0.164f,  0.214f,  0.222f,  0.151f,  0.09f,   0.037f,  -0.005f, -0.035f, -0.068f, -0.103f,
        -0.086f, -0.075f, -0.071f, -0.052f, -0.051f, -0.035f, -0.032f, -0.028f, -0.027f, -0.024f, -0.024f, -0.024f,
        -0.02f,  -0.016f, -0.016f, -0.016f, -0.016f, -0.015f, -0.015f, -0.012f, -0.012f, -0.012f, -0.012f, -0.012f,
        -0.012f, -0.011f, -0.01f,  -0.009f, -0.008f, -0.007f, -0.005f, -0.005f, -0.005f, -0.005f, -0.005f, -0.004f};
    return kCoefficients;
}

void SkinFilter::reset() {
    ring_.fill(0.0f);
    writeIndex_ = 0;
    level_ = 0;
}

float SkinFilter::push(float value, float dacZero) {
    const auto& c = coefficients();
    ring_[static_cast<std::size_t>(writeIndex_)] = value;
    double sum = 0;
    for (int s = 0; s < kTaps; ++s) {
        const int index = (writeIndex_ - s + kTaps) % kTaps;
        sum += static_cast<double>(ring_[static_cast<std::size_t>(index)]) * c[static_cast<std::size_t>(s)];
    }
    level_ = static_cast<float>(double(dacZero) - sum * 20.0 * 5.5);
    writeIndex_ = (writeIndex_ + 1) % kTaps;
    return level_;
}

namespace {

std::uint16_t clampedDac(double value) {
    if (!std::isfinite(value)) return 0;
    const std::int64_t rounded = core::rnd(value);
    if (rounded < 0) return 0;
    if (rounded > 65535) return 65535;
    return static_cast<std::uint16_t>(rounded);
}

}  // namespace

formats::TChartBlock derivedBlock(const formats::TChartBlock& channel5, float level,
                                  const formats::UnitConstants& unit) {
    formats::TChartBlock block;
    block.range = 0;
    block.dac = channel5.dac;
    const double gain0 = unit.gains[0];
    const double scale = unit.dacScale;
    // A unit whose constants are not known yet gives no usable level.
    if (gain0 == 0 || scale == 0 || !std::isfinite(level)) return block;
    const double a = (double(channel5.dac) - unit.dacZero) * scale / gain0 + level;
    const std::int64_t rounded = std::isfinite(a) ? core::rnd(a) : 0;
    if (rounded < -32767) {
        block.adc = 0;
        block.dac = clampedDac(unit.dacZero + gain0 * (-32767.0 - level) / scale);
    } else if (rounded > 32767) {
        block.adc = 4096;
        block.dac = clampedDac(gain0 * (32767.0 - level) / scale + unit.dacZero);
    } else {
        block.adc = static_cast<std::int16_t>(rounded);
    }
    return block;
}

}  // namespace lumo::recording
