#pragma once

#include <cstdint>
#include <functional>

#include "scoring/features.h"
#include "scoring/signal.h"

namespace lumo::scoring {

class ScoringWorkspace;

// The extractors of the five feature groups, in the order ExtractChartFeatures
// runs them, each reading its own working copy of its source signal.
namespace groups {

// Features first ... first + count - 1 of the row receive the code unless
// they already hold one.
void setCode(ScoringWorkspace& workspace, int chart, int row, int first, int count, float code);
// A window whose reads [from, to] lie outside positions 1 ... n reads nothing:
// the row's group is then missing (-1001).
inline bool inside(std::int64_t from, std::int64_t to, int n) {
    return from >= 1 && to <= n;
}

// Where a group reads after an onset o: positions rnd(o + start fs) ...
// rnd(o + end fs), and `lookBack` positions before them.
struct Window {
    double start = 0;  // seconds
    double end = 0;
    int lookBack = 0;
};
inline WindowResult missingResult(float code) {
    WindowResult result;
    result.failed = true;
    result.code = code;
    return result;
}
// The row loop of every group: features first ... first + count - 1 of each
// kept row get -1000 when `unusable` (row) says the source is excluded or
// switched off, -1001 when the window does not lie inside the chart, and
// otherwise what `measure` (a, b) gives for the window [a, b].
void measureRows(ScoringWorkspace& workspace, int chart, int first, int count, const Window& window,
                 const std::function<bool(int row)>& unusable,
                 const std::function<WindowResult(std::int64_t a, std::int64_t b)>& measure);

// The working copies of the breathing, skin and pulse groups (WorkingCopy)
// from the chart's normalised signals.
void prepareSignals(ScoringWorkspace& workspace, int chart);

// The groups measure their rows, the first three in the prepared copies.
void respiration(ScoringWorkspace& workspace, int chart, const SpectrumAlarm& alarm);
void skinConductance(ScoringWorkspace& workspace, int chart);
void cardio(ScoringWorkspace& workspace, int chart, const SpectrumAlarm& alarm);
void volume(ScoringWorkspace& workspace, int chart);
void tremor(ScoringWorkspace& workspace, int chart);

}  // namespace groups

}  // namespace lumo::scoring
