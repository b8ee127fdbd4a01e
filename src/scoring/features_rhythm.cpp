#include <algorithm>
#include <cmath>

#include "core/numbers.h"
#include "scoring/feature_groups.h"
#include "scoring/signal.h"
#include "scoring/workspace.h"

namespace lumo::scoring {

namespace {

struct SpectrumSums {
    double s0 = 0;  // power without the term at 0
    double s1 = 0;  // power-weighted frequency
};

// The spectrum of series[1 ... d]; outputs start at zero so that a refused
// input leaves no earlier row's numbers behind (it then shows as no power).
SpectrumSums spectrumSums(ExtractorScratch& scratch, int d, int rate, const SpectrumAlarm& alarm) {
    double* power = scratch.power.data();
    double* freq = scratch.frequency.data();
    std::fill(power, power + d / 2 + 1, 0.0);
    std::fill(freq, freq + d / 2 + 1, 0.0);
    if (!Spectr(scratch.series.data(), d, rate, power, freq, scratch.basis(d)) && alarm) alarm();
    SpectrumSums sums;
    for (int k = 1; k <= d / 2; ++k) {
        sums.s0 += power[k];
        sums.s1 += freq[k] * power[k];
    }
    return sums;
}

// rnd(10 v) / 10
float tenths(double value) {
    return static_cast<float>(core::rnd(10 * value) / 10.0);
}

}  // namespace

WindowResult respirationWindow(std::span<const float> signal, int a, int b, int step, int rate,
                               ExtractorScratch& scratch, const SpectrumAlarm& alarm) {
    double* series = scratch.seriesFor(b - a + 1);
    int d = 0;
    double lineLength = 0;
    for (int p = a; p <= b; ++p) {
        // The position itself, not its distance from a, decides.
        if (p % step == 0) series[++d] = signal[static_cast<std::size_t>(p)];
        const double rise = static_cast<double>(signal[static_cast<std::size_t>(p - 1)]) - signal[static_cast<std::size_t>(p)];
        lineLength += rise * rise + 1;
    }
    if (d <= 9) return groups::missingResult(kCodeTooFew);
    const double lineIndex = std::sqrt(lineLength) / d;
    const SpectrumSums sums = spectrumSums(scratch, d, rate, alarm);
    if (!(sums.s0 > 0)) return groups::missingResult(kCodeNoPower);
    WindowResult result;
    result.values = {static_cast<float>(core::rnd(std::sqrt(2 * sums.s0 / d))), static_cast<float>(core::rnd(10 * sums.s1 / sums.s0) / 10.0),
                     tenths(lineIndex)};
    return result;
}

WindowResult cardioWindow(std::span<const float> signal, std::span<const float> trend, int a, int b, int step,
                          int rate, ExtractorScratch& scratch, const SpectrumAlarm& alarm) {
    double* series = scratch.seriesFor(b - a + 1);
    int d = 0;
    float largest = -30000.0f;
    float smallest = 30000.0f;
    for (int p = a; p <= b; ++p) {
        if (p % step == 0) series[++d] = signal[static_cast<std::size_t>(p)];
        largest = std::max(largest, trend[static_cast<std::size_t>(p)]);
        smallest = std::min(smallest, trend[static_cast<std::size_t>(p)]);
    }
    if (d <= 9) return groups::missingResult(kCodeTooFew);
    const SpectrumSums sums = spectrumSums(scratch, d, rate, alarm);
    if (!(sums.s0 > 0)) return groups::missingResult(kCodeNoPower);
    WindowResult result;
    result.values = {static_cast<float>(core::rnd(100 * std::sqrt(2 * sums.s0 / d)) / 100.0),
                     static_cast<float>(core::rnd(10 * sums.s1 / sums.s0) / 10.0), tenths(static_cast<double>(largest) - smallest)};
    return result;
}

namespace groups {

void respiration(ScoringWorkspace& workspace, int chart, const SpectrumAlarm& alarm) {
    const int n = workspace.chart(chart).sampleCount;
    const double fs = workspace.fs;
    ExtractorScratch& scratch = workspace.scratch();
    const float* s = scratch.copy(WorkingCopy::breathing);

    const int step = std::max(1, static_cast<int>(core::rnd(fs / 2)));
    const int rate = static_cast<int>(core::rnd(60 * fs / step));
    const auto& off = workspace.channels().switchedOff;
    const std::span<const float> signal{s, static_cast<std::size_t>(n) + 1};
    // The line length reads the position before the window.
    measureRows(
        workspace, chart, 1, 3, {6, 16, 1},
        [&](int row) {
            return workspace.flag(chart, row, 2) == 1 || workspace.flag(chart, row, 3) == 1 || (off[2] && off[3]);
        },
        [&](std::int64_t a, std::int64_t b) {
            return respirationWindow(signal, static_cast<int>(a), static_cast<int>(b), step, rate, scratch, alarm);
        });
}

void cardio(ScoringWorkspace& workspace, int chart, const SpectrumAlarm& alarm) {
    const int n = workspace.chart(chart).sampleCount;
    const double fs = workspace.fs;
    ExtractorScratch& scratch = workspace.scratch();
    const float* x = scratch.copy(WorkingCopy::pulse);
    const float* trend = scratch.copy(WorkingCopy::pulseTrend);

    // The series is taken every rnd(fs / 6) positions, while the spectrum's
    // rate uses fs / 6 unrounded.
    const double q = fs / 6;
    const int step = std::max(1, static_cast<int>(core::rnd(q)));
    const int rate = static_cast<int>(core::rnd(60 * fs / q));
    const bool off = workspace.channels().switchedOff[1];
    const std::span<const float> signal{x, static_cast<std::size_t>(n) + 1};
    const std::span<const float> trendSpan{trend, static_cast<std::size_t>(n) + 1};
    measureRows(
        workspace, chart, 7, 3, {0, 12, 0}, [&](int row) { return workspace.flag(chart, row, 1) == 1 || off; },
        [&](std::int64_t a, std::int64_t b) {
            return cardioWindow(signal, trendSpan, static_cast<int>(a), static_cast<int>(b), step, rate, scratch,
                                alarm);
        });
}

}  // namespace groups

}  // namespace lumo::scoring
