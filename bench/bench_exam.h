#pragma once

// The exam the scoring benchmarks share: nine 10-minute charts of 20
// questions each with their results tables, in a temporary data home.
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include <unistd.h>

#include "bench_settings.h"
#include "core/question_set.h"
#include "core/settings.h"
#include "core/text_file.h"
#include "formats/chart.h"
#include "formats/results_table.h"
#include "scoring/scoring_run.h"

namespace lumo::bench {

namespace fs = std::filesystem;

// The scoring runs of the benchmarks show nothing.
class SilentView : public scoring::ScoringView {
public:
    void showWarning(const std::string&) override {}
    void showError(const std::string&) override {}
};

inline constexpr int kCharts = 9;
inline constexpr int kQuestions = 20;
inline constexpr int kSeconds = 600;
inline constexpr double kPi = 3.14159265358979323846;

// Eight channels of a reacting examinee, one record per 1/8 s.
inline std::string chartBytes(const std::vector<int>& onsets, unsigned seed) {
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

// Built once for every benchmark of the run.
inline const Exam& benchExam() {
    static const Exam exam;
    return exam;
}

}  // namespace lumo::bench
