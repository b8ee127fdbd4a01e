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

// Whether MovingAverage runs for this window at all.
bool averageRuns(const MovingAverageJob& job, int n) {
    return job.w > 1 && job.w < n / 2;
}

// The averages of jobs that all run, in lockstep. Each keeps its own order
// of operations, and its in-place overwriting, exactly as alone.
template <std::size_t K>
void runAverages(std::array<MovingAverageJob, K>& jobs, int n) {
    std::array<double, K> total{};
    std::array<double, K> sum{};
    std::array<int, K> half{};
    // Dividing by a power of two is multiplying by its inverse, to the bit,
    // without the division's wait.
    std::array<double, K> inverse{};
    int start = 0;
    for (std::size_t j = 0; j < K; ++j) {
        const MovingAverageJob& job = jobs[j];
        // The mean of the input is summed along with the running sum:
        // position p is read before any output reaches it (outputs land at
        // p - w div 2).
        for (int p = 1; p <= job.w - 1; ++p) {
            total[j] += job.x[p];
            sum[j] += job.x[p];
        }
        half[j] = job.w / 2;
        if ((job.w & (job.w - 1)) == 0) inverse[j] = 1.0 / job.w;
        start = std::max(start, job.w);
    }
    // In place, out[p - half] overwrites an input that the sum subtracts
    // w - 1 - half steps later; the subtraction then takes the smoothed value.
    auto step = [&](std::size_t j, int p) {
        const MovingAverageJob& job = jobs[j];
        total[j] += job.x[p];
        sum[j] = sum[j] + job.x[p] - job.x[p - job.w + 1];
        job.out[p - half[j]] = static_cast<float>(inverse[j] != 0 ? sum[j] * inverse[j] : sum[j] / job.w);
    };
    for (std::size_t j = 0; j < K; ++j) {
        for (int p = jobs[j].w; p < start; ++p) step(j, p);
    }
    for (int p = start; p <= n; ++p) {
        for (std::size_t j = 0; j < K; ++j) step(j, p);
    }
    for (std::size_t j = 0; j < K; ++j) {
        const auto edge = static_cast<float>(total[j] / n);
        for (int p = n - half[j]; p <= n; ++p) jobs[j].out[p] = edge;
        for (int p = 1; p <= half[j]; ++p) jobs[j].out[p] = edge;
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
    std::array<MovingAverageJob, 1> job = {{{x, w, out}}};
    if (!averageRuns(job[0], n)) {
        w = 2;
        return false;
    }
    runAverages(job, n);
    return true;
}

void MovingAverages(std::array<MovingAverageJob, 3>& jobs, int n) {
    bool all = true;
    for (MovingAverageJob& job : jobs) {
        job.ran = averageRuns(job, n);
        if (!job.ran) job.w = 2;
        all = all && job.ran;
    }
    if (all) {
        runAverages(jobs, n);
        return;
    }
    for (MovingAverageJob& job : jobs) {
        if (!job.ran) continue;
        std::array<MovingAverageJob, 1> alone = {job};
        runAverages(alone, n);
    }
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
