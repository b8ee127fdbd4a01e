#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "scoring/signal.h"

namespace lumo::scoring {
namespace {

std::vector<float> oneToTen() {
    std::vector<float> x(11, 0.0f);
    for (int p = 1; p <= 10; ++p) x[static_cast<std::size_t>(p)] = static_cast<float>(p);
    return x;
}

TEST(MovingAverage, DividesTheShortSumByTheWindowAndFillsTheEdgesWithTheMean) {
    std::vector<float> x = oneToTen();
    std::vector<float> out(11, -1.0f);
    int w = 4;
    EXPECT_TRUE(MovingAverage(x.data(), 10, w, out.data()));
    const std::vector<float> expected = {-1, 5.5f, 5.5f, 3, 3.75f, 4.5f, 5.25f, 6, 5.5f, 5.5f, 5.5f};
    EXPECT_EQ(out, expected);
    EXPECT_EQ(x, oneToTen());
    EXPECT_EQ(w, 4);
}

TEST(MovingAverage, InPlaceTheRunningSumSubtractsAlreadySmoothedValues) {
    std::vector<float> x = oneToTen();
    int w = 4;
    EXPECT_TRUE(MovingAverage(x.data(), 10, w, x.data()));
    const std::vector<float> expected = {0, 5.5f, 5.5f, 2.9375f, 3.703125f, 4.52734375f, 5.3955078125f,
                                         6.296630859375f, 5.5f, 5.5f, 5.5f};
    EXPECT_EQ(x, expected);
}

TEST(MovingAverage, RefusesWindowsOutsideOneAndHalfTheLength) {
    for (int window : {1, 5, 6, 0, -3}) {
        std::vector<float> x = oneToTen();
        std::vector<float> out(11, -1.0f);
        int w = window;
        EXPECT_FALSE(MovingAverage(x.data(), 10, w, out.data())) << window;
        EXPECT_EQ(w, 2) << window;
        EXPECT_EQ(out, std::vector<float>(11, -1.0f)) << window;
    }
}

// Values whose sums round in the last places of the double.
std::vector<float> wobbly(int n, unsigned seed) {
    std::vector<float> x(static_cast<std::size_t>(n) + 1, 0.0f);
    for (int p = 1; p <= n; ++p) {
        seed = seed * 1664525u + 1013904223u;
        x[static_cast<std::size_t>(p)] = 2048.0f + static_cast<float>(seed >> 8) / 4099.0f;
    }
    return x;
}

// Three averages side by side against each alone: the first in place, the
// windows powers of two or not, one of them `refused` too long for the signal.
void expectSideBySideAsAlone(const std::array<int, 3>& windows) {
    constexpr int n = 1500;
    std::array<std::vector<float>, 3> inputs;
    std::array<std::vector<float>, 3> outputs;
    std::array<std::vector<float>, 3> expected;
    std::array<MovingAverageJob, 3> jobs;
    for (std::size_t j = 0; j < 3; ++j) {
        inputs[j] = wobbly(n, static_cast<unsigned>(j) + 1);
        outputs[j].assign(n + 1, -1.0f);
        expected[j] = j == 0 ? inputs[j] : outputs[j];
        int w = windows[j];
        MovingAverage(j == 0 ? expected[j].data() : inputs[j].data(), n, w, expected[j].data());
        jobs[j] = {inputs[j].data(), windows[j], j == 0 ? inputs[j].data() : outputs[j].data()};
    }
    MovingAverages(jobs, n);
    for (std::size_t j = 0; j < 3; ++j) {
        EXPECT_EQ(jobs[j].ran, windows[j] < n / 2) << j;
        EXPECT_EQ(jobs[j].w, jobs[j].ran ? windows[j] : 2) << j;
        EXPECT_EQ(j == 0 ? inputs[j] : outputs[j], expected[j]) << "job " << j << " of window " << windows[j];
    }
}

TEST(MovingAverages, EachIsTheAverageItWouldBeAlone) {
    expectSideBySideAsAlone({16, 161, 32});
    expectSideBySideAsAlone({320, 16, 320});
    // A refused window leaves its output as it was; the others still run.
    expectSideBySideAsAlone({16, 1500, 161});
}

TEST(Spectr, UsesThreePointOneFourAndCentresItsInput) {
    std::array<double, 5> x = {0, 1, 2, 3, 4};
    std::array<double, 3> power{};
    std::array<double, 3> freq{};
    ASSERT_TRUE(Spectr(x.data(), 4, 60, power.data(), freq.data()));
    EXPECT_EQ(x, (std::array<double, 5>{0, -1.5, -0.5, 0.5, 1.5}));
    EXPECT_DOUBLE_EQ(power[0], 6.25);  // the mean squared
    EXPECT_DOUBLE_EQ(power[1], 1.0015921693647716);  // 1.0 with pi
    EXPECT_DOUBLE_EQ(power[2], 0.24999794326576383);
    EXPECT_EQ(freq, (std::array<double, 3>{0, 15, 30}));
}

TEST(Spectr, TheMeanComesFromAnIntegerRunningSum) {
    // rnd(2.5) = 2, rnd(2 + 2.5) = 4: the mean is 2, not 2.5.
    std::array<double, 3> x = {0, 2.5, 2.5};
    std::array<double, 2> power{};
    std::array<double, 2> freq{};
    ASSERT_TRUE(Spectr(x.data(), 2, 60, power.data(), freq.data()));
    EXPECT_DOUBLE_EQ(power[0], 4.0);
    EXPECT_DOUBLE_EQ(x[1], 0.5);
}

TEST(Spectr, RefusesNoSamplesAndAZeroRunningSumWritingNothing) {
    std::array<double, 3> power = {7, 7, 7};
    std::array<double, 3> freq = {7, 7, 7};
    std::array<double, 5> halves = {0, 0.5, 0.5, 0.5, 0.5};  // every step rounds back to 0
    EXPECT_FALSE(Spectr(halves.data(), 4, 60, power.data(), freq.data()));
    EXPECT_FALSE(Spectr(halves.data(), 0, 60, power.data(), freq.data()));
    EXPECT_EQ(power, (std::array<double, 3>{7, 7, 7}));
    EXPECT_EQ(freq, (std::array<double, 3>{7, 7, 7}));
}

}  // namespace
}  // namespace lumo::scoring
