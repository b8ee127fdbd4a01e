#include "recording/state_estimate_fft.h"

#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

namespace lumo::recording {

void fftInPlace(std::span<std::complex<double>> values) {
    const std::size_t n = values.size();
    // Decimation in frequency: butterflies from the full span down to pairs,
    // the twiddle applied to the difference.
    for (std::size_t span = n; span >= 2; span /= 2) {
        const std::size_t half = span / 2;
        const double step = -2 * std::numbers::pi / static_cast<double>(span);
        for (std::size_t j = 0; j < half; ++j) {
            const std::complex<double> twiddle = std::polar(1.0, step * static_cast<double>(j));
            for (std::size_t k = j; k < n; k += span) {
                const std::complex<double> a = values[k];
                const std::complex<double> b = values[k + half];
                values[k] = a + b;
                values[k + half] = (a - b) * twiddle;
            }
        }
    }
    // The results come out in bit-reversed order.
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j |= bit;
        if (i < j) std::swap(values[i], values[j]);
    }
}

void amplitudeSpectrum(std::span<const float> values, std::span<float> out) {
    const std::size_t n = values.size();
    std::vector<std::complex<double>> work(values.begin(), values.end());
    fftInPlace(work);
    const std::size_t half = n / 2;
    for (std::size_t j = 0; j < half; ++j) out[j] = static_cast<float>(2 * std::abs(work[j]) / static_cast<double>(n));
    if (half > 0) out[half - 1] /= 2;
}

int peakBin(const SpectrumBuffer& spectrum) {
    int k = 1;
    for (int bin = 2; bin <= kHighestPeakBin; ++bin) {
        if (spectrum[static_cast<std::size_t>(bin)] > spectrum[static_cast<std::size_t>(k)]) k = bin;
    }
    return k;
}

double peakFrequency(const SpectrumBuffer& spectrum, int k) {
    const double centre = binFrequency(k);
    if (k < 2 || k > kHighestPeakBin - 1) return centre;
    const double a = spectrum[static_cast<std::size_t>(k - 1)];
    const double b = spectrum[static_cast<std::size_t>(k + 1)];
    const double d = (a + b) / 2 - spectrum[static_cast<std::size_t>(k)];
    if (d == 0) return centre;
    return centre - ((b - a) / 4) / d;
}

PulseWindows::PulseWindows() {
    for (int w = 0; w < kWindowCount; ++w) index_[static_cast<std::size_t>(w)] = -w * kWindowStagger;
}

bool PulseWindows::feed(float value, const FullWindow& full) {
    bool filled = false;
    for (std::size_t w = 0; w < values_.size(); ++w) {
        int& index = index_[w];
        if (index >= 0) values_[w][static_cast<std::size_t>(index)] = value;
        ++index;
        if (index < kWindowSize) continue;
        std::array<float, kWindowSize>& window = values_[w];
        double sum = 0;
        for (const float v : window) sum += v;
        const auto mean = static_cast<float>(sum / kWindowSize);
        for (float& v : window) v -= mean;
        full(window, mean);
        index = 0;
        filled = true;
    }
    return filled;
}

}  // namespace lumo::recording
