#include "scoring/signal.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "scoring/rounding.h"

namespace lumo::scoring {

namespace {

// 3.14, not pi: the frequency axis of every stored score was made so.
double angle(int k, int n) {
    return 2 * 3.14 * (static_cast<double>(k) / n);
}

// Frequencies taken together: their sums are independent, so the processor
// can work on them side by side while each keeps its own order of terms.
constexpr int kLanes = 8;

// re and im of frequencies k0 ... k0 + lanes - 1, each accumulated in single
// precision over j = 1 ... n with every product in double precision.
void transform(const double* x, int n, int k0, int lanes, const SpectrumBasis* basis, float* re, float* im) {
    if (basis == nullptr) {
        for (int l = 0; l < lanes; ++l) {
            const double phi = angle(k0 + l, n);
            for (int j = 1; j <= n; ++j) {
                re[l] = static_cast<float>(re[l] + x[j] * std::cos(j * phi));
                im[l] = static_cast<float>(im[l] + x[j] * std::sin(j * phi));
            }
        }
        return;
    }
    const double* cosines[kLanes];
    const double* sines[kLanes];
    for (int l = 0; l < lanes; ++l) {
        cosines[l] = basis->cosines(k0 + l);
        sines[l] = basis->sines(k0 + l);
    }
    for (int j = 1; j <= n; ++j) {
        const double value = x[j];
        for (int l = 0; l < lanes; ++l) {
            re[l] = static_cast<float>(re[l] + value * cosines[l][j - 1]);
            im[l] = static_cast<float>(im[l] + value * sines[l][j - 1]);
        }
    }
}

}  // namespace

SpectrumBasis::SpectrumBasis(int n) : n_(n) {
    const std::size_t size = static_cast<std::size_t>(n / 2 + 1) * static_cast<std::size_t>(n);
    cosines_.resize(size);
    sines_.resize(size);
    for (int k = 0; k <= n / 2; ++k) {
        const double phi = angle(k, n);
        for (int j = 1; j <= n; ++j) {
            cosines_[index(k, j)] = std::cos(j * phi);
            sines_[index(k, j)] = std::sin(j * phi);
        }
    }
}

bool MovingAverage(float* x, int n, int& w, float* out) {
    if (!(w > 1 && w < n / 2)) {
        w = 2;
        return false;
    }
    // The mean of the input is summed along with the running sum: position p
    // is read before any output reaches it (outputs land at p - w div 2).
    double total = 0;
    double sum = 0;
    for (int p = 1; p <= w - 1; ++p) {
        total += x[p];
        sum += x[p];
    }
    const int half = w / 2;
    // In place, out[p - half] overwrites an input that the sum subtracts
    // w - 1 - half steps later; the subtraction then takes the smoothed value.
    for (int p = w; p <= n; ++p) {
        total += x[p];
        sum = sum + x[p] - x[p - w + 1];
        out[p - half] = static_cast<float>(sum / w);
    }
    const auto edge = static_cast<float>(total / n);
    for (int p = n - half; p <= n; ++p) out[p] = edge;
    for (int p = 1; p <= half; ++p) out[p] = edge;
    return true;
}

bool Spectr(double* x, int n, int rate, double* power, double* freq, const SpectrumBasis* basis) {
    if (basis != nullptr && basis->length() != n) basis = nullptr;
    if (n <= 0) return false;
    std::int64_t runningSum = 0;
    for (int j = 1; j <= n; ++j) runningSum = rndFast(static_cast<double>(runningSum) + x[j]);
    const double mean = static_cast<double>(runningSum) / n;
    for (int j = 1; j <= n; ++j) x[j] = x[j] - mean;
    if (runningSum == 0) return false;
    const int half = n / 2;
    for (int k0 = 0; k0 <= half; k0 += kLanes) {
        const int lanes = std::min(kLanes, half - k0 + 1);
        float re[kLanes] = {};
        float im[kLanes] = {};
        transform(x, n, k0, lanes, basis, re, im);
        for (int l = 0; l < lanes; ++l) {
            const int k = k0 + l;
            if (k == half) {
                const double a = re[l] / static_cast<double>(n);
                const double b = im[l] / static_cast<double>(n);
                power[k] = a * a + b * b;
            } else {
                const double a = 2 * static_cast<double>(re[l]) / n;
                const double b = 2 * static_cast<double>(im[l]) / n;
                power[k] = (a * a + b * b) / 2;
            }
            freq[k] = rate * (static_cast<double>(k) / n);
        }
    }
    power[0] = mean * mean;
    return true;
}

}  // namespace lumo::scoring
