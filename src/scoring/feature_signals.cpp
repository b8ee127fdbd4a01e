// The working copies of the averaged groups, made together: their moving
// averages run side by side, each to the bit as it would alone.
#include <algorithm>
#include <array>

#include "core/numbers.h"
#include "scoring/feature_groups.h"
#include "scoring/signal.h"
#include "scoring/workspace.h"

namespace lumo::scoring::groups {

namespace {

// A trend reads 0 where the average does not reach: at position 0, and
// everywhere when MovingAverage refused the window.
void settleTrend(const MovingAverageJob& job, int n) {
    job.out[0] = 0;
    if (!job.ran) std::fill(job.out + 1, job.out + n + 1, 0.0f);
}

// x - trend + 2048
void recentre(float* x, const float* trend, int n) {
    for (int p = 1; p <= n; ++p) x[p] = static_cast<float>(static_cast<double>(x[p]) - trend[p] + 2048);
}

}  // namespace

void prepareSignals(ScoringWorkspace& workspace, int chart) {
    const int n = workspace.chart(chart).sampleCount;
    const double fs = workspace.fs;
    ExtractorScratch& scratch = workspace.scratch();
    float* breathing = scratch.copy(WorkingCopy::breathing);
    float* rise = scratch.copy(WorkingCopy::rise);
    float* pulse = scratch.copy(WorkingCopy::pulse);

    // Breathing: the mean of the two belts.
    const float* upper = workspace.normalised(chart, 2);
    const float* lower = workspace.normalised(chart, 3);
    for (int p = 1; p <= n; ++p) breathing[p] = static_cast<float>((static_cast<double>(upper[p]) + lower[p]) / 2);
    // The skin's rise signal: the next five samples against the previous five.
    const float* skin = workspace.normalised(chart, 6);
    for (int p = 1; p <= std::min(5, n); ++p) rise[p] = skin[p];
    for (int p = std::max(1, n - 4); p <= n; ++p) rise[p] = skin[p];
    for (int p = 6; p <= n - 5; ++p) {
        const double ahead = static_cast<double>(skin[p + 1]) + skin[p + 2] + skin[p + 3] + skin[p + 4] + skin[p + 5];
        const double behind = static_cast<double>(skin[p - 5]) + skin[p - 4] + skin[p - 3] + skin[p - 2] + skin[p - 1];
        rise[p] = static_cast<float>((ahead - behind) / 5);
    }
    const float* heart = workspace.normalised(chart, 1);
    std::copy(heart + 1, heart + n + 1, pulse + 1);

    // Breathing and rise smoothed in place over half a second; the pulse's
    // slow trend over five seconds.
    const int halfSecond = static_cast<int>(core::rnd(fs / 2));
    std::array<MovingAverageJob, 3> smoothing = {{{breathing, halfSecond, breathing},
                                                  {rise, halfSecond, rise},
                                                  {pulse, static_cast<int>(core::rnd(5 * fs + 1)),
                                                   scratch.copy(WorkingCopy::pulseSlowTrend)}}};
    MovingAverages(smoothing, n);
    settleTrend(smoothing[2], n);
    recentre(pulse, smoothing[2].out, n);

    // The ten-second trends of breathing and rise, the pulse's one-second trend.
    const int tenSeconds = static_cast<int>(core::rnd(10 * fs));
    const int oneSecond = static_cast<int>(core::rnd(fs));
    std::array<MovingAverageJob, 3> trends = {{{breathing, tenSeconds, scratch.copy(WorkingCopy::breathingTrend)},
                                               {rise, tenSeconds, scratch.copy(WorkingCopy::riseTrend)},
                                               {pulse, oneSecond, scratch.copy(WorkingCopy::pulseTrend)}}};
    MovingAverages(trends, n);
    for (const MovingAverageJob& job : trends) settleTrend(job, n);
    recentre(breathing, trends[0].out, n);
    recentre(pulse, trends[2].out, n);
}

}  // namespace lumo::scoring::groups
