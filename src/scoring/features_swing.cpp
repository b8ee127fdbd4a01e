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
    ExtractorScratch& scratch = workspace.scratch();
    const float* y = scratch.copy(WorkingCopy::rise);
    const float* trend = scratch.copy(WorkingCopy::riseTrend);
    measureRows(
        workspace, chart, 4, 3, {0, 8, 0}, [&](int row) { return unusable(workspace, chart, row, 6); },
        [&](std::int64_t a, std::int64_t b) {
            const Swing swing = swingOf(y, a, b);
            double deviation = 0;
            for (std::int64_t p = a; p <= b; ++p) deviation += std::fabs(static_cast<double>(trend[p]) - y[p]);
            deviation /= static_cast<double>(b - a);
            WindowResult result;
            result.values = {static_cast<float>(core::rnd(swing.largest)),
                             static_cast<float>(core::rnd(10 * swing.range()) / 10.0),
                             static_cast<float>(core::rnd(10 * deviation) / 10.0)};
            return result;
        });
}

void volume(ScoringWorkspace& workspace, int chart) {
    const float* x = workspace.normalised(chart, 4);
    measureRows(
        workspace, chart, 10, 1, {0, 5, 0}, [&](int row) { return unusable(workspace, chart, row, 4); },
        [&](std::int64_t a, std::int64_t b) {
            const double range = swingOf(x, a, b).range();
            if (range < 45) return missingResult(kCodeTooFew);
            WindowResult result;
            result.values[0] = static_cast<float>(core::rnd(range));
            return result;
        });
}

void tremor(ScoringWorkspace& workspace, int chart) {
    const float* x = workspace.normalised(chart, 7);
    // The steps read the position before the window.
    measureRows(
        workspace, chart, 11, 2, {0, 5, 1}, [&](int row) { return unusable(workspace, chart, row, 7); },
        [&](std::int64_t a, std::int64_t b) {
            const Swing swing = swingOf(x, a, b);
            if (swing.range() < 45) return missingResult(kCodeTooFew);
            std::int64_t steps = 0;
            for (std::int64_t p = a; p <= b; ++p) {
                const double step = static_cast<double>(x[p]) - x[p - 1];
                steps += rndFast(step * step) + 1;
            }
            WindowResult result;
            result.values[0] = static_cast<float>(core::rnd(swing.range()));
            result.values[1] =
                static_cast<float>(core::rnd(std::sqrt(static_cast<double>(steps) / static_cast<double>(b - a))));
            return result;
        });
}

}  // namespace lumo::scoring::groups
