#pragma once

#include <algorithm>
#include <cstdint>

#include "scoring/features.h"
#include "scoring/signal.h"

namespace lumo::scoring {

class ScoringWorkspace;

// The extractors of the five feature groups, in the order ExtractChartFeatures
// runs them. Each prepares its own working copy of its source signal.
namespace groups {

// Features first ... first + count - 1 of the row receive the code unless
// they already hold one.
void setCode(ScoringWorkspace& workspace, int chart, int row, int first, int count, float code);
// A window whose reads [from, to] lie outside positions 1 ... n reads nothing:
// the row's group is then missing (-1001).
inline bool inside(std::int64_t from, std::int64_t to, int n) {
    return from >= 1 && to <= n;
}

// The moving average of x[1 ... n] into a trend that reads 0 wherever the
// average does not reach (everywhere when MovingAverage refuses the window),
// clearing only those places.
inline void trendOf(float* x, int n, int w, float* trend) {
    trend[0] = 0;
    if (!MovingAverage(x, n, w, trend)) std::fill(trend + 1, trend + n + 1, 0.0f);
}

void respiration(ScoringWorkspace& workspace, int chart, const SpectrumAlarm& alarm);
void skinConductance(ScoringWorkspace& workspace, int chart);
void cardio(ScoringWorkspace& workspace, int chart, const SpectrumAlarm& alarm);
void volume(ScoringWorkspace& workspace, int chart);
void tremor(ScoringWorkspace& workspace, int chart);

}  // namespace groups

}  // namespace lumo::scoring
