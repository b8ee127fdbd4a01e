// Clicking a chart box of the results window: the question scores of the
// selected charts recomputed and the summary's cells filled, for the largest
// exam (nine charts of 60 rows, 20 questions). The window's target is 5 ms.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>
#include <unistd.h>

#include "bench_settings.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "core/text_file.h"
#include "scoring/decision_view.h"
#include "scoring/result_tables.h"
#include "scoring/workspace.h"

namespace {

namespace fs = std::filesystem;
using namespace lumo;

struct ResultsExam {
    fs::path home;
    std::unique_ptr<core::Settings> settings;
    core::StringTable strings;
    scoring::ScoringWorkspace workspace;

    ResultsExam() {
        home = fs::temp_directory_path() / ("lumo-results-bench-" + std::to_string(::getpid()));
        fs::create_directories(home);
        core::writeTextLines(home / "lumo7w.ini", lumo::bench::scoringSettingsLines(3));
        settings = std::make_unique<core::Settings>(home);
        settings->load();
        workspace.allocateLazily();
        scoring::ExamInfo& exam = workspace.exam();
        exam.method = 1;
        exam.questionCount = core::kMaxQuestions;
        const char* signs[] = {" R", " I", " C"};
        for (int q = 1; q <= core::kMaxQuestions; ++q) {
            exam.questions[static_cast<std::size_t>(q)] = {signs[q % 3] + std::to_string(q), "-", "Question", " "};
        }
        std::mt19937 random(7);
        std::uniform_int_distribution<int> mark(-1, 1);
        workspace.chartCount = core::kMaxChartsPerExam;
        for (int c = 1; c <= workspace.chartCount; ++c) {
            workspace.chart(c).rowCount = scoring::kMaxRows;
            for (int r = 1; r <= scoring::kMaxRows; ++r) {
                workspace.row(c, r).question = (r - 1) % core::kMaxQuestions + 1;
                for (int f = 1; f <= scoring::kTotalSlot; ++f) {
                    workspace.stressMarks()(c, r, f) = static_cast<float>(mark(random));
                    workspace.lieMarks()(c, r, f) = static_cast<float>(mark(random));
                }
            }
        }
    }
    ~ResultsExam() {
        std::error_code ignored;
        fs::remove_all(home, ignored);
    }
};

void BM_ChartBoxClick(benchmark::State& state) {
    ResultsExam exam;
    scoring::DecisionView view(exam.workspace, *exam.settings, exam.strings);
    view.mode = state.range(0) != 0 ? scoring::DecisionMode::Lie : scoring::DecisionMode::Stress;
    bool on = false;
    for (auto _ : state) {
        view.selectChart(1, on);
        on = !on;
        view.computeQuestionScores();
        view.showDecision();
        auto cells = scoring::summaryCells(view.summary(core::Language::English));
        benchmark::DoNotOptimize(cells);
    }
}
BENCHMARK(BM_ChartBoxClick)->Arg(0)->Arg(1)->ArgName("lie")->Unit(benchmark::kMicrosecond);

}  // namespace
