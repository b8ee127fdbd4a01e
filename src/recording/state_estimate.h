#pragma once

#include <array>
#include <cstdint>

#include "recording/state_estimate_fft.h"

namespace lumo::recording {

inline constexpr int kHistogramBins = 12;
inline constexpr double kShortestPeriod = 0.3;  // s: 200 beats per minute
inline constexpr double kLongestPeriod = 1.5;   // s: 40 beats per minute

// The upper bound of histogram bin l = 1 ... 12: periods below 0.3 + 0.1 l s.
constexpr double binUpperBound(int l) {
    return (3 + l) / 10.0;
}
// The period a bin stands for, its centre: 0.35 ... 1.45 s.
constexpr double binCentre(int l) {
    return (2.5 + l) / 10.0;
}

// What a measurement has gathered since its last restart: the statistics of
// the accepted spectra and the ranges of the periods and window means.
struct StateStatistics {
    std::uint32_t windows = 0;        // spectra analysed, accepted or not
    std::uint32_t count = 0;          // accepted spectra
    float meanFrequency = 0;          // running means of f, f^2, m, m^2
    float meanFrequencySquare = 0;
    float meanWindowMean = 0;
    float meanWindowMeanSquare = 0;
    std::array<std::uint32_t, kHistogramBins> histogram{};  // bin l at index l - 1
    float longestPeriod = -1e8f;      // accepted periods only
    float shortestPeriod = 1e8f;
    float largestWindowMean = -1e8f;  // every full window
    float smallestWindowMean = 1e8f;
    float gsc0 = 0;                   // skin resistance value at the restart

    // Index 0 ... 11 of the highest bin, the first one on a tie.
    int highestBin() const;
    // The probability of the main tone P: the highest bin's share of the
    // count; 0 while nothing was accepted.
    double mainToneProbability() const;
};

// The last window's analysis.
struct WindowAnalysis {
    int peakBin = 0;
    double frequency = 0;   // Hz
    double period = 0;      // s
    float windowMean = 0;
    bool accepted = false;  // the period lies in 0.3 ... 1.5 s
};

// The pulse analysis of the state estimate: four pulse values per packet go
// in, every half second a window's spectrum gives the pulse's frequency, and
// the periods of 0.3 ... 1.5 s are counted.
class StateEstimate {
public:
    // All means, the count and the histogram to zero, the ranges to their
    // starts; `gsc` is the skin resistance value the trend is measured from.
    // The windows keep filling.
    void restart(float gsc);
    // One pulse value; true when a window was analysed with it.
    bool feed(float value);

    const StateStatistics& statistics() const { return statistics_; }
    const WindowAnalysis& lastAnalysis() const { return last_; }
    const SpectrumBuffer& spectrum() const { return spectrum_; }

private:
    void analyse(std::span<const float> values, float mean);

    PulseWindows windows_;
    SpectrumBuffer spectrum_{};
    StateStatistics statistics_;
    WindowAnalysis last_;
};

}  // namespace lumo::recording
