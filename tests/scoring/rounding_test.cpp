#include <gtest/gtest.h>

#include "core/numbers.h"
#include "scoring/rounding.h"

namespace lumo::scoring {
namespace {

TEST(RndFast, AgreesWithRndIncludingHalvesAndNegatives) {
    for (double v : {0.0, 0.5, 1.5, 2.5, -0.5, -1.5, -2.5, 0.49999999999999994, 2.5000000000000004, 4095.5, 4096.5,
                     -3.7, 1e15 + 0.5, 4503599627370497.0, -4503599627370497.0, 20.48, 1e-300}) {
        EXPECT_EQ(rndFast(v), core::rnd(v)) << v;
    }
    for (int i = -20000; i <= 20000; ++i) {
        const double v = i / 8.0;
        ASSERT_EQ(rndFast(v), core::rnd(v)) << v;
        if (v >= 0) {
            ASSERT_EQ(rndNonNegative(v), static_cast<double>(core::rnd(v))) << v;
        }
    }
}

}  // namespace
}  // namespace lumo::scoring
