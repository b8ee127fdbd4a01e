#include <algorithm>
#include <cmath>

#include "core/numbers.h"
#include "scoring/feature_groups.h"
#include "scoring/rounding.h"
#include "scoring/signal.h"
#include "scoring/workspace.h"

namespace lumo::scoring::groups {

namespace {

struct Swing {
    float largest = -30000.0f;
    float smallest = 30000.0f;
    double range() const { return static_cast<double>(largest) - smallest; }
};

Swing swingOf(const float* x, std::int64_t a, std::int64_t b) {
    Swing swing;
    for (std::int64_t p = a; p <= b; ++p) {
        swing.largest = std::max(swing.largest, x[p]);
        swing.smallest = std::min(swing.smallest, x[p]);
    }
    return swing;
}

// The excluded-or-switched-off test shared by the single-slot groups.
bool unusable(const ScoringWorkspace& workspace, int chart, int row, int slot) {
    return workspace.flag(chart, row, slot) == 1 || workspace.channels().switchedOff[static_cast<std::size_t>(slot)];
}

}  // namespace

void skinConductance(ScoringWorkspace& workspace, int chart) {
    const ChartHeader& header = workspace.chart(chart);
    const int n = header.sampleCount;
    const double fs = workspace.fs;
    ExtractorScratch& scratch = workspace.scratch();
    const float* x = workspace.normalised(chart, 6);
    float* y = scratch.signal.data();
    float* trend = scratch.trend.data();
    // The rise signal: the next five samples against the previous five.
    for (int p = 1; p <= std::min(5, n); ++p) y[p] = x[p];
    for (int p = std::max(1, n - 4); p <= n; ++p) y[p] = x[p];
    for (int p = 6; p <= n - 5; ++p) {
        const double ahead = static_cast<double>(x[p + 1]) + x[p + 2] + x[p + 3] + x[p + 4] + x[p + 5];
        const double behind = static_cast<double>(x[p - 5]) + x[p - 4] + x[p - 3] + x[p - 2] + x[p - 1];
        y[p] = static_cast<float>((ahead - behind) / 5);
    }
    int w = static_cast<int>(core::rnd(fs / 2));
    MovingAverage(y, n, w, y);
    trendOf(y, n, static_cast<int>(core::rnd(10 * fs)), trend);

    for (int row = 1; row <= header.rowCount; ++row) {
        if (unusable(workspace, chart, row, 6)) {
            setCode(workspace, chart, row, 4, 3, kCodeExcluded);
            continue;
        }
        const std::int64_t a = workspace.row(chart, row).onset;
        const std::int64_t b = core::rnd(a + 8 * fs);
        if (!inside(a, b, n)) {
            setCode(workspace, chart, row, 4, 3, kCodeTooFew);
            continue;
        }
        const Swing swing = swingOf(y, a, b);
        double deviation = 0;
        for (std::int64_t p = a; p <= b; ++p) deviation += std::fabs(static_cast<double>(trend[p]) - y[p]);
        deviation /= static_cast<double>(b - a);
        FeatureTable& features = workspace.features();
        features(chart, row, 4) = static_cast<float>(core::rnd(swing.largest));
        features(chart, row, 5) = static_cast<float>(core::rnd(10 * swing.range()) / 10.0);
        features(chart, row, 6) = static_cast<float>(core::rnd(10 * deviation) / 10.0);
    }
}

void volume(ScoringWorkspace& workspace, int chart) {
    const ChartHeader& header = workspace.chart(chart);
    const int n = header.sampleCount;
    const float* x = workspace.normalised(chart, 4);
    for (int row = 1; row <= header.rowCount; ++row) {
        if (unusable(workspace, chart, row, 4)) {
            setCode(workspace, chart, row, 10, 1, kCodeExcluded);
            continue;
        }
        const std::int64_t a = workspace.row(chart, row).onset;
        const std::int64_t b = core::rnd(a + 5 * workspace.fs);
        if (!inside(a, b, n)) {
            setCode(workspace, chart, row, 10, 1, kCodeTooFew);
            continue;
        }
        const double range = swingOf(x, a, b).range();
        if (range >= 45) {
            workspace.features()(chart, row, 10) = static_cast<float>(core::rnd(range));
        } else {
            setCode(workspace, chart, row, 10, 1, kCodeTooFew);
        }
    }
}

void tremor(ScoringWorkspace& workspace, int chart) {
    const ChartHeader& header = workspace.chart(chart);
    const int n = header.sampleCount;
    const float* x = workspace.normalised(chart, 7);
    for (int row = 1; row <= header.rowCount; ++row) {
        if (unusable(workspace, chart, row, 7)) {
            setCode(workspace, chart, row, 11, 2, kCodeExcluded);
            continue;
        }
        const std::int64_t a = workspace.row(chart, row).onset;
        const std::int64_t b = core::rnd(a + 5 * workspace.fs);
        if (!inside(a - 1, b, n)) {
            setCode(workspace, chart, row, 11, 2, kCodeTooFew);
            continue;
        }
        const Swing swing = swingOf(x, a, b);
        std::int64_t steps = 0;
        for (std::int64_t p = a; p <= b; ++p) {
            const double step = static_cast<double>(x[p]) - x[p - 1];
            steps += rndFast(step * step) + 1;
        }
        const std::int64_t rms = core::rnd(std::sqrt(static_cast<double>(steps) / static_cast<double>(b - a)));
        if (swing.range() >= 45) {
            workspace.features()(chart, row, 11) = static_cast<float>(core::rnd(swing.range()));
            workspace.features()(chart, row, 12) = static_cast<float>(rms);
        } else {
            setCode(workspace, chart, row, 11, 2, kCodeTooFew);
        }
    }
}

}  // namespace lumo::scoring::groups
