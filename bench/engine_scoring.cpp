// The whole scoring run of an exam of nine 10-minute charts of 20 questions:
// results tables, charts, normalisation, features and marks; in the
// workstation's workspace, in the lazy one of the tools, and lumo-score as a
// whole process.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "bench_exam.h"
#include "core/question_set.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "core/text_file.h"
#include "formats/chart.h"
#include "formats/results_table.h"
#include "scoring/features.h"
#include "scoring/scoring_run.h"
#include "scoring/workspace.h"

namespace {

namespace fs = std::filesystem;
using namespace lumo;

using bench::benchExam;


// What a scoring run needs, set up as the workstation does it.
struct Run {
    Run() { settings.load(); workspace.allocate(); }
    bool score() { return score(workspace); }
    bool score(scoring::ScoringWorkspace& into) {
        return scoring::ScoreExam(into, settings, texts, benchExam().files, view).success;
    }

    core::Settings settings{benchExam().home};
    const core::StringTable strings;
    const core::Texts texts{strings, settings};
    scoring::ScoringWorkspace workspace;
    bench::SilentView view;
};

void BM_ScoreExam(benchmark::State& state) {
    Run run;
    for (auto _ : state) {
        const bool success = run.score();
        benchmark::DoNotOptimize(success);
        if (!success) state.SkipWithError("the scoring run failed");
    }
    state.counters["workspace_MB"] = static_cast<double>(run.workspace.memoryBytes()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_ScoreExam)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

// The run as lumo-score makes it: a fresh lazy workspace every time.
void BM_ScoreExamLazy(benchmark::State& state) {
    Run run;
    for (auto _ : state) {
        scoring::ScoringWorkspace workspace;
        workspace.allocateLazily();
        const bool success = run.score(workspace);
        benchmark::DoNotOptimize(success);
        if (!success) state.SkipWithError("the scoring run failed");
    }
}
BENCHMARK(BM_ScoreExamLazy)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

// `lumo-score --json` on the exam, start to exit, its output thrown away.
void scoreCommand(benchmark::State& state, const std::string& program) {
    const std::string home = benchExam().home.string();
    std::vector<std::string> words = {program, "--home", home, "#0000001", "1", "--json"};
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        pid_t child = 0;
        int status = -1;
        if (posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ) != 0 ||
            waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError(("lumo-score failed: " + program).c_str());
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}

void BM_ScoreCommand(benchmark::State& state) {
    scoreCommand(state, LUMO_SCORE_BINARY);
}
BENCHMARK(BM_ScoreCommand)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(15)->ReportAggregatesOnly(true);

// LUMO_SCORE_BASELINE=<an earlier lumo-score> measures it beside this one, in
// the same run.
[[maybe_unused]] const bool kBaselineRegistered = [] {
    const char* baseline = std::getenv("LUMO_SCORE_BASELINE");
    if (baseline == nullptr || *baseline == '\0') return false;
    const std::string program = baseline;
    benchmark::RegisterBenchmark("BM_ScoreCommandBaseline",
                                 [program](benchmark::State& state) { scoreCommand(state, program); })
        ->Unit(benchmark::kMillisecond)
        ->Iterations(5)
        ->Repetitions(15)
        ->ReportAggregatesOnly(true);
    return true;
}();

// The analysis alone (normalisation, features, marks) on the loaded exam, as
// the chart editor runs it after a change of exclusions.
void BM_ProcessExam(benchmark::State& state) {
    Run run;
    if (!run.score()) {
        state.SkipWithError("the scoring run failed");
        return;
    }
    for (auto _ : state) {
        scoring::ProcessExam(run.workspace, {});
        benchmark::DoNotOptimize(run.workspace.stressMarks()(1, 1, 13));
    }
}
BENCHMARK(BM_ProcessExam)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
