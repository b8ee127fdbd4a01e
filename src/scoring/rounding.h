#pragma once

#include <cmath>
#include <cstdint>

namespace lumo::scoring {

// rnd (nearest integer, halves to the even neighbour) for the loops that run
// over every sample. Adding and taking away 2^52 leaves the magnitude rounded
// by the processor's round-to-nearest-even, which is what core::rnd gives for
// every finite value, without a call in the loop. Magnitudes from 2^52 on
// are whole numbers already.
inline constexpr double kRoundingShift = 4503599627370496.0;  // 2^52

inline std::int64_t rndFast(double value) {
    constexpr double kShift = kRoundingShift;
    const double magnitude = std::fabs(value);
    if (!(magnitude < kShift)) return static_cast<std::int64_t>(value);
    return static_cast<std::int64_t>(std::copysign((magnitude + kShift) - kShift, value));
}

// The same for values known to lie in [0, 2^52), as a whole-numbered double:
// without a branch the normalisation loop vectorises.
inline double rndNonNegative(double value) {
    return (value + kRoundingShift) - kRoundingShift;
}

}  // namespace lumo::scoring
