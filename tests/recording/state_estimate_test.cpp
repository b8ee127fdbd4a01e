#include "recording/state_estimate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <vector>

#include "core/settings.h"
#include "core/string_table.h"
#include "core/texts/recording.h"
#include "recording/state_estimate_report.h"

namespace lumo::recording {
namespace {

// A sine wave of `hertz` sampled 32 times a second around `offset`.
class Wave {
public:
    Wave(double hertz, double amplitude, double offset) : hertz_(hertz), amplitude_(amplitude), offset_(offset) {}
    float next() {
        const double t = index_++ / kPulseRate;
        return static_cast<float>(offset_ + amplitude_ * std::sin(2 * std::numbers::pi * hertz_ * t + 0.3));
    }

private:
    double hertz_, amplitude_, offset_;
    long index_ = 0;
};

// Feeds `count` values; how many windows were analysed.
int feed(StateEstimate& estimate, Wave& wave, int count) {
    int analysed = 0;
    for (int i = 0; i < count; ++i) analysed += estimate.feed(wave.next()) ? 1 : 0;
    return analysed;
}

TEST(StateSpectrumTest, TheFftMatchesADirectTransformOnRandomInput) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> value(-1, 1);
    for (const std::size_t n : {std::size_t{2}, std::size_t{8}, std::size_t{128}}) {
        std::vector<std::complex<double>> input(n);
        for (auto& x : input) x = {value(random), value(random)};
        std::vector<std::complex<double>> fast = input;
        fftInPlace(fast);
        for (std::size_t j = 0; j < n; ++j) {
            std::complex<double> direct = 0;
            for (std::size_t k = 0; k < n; ++k) {
                direct += input[k] * std::polar(1.0, -2 * std::numbers::pi * double(j * k) / double(n));
            }
            EXPECT_NEAR(std::abs(fast[j] - direct), 0, 1e-5) << "n " << n << " bin " << j;
        }
    }
    // The amplitude spectrum of real values: 2|X|/n, the last of the half halved, the rest untouched.
    std::vector<float> real(kWindowSize);
    for (float& x : real) x = static_cast<float>(value(random));
    SpectrumBuffer spectrum;
    spectrum.fill(-1);
    amplitudeSpectrum(real, spectrum);
    for (int j = 0; j < kWindowSize / 2; ++j) {
        std::complex<double> direct = 0;
        for (int k = 0; k < kWindowSize; ++k) {
            direct += double(real[static_cast<std::size_t>(k)]) * std::polar(1.0, -2 * std::numbers::pi * j * k / kWindowSize);
        }
        const double expected = 2 * std::abs(direct) / kWindowSize / (j == kWindowSize / 2 - 1 ? 2 : 1);
        EXPECT_NEAR(spectrum[static_cast<std::size_t>(j)], expected, 1e-5) << "bin " << j;
    }
    EXPECT_EQ(spectrum[64], -1.0f);
    EXPECT_EQ(spectrum[127], -1.0f);
}

TEST(StateSpectrumTest, PeakSearchAndItsRefinementInHertz) {
    SpectrumBuffer spectrum{};
    spectrum[0] = 9;  // the mean's bin never counts
    spectrum[4] = 0.2f;
    spectrum[5] = 1;
    spectrum[6] = 0.6f;
    spectrum[9] = 1;  // a tie: the first one wins
    EXPECT_EQ(peakBin(spectrum), 5);
    // 1.25 Hz - ((0.6 - 0.2) / 4) / (0.4 - 1): the correction taken as hertz.
    EXPECT_NEAR(peakFrequency(spectrum, 5), 1.25 + 0.1 / 0.6, 1e-6);
    spectrum[64] = 5;  // bin 64 reads the 65th entry
    EXPECT_EQ(peakBin(spectrum), 64);
    EXPECT_DOUBLE_EQ(peakFrequency(spectrum, 64), 16.0);
    EXPECT_DOUBLE_EQ(peakFrequency(spectrum, 1), 0.25);
    // Equal neighbours on a flat top: no correction possible.
    SpectrumBuffer flat{};
    flat[2] = flat[3] = flat[4] = 1;
    EXPECT_EQ(peakBin(flat), 2);
    EXPECT_DOUBLE_EQ(peakFrequency(flat, 3), 0.75);
    // Nothing at all (a flat pulse after its mean is taken off): bin 1, 4 s.
    EXPECT_EQ(peakBin(SpectrumBuffer{}), 1);
}

TEST(StateEstimateTest, APulseOf72PerMinuteIsCountedInTheBinOfPoint8To0Point9Seconds) {
    StateEstimate estimate;
    estimate.restart(2500);
    Wave pulse(1.2, 100, 2000);
    // The first window fills after 4 s, then one every half second.
    EXPECT_EQ(feed(estimate, pulse, 127), 0);
    EXPECT_EQ(feed(estimate, pulse, 1), 1);
    EXPECT_EQ(feed(estimate, pulse, 16 * 12), 12);
    const WindowAnalysis& last = estimate.lastAnalysis();
    EXPECT_EQ(last.peakBin, 5);
    EXPECT_NEAR(last.frequency, 1.2, 0.05);
    EXPECT_NEAR(last.period, 0.83, 0.03);
    EXPECT_TRUE(last.accepted);
    EXPECT_NEAR(last.windowMean, 2000, 15);

    const StateStatistics& s = estimate.statistics();
    EXPECT_EQ(s.windows, 13u);
    EXPECT_EQ(s.count, 13u);
    for (int bin = 0; bin < kHistogramBins; ++bin) EXPECT_EQ(s.histogram[bin], bin == 5 ? 13u : 0u) << bin;
    EXPECT_EQ(s.highestBin(), 5);
    EXPECT_DOUBLE_EQ(s.mainToneProbability(), 1.0);
    EXPECT_NEAR(s.meanFrequency, 1.2, 0.05);
    EXPECT_NEAR(s.meanFrequencySquare, s.meanFrequency * s.meanFrequency, 1e-3);
    EXPECT_NEAR(s.meanWindowMean, 2000, 15);
    EXPECT_NEAR(s.meanWindowMeanSquare, s.meanWindowMean * s.meanWindowMean, 1e-3 * s.meanWindowMeanSquare);
    EXPECT_GE(s.shortestPeriod, 0.8f);
    EXPECT_LE(s.longestPeriod, 0.9f);
    EXPECT_LE(s.smallestWindowMean, s.largestWindowMean);
    EXPECT_EQ(s.gsc0, 2500.0f);

    // A restart empties the statistics; the windows keep filling.
    estimate.restart(2400);
    EXPECT_EQ(estimate.statistics().count, 0u);
    EXPECT_EQ(estimate.statistics().longestPeriod, -1e8f);
    EXPECT_EQ(estimate.statistics().smallestWindowMean, 1e8f);
    EXPECT_EQ(feed(estimate, pulse, 16), 1);
    EXPECT_EQ(estimate.statistics().count, 1u);
}

TEST(StateEstimateTest, PeaksOutsideThePeriodRangeMoveOnlyTheWindowMeanRange) {
    StateEstimate estimate;
    estimate.restart(0);
    Wave pulse(1.2, 10, 2000);
    feed(estimate, pulse, 8 * 32);
    const StateStatistics before = estimate.statistics();
    ASSERT_GT(before.count, 0u);

    // 4 Hz (0.25 s) and then 0.25 Hz (4 s), strong enough to rule every
    // window they reach, slightly higher up: no window is accepted.
    for (const double hertz : {4.0, 0.25}) {
        Wave outside(hertz, 2000, 2030);
        EXPECT_EQ(feed(estimate, outside, 8 * 32), 16);
        EXPECT_FALSE(estimate.lastAnalysis().accepted) << hertz;
    }
    const StateStatistics& after = estimate.statistics();
    EXPECT_EQ(after.count, before.count);
    EXPECT_EQ(after.histogram, before.histogram);
    EXPECT_EQ(after.meanFrequency, before.meanFrequency);
    EXPECT_EQ(after.meanFrequencySquare, before.meanFrequencySquare);
    EXPECT_EQ(after.meanWindowMean, before.meanWindowMean);
    EXPECT_EQ(after.meanWindowMeanSquare, before.meanWindowMeanSquare);
    EXPECT_EQ(after.longestPeriod, before.longestPeriod);
    EXPECT_EQ(after.shortestPeriod, before.shortestPeriod);
    EXPECT_GT(after.largestWindowMean, before.largestWindowMean + 20);
}

TEST(StateEstimateTest, AFlatOrSaturatedPulseGivesNoPeriodAndNoReport) {
    core::Settings settings("/nonexistent");
    core::StringTable strings;
    const core::Texts texts(strings, settings);
    for (const float level : {2100.0f, 4095.0f, 0.0f}) {
        StateEstimate estimate;
        estimate.restart(0);
        for (int i = 0; i < 32 * 10; ++i) estimate.feed(level);
        EXPECT_EQ(estimate.statistics().count, 0u) << level;
        EXPECT_EQ(estimate.statistics().largestWindowMean, level);
        try {
            (void)stateReport(estimate.statistics(), 0, texts);
            ADD_FAILURE() << "a report from nothing";
        } catch (const EMathError& error) {
            EXPECT_STREQ(error.what(), texts(txt::StateNoPeriods).c_str());
        }
    }
}

}  // namespace
}  // namespace lumo::recording
