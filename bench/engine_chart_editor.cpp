// Opening the chart editor on an exam of nine 10-minute charts, scored in the
// workstation's workspace: the exam file read, chart 1 selected and its
// picture computed (every second sample of eight slots, the onsets, signs,
// stress bars and artefact marks). The target for the first chart is 50 ms.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_exam.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "scoring/chart_editor.h"
#include "scoring/scoring_run.h"
#include "scoring/workspace.h"

namespace {

using namespace lumo;

void BM_OpenChartEditor(benchmark::State& state) {
    core::Settings settings(bench::benchExam().home);
    settings.load();
    const core::StringTable strings;
    const core::Texts texts(strings, settings);
    scoring::ScoringWorkspace workspace;
    workspace.allocate();
    bench::SilentView view;
    if (!scoring::ScoreExam(workspace, settings, texts, bench::benchExam().files, view).success) {
        state.SkipWithError("the scoring run failed");
        return;
    }
    scoring::ChartEditorSteps steps;
    steps.error = steps.inform = [&state](const std::string& text) { state.SkipWithError(text.c_str()); };
    std::size_t points = 0;
    for (auto _ : state) {
        scoring::ChartEditor editor(workspace, settings, texts, bench::benchExam().files, steps);
        if (!editor.open()) break;
        const scoring::ChartEditorPicture picture = editor.picture();
        points = picture.traces.size() * picture.traces.front().points.size();
        benchmark::DoNotOptimize(picture.traces.data());
    }
    state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(BM_OpenChartEditor)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
