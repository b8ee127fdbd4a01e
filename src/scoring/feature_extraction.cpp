#include <exception>

#include "core/numbers.h"
#include "scoring/feature_groups.h"
#include "scoring/marks.h"
#include "scoring/workspace.h"

namespace lumo::scoring {

namespace groups {

void setCode(ScoringWorkspace& workspace, int chart, int row, int first, int count, float code) {
    FeatureTable& features = workspace.features();
    for (int f = first; f < first + count; ++f) {
        if (!isMissing(features(chart, row, f))) features(chart, row, f) = code;
    }
}

void measureRows(ScoringWorkspace& workspace, int chart, int first, int count, const Window& window,
                 const std::function<bool(int row)>& unusable,
                 const std::function<WindowResult(std::int64_t a, std::int64_t b)>& measure) {
    const int n = workspace.chart(chart).sampleCount;
    const double fs = workspace.fs;
    for (int row = 1; row <= workspace.chart(chart).rowCount; ++row) {
        if (unusable(row)) {
            setCode(workspace, chart, row, first, count, kCodeExcluded);
            continue;
        }
        const std::int64_t onset = workspace.row(chart, row).onset;
        const std::int64_t a = core::rnd(onset + window.start * fs);
        const std::int64_t b = core::rnd(onset + window.end * fs);
        if (!inside(a - window.lookBack, b, n)) {
            setCode(workspace, chart, row, first, count, kCodeTooFew);
            continue;
        }
        const WindowResult result = measure(a, b);
        if (result.failed) {
            setCode(workspace, chart, row, first, count, result.code);
            continue;
        }
        for (int f = 0; f < count; ++f) {
            workspace.features()(chart, row, first + f) = result.values[static_cast<std::size_t>(f)];
        }
    }
}

}  // namespace groups

void ExtractChartFeatures(ScoringWorkspace& workspace, int chart, const SpectrumAlarm& alarm) {
    const int rows = workspace.chart(chart).rowCount;
    groups::prepareSignals(workspace, chart);
    groups::respiration(workspace, chart, alarm);
    ValidateFeatureRuns(workspace, 1, rows, 3, chart);
    groups::skinConductance(workspace, chart);
    ValidateFeatureRuns(workspace, 2, rows, 3, chart);
    groups::cardio(workspace, chart, alarm);
    ValidateFeatureRuns(workspace, 3, rows, 3, chart);
    groups::volume(workspace, chart);
    ValidateFeatureRuns(workspace, 4, rows, 1, chart);
    groups::tremor(workspace, chart);
}

void ProcessChart(ScoringWorkspace& workspace, int chart, const SpectrumAlarm& alarm) {
    // A failure ends this chart's extraction only; what it wrote stays.
    try {
        NormaliseChart(workspace, chart);
        ExtractChartFeatures(workspace, chart, alarm);
    } catch (const std::exception&) {
    }
}

void FinishExam(ScoringWorkspace& workspace) {
    DropIncompleteQuestions(workspace);
    ComputeMarks(workspace);
}

void ProcessExam(ScoringWorkspace& workspace, const SpectrumAlarm& alarm) {
    for (int chart = 1; chart <= workspace.chartCount; ++chart) ProcessChart(workspace, chart, alarm);
    FinishExam(workspace);
}

}  // namespace lumo::scoring
