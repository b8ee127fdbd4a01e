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

#include "bench_settings.h"
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

constexpr int kCharts = 9;
constexpr int kQuestions = 20;
constexpr int kSeconds = 600;
constexpr double kPi = 3.14159265358979323846;

class SilentView : public scoring::ScoringView {
public:
    void showWarning(const std::string&) override {}
    void showError(const std::string&) override {}
};

// Eight channels of a reacting examinee, one record per 1/8 s.
std::string chartBytes(const std::vector<int>& onsets, unsigned seed) {
    const std::array<float, 8> gains = {1, 1, 1, 1, 1, 1, 1, 1};
    std::string out = formats::chartSignature() + formats::encodeChartHeader(8, 1, 0, 0, 0, gains);
    unsigned state = seed;
    auto noise = [&state] {
        state = state * 1664525u + 1013904223u;
        return static_cast<double>(state >> 8) / (1u << 24) - 0.5;
    };
    auto block = [](double v) {
        formats::TChartBlock b;
        b.adc = static_cast<std::int16_t>(std::lround(std::fmin(4095, std::fmax(0, v))));
        return b;
    };
    std::vector<formats::TChartBlock> fast(4);
    std::vector<formats::TChartBlock> slow(7);
    std::size_t next = 0;
    double since = 1e9;
    for (int m = 0; m < kSeconds * 8; ++m) {
        std::uint16_t mark = 0;
        if (next < onsets.size() && onsets[next] / 4 == m) {
            mark = 1000;
            since = 0;
            ++next;
        }
        for (int s = 0; s < 4; ++s) {
            const double t = (4.0 * m + s) / 32;
            fast[static_cast<std::size_t>(s)] = block(2048 + 400 * std::sin(2 * kPi * 1.2 * t) + 20 * noise());
        }
        const double t = m / 8.0;
        const double response = since < 15 ? std::exp(-std::fabs(since - 4) / 3) : 0;
        const double values[7] = {2048 + 500 * std::sin(2 * kPi * 0.25 * t) * (1 - 0.4 * response),
                                  2048 + 400 * std::sin(2 * kPi * 0.25 * t + 0.7),
                                  2048 + 300 * std::sin(2 * kPi * 1.2 * t + 1) - 200 * response,
                                  2048 + 100 * std::sin(2 * kPi * 1.1 * t),
                                  1000 + 600 * response + 5 * noise(),
                                  2048 + 80 * noise(),
                                  2048 + 200 * response};
        for (int c = 0; c < 7; ++c) slow[static_cast<std::size_t>(c)] = block(values[c] + 10 * noise());
        formats::appendChartRecord(out, fast, slow, mark);
        since += 0.125;
    }
    return out;
}

struct Exam {
    fs::path home;
    scoring::ExamFiles files;
    Exam() {
        home = fs::temp_directory_path() / ("lumo-bench-scoring-" + std::to_string(::getpid()));
        fs::create_directories(home / "DAT" / "#0000001");
        core::writeTextLines(home / "lumo7w.ini", lumo::bench::scoringSettingsLines(7));
        const fs::path folder = home / "DAT" / "#0000001";
        std::vector<std::string> exam = {"Examinee", "Operator", "1", "0", std::to_string(kQuestions), "Mark",
                                         "07-03-2001", "5", "5", "5", "5", "0", "0", "0"};
        const char* letters = "RICN";
        for (int q = 1; q <= kQuestions; ++q) {
            const std::string sign = std::string(" ") + letters[(q - 1) % 4] + std::to_string((q - 1) / 4 + 1);
            exam.insert(exam.end(), {(q < 10 ? " " : "") + std::to_string(q), sign, "-", "Question?", "", "1", "1",
                                     "1", "1", " "});
        }
        core::writeTextLines(folder / "exam_01.qs_", exam);
        files = scoring::examFiles(folder, 1, kCharts);
        core::Settings settings(home);
        settings.load();
        const core::TQstTest questions(files.questionSet, 7, core::QuestionTypes(settings));
        for (int k = 1; k <= kCharts; ++k) {
            std::vector<int> onsets;
            formats::TQtFile table(questions);
            table.SetRowCount(kQuestions);
            for (int q = 1; q <= kQuestions; ++q) {
                const int onset = (15 + 25 * (q - 1)) * 32;
                onsets.push_back(onset);
                table.SetQuestionNumber(q, (q + k - 2) % kQuestions + 1);
                table.SetOnset(q, static_cast<std::uint32_t>(onset));
                table.SetRowMark(q, "-");
            }
            table.questionTime = 15;
            table.duration = kSeconds;
            table.SaveToFile(files.tables[static_cast<std::size_t>(k - 1)]);
            const std::string bytes = chartBytes(onsets, static_cast<unsigned>(k));
            std::FILE* file = std::fopen(files.charts[static_cast<std::size_t>(k - 1)].c_str(), "wb");
            std::fwrite(bytes.data(), 1, bytes.size(), file);
            std::fclose(file);
        }
    }
    ~Exam() {
        std::error_code ignored;
        fs::remove_all(home, ignored);
    }
};

// Built once for both benchmarks.
const Exam& benchExam() {
    static const Exam exam;
    return exam;
}

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
    SilentView view;
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
