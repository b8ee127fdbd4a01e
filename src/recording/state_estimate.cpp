#include "recording/state_estimate.h"

#include <algorithm>

namespace lumo::recording {

namespace {

// One more value into a running mean of `n` values.
float runningMean(float mean, std::uint32_t n, double value) {
    return static_cast<float>((double(n) * mean + value) / (double(n) + 1));
}

}  // namespace

int StateStatistics::highestBin() const {
    return static_cast<int>(std::max_element(histogram.begin(), histogram.end()) - histogram.begin());
}

double StateStatistics::mainToneProbability() const {
    if (count == 0) return 0;
    return double(histogram[static_cast<std::size_t>(highestBin())]) / count;
}

void StateEstimate::restart(float gsc) {
    statistics_ = StateStatistics{};
    statistics_.gsc0 = gsc;
}

bool StateEstimate::feed(float value) {
    return windows_.feed(value, [this](std::span<float, kWindowSize> values, float mean) { analyse(values, mean); });
}

void StateEstimate::analyse(std::span<const float> values, float mean) {
    StateStatistics& s = statistics_;
    ++s.windows;
    s.largestWindowMean = std::max(s.largestWindowMean, mean);
    s.smallestWindowMean = std::min(s.smallestWindowMean, mean);

    amplitudeSpectrum(values, spectrum_);
    WindowAnalysis& a = last_;
    a.windowMean = mean;
    a.peakBin = peakBin(spectrum_);
    a.frequency = peakFrequency(spectrum_, a.peakBin);
    a.period = 1 / a.frequency;
    a.accepted = a.period >= kShortestPeriod && a.period <= kLongestPeriod;
    if (!a.accepted) return;

    const auto period = static_cast<float>(a.period);
    s.longestPeriod = std::max(s.longestPeriod, period);
    s.shortestPeriod = std::min(s.shortestPeriod, period);
    for (int l = 1; l <= kHistogramBins; ++l) {
        if (binUpperBound(l) > a.period) {
            ++s.histogram[static_cast<std::size_t>(l - 1)];
            break;
        }
    }
    const std::uint32_t n = s.count;
    const double f = a.frequency;
    s.meanFrequency = runningMean(s.meanFrequency, n, f);
    s.meanFrequencySquare = runningMean(s.meanFrequencySquare, n, f * f);
    s.meanWindowMean = runningMean(s.meanWindowMean, n, mean);
    s.meanWindowMeanSquare = runningMean(s.meanWindowMeanSquare, n, double(mean) * mean);
    s.count = n + 1;
}

}  // namespace lumo::recording
