#pragma once

#include <array>
#include <cstddef>
#include <vector>

namespace lumo::scoring {

// The cosines and sines Spectr takes for a series of n points, kept so that
// the many windows of one length share them; the values are the very ones
// Spectr would compute itself.
class SpectrumBasis {
public:
    explicit SpectrumBasis(int n);
    int length() const { return n_; }
    // cos(j phi_k) and sin(j phi_k) of row k, from j = 1 on.
    const double* cosines(int k) const { return &cosines_[index(k, 1)]; }
    const double* sines(int k) const { return &sines_[index(k, 1)]; }
    std::size_t bytes() const { return (cosines_.size() + sines_.size()) * sizeof(double); }

private:
    std::size_t index(int k, int j) const {
        return static_cast<std::size_t>(k) * static_cast<std::size_t>(n_) + static_cast<std::size_t>(j - 1);
    }
    int n_;
    std::vector<double> cosines_;
    std::vector<double> sines_;
};

// Moving average of x[1 ... n] with window w into out[1 ... n]. It runs only
// when 1 < w < n div 2; otherwise w becomes 2, out is left as it was and the
// result is false. The running sum holds w - 1 samples and is divided by w,
// and the edges receive the mean of x. x and out may be the same array: each
// output then overwrites an input the running sum subtracts later, and the
// subtraction uses the smoothed value (the extractors rely on that).
bool MovingAverage(float* x, int n, int& w, float* out);

// One average of MovingAverages: x, w and out as for MovingAverage, and
// whether it ran.
struct MovingAverageJob {
    float* x = nullptr;
    int w = 0;
    float* out = nullptr;
    bool ran = false;
};
// MovingAverage of three signals of n positions at once, each to the bit as
// it would be alone: the running sums are independent, so the processor can
// work on them side by side. No two jobs may share an array.
void MovingAverages(std::array<MovingAverageJob, 3>& jobs, int n);

// Power spectrum of x[1 ... n] (which it centres in place) at the
// frequencies k / n, k = 0 ... n div 2, scaled by `rate` (samples per
// minute), into power[0 ... n div 2] and freq[0 ... n div 2]. Gives false
// and writes nothing when n <= 0 or the integer running sum of x is 0; the
// caller reports that. A basis of length n spares the trigonometry.
bool Spectr(double* x, int n, int rate, double* power, double* freq, const SpectrumBasis* basis = nullptr);

}  // namespace lumo::scoring
