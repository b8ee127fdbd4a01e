#pragma once

#include <array>
#include <complex>
#include <functional>
#include <span>

// The spectral side of the state estimate: the pulse is cut into staggered
// windows of 4 s, and each full window's amplitude spectrum gives the pulse's
// main frequency.
namespace lumo::recording {

inline constexpr int kWindowSize = 128;    // pulse values per analysis window (4 s)
inline constexpr int kWindowCount = 8;     // windows, staggered by 16 values (0.5 s)
inline constexpr int kWindowStagger = kWindowSize / kWindowCount;
inline constexpr double kPulseRate = 32;   // pulse values per second
inline constexpr int kHighestPeakBin = 64;

using SpectrumBuffer = std::array<float, kWindowSize>;

// In-place radix-2 FFT (decimation in frequency, then the bit-reversal
// reordering) of a power-of-two number of values; X[j] = sum x[k] e^(-2 pi i jk/n).
void fftInPlace(std::span<std::complex<double>> values);

// The amplitude spectrum of n real values: A[j] = 2 |X[j]| / n for
// j = 0 ... n/2 - 1, the last of them halved, written to out[0 ... n/2 - 1];
// the rest of `out` is left as it is.
void amplitudeSpectrum(std::span<const float> values, std::span<float> out);

// The frequency of a spectrum bin: bin / 128 x 32 Hz, 0.25 Hz steps.
constexpr double binFrequency(int bin) {
    return bin * kPulseRate / kWindowSize;
}

// The first bin among 1 ... 64 with the largest value. Bin 64 reads entry 64 of
// the buffer, which the amplitude spectrum of 128 values never writes.
int peakBin(const SpectrumBuffer& spectrum);

// The peak frequency refined from the neighbours of bin k (2 ... 63); bins 1
// and 64 are taken as they are. The correction is applied in hertz, not in
// bins, and so overshoots a plain parabola's: the unit's readings have always
// been made this way.
double peakFrequency(const SpectrumBuffer& spectrum, int k);

// The eight analysis windows. Their fill indices start 0, -16, ... -112, so
// from the 128th value on one window fills every 16 values and each covers the
// last 4 s. A full window has its mean taken off its values and is handed to
// `full` with that mean; then it starts filling again.
class PulseWindows {
public:
    using FullWindow = std::function<void(std::span<float, kWindowSize> values, float mean)>;

    PulseWindows();

    // Feeds one value; true when a window became full (and was handed over).
    bool feed(float value, const FullWindow& full);

private:
    std::array<std::array<float, kWindowSize>, kWindowCount> values_{};
    std::array<int, kWindowCount> index_{};
};

}  // namespace lumo::recording
