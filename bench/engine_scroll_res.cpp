// The scrolling review of a 10-minute chart (19 200 points, eight channels):
// opening it (files read, positions, scale data, change events and the
// first drawing of a 1 280-pixel picture) has 30 ms; a scroll step of 16
// pixels, which draws only the exposed strip, has 2 ms.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>
#include <unistd.h>

#include "bench_settings.h"
#include "core/clock.h"
#include "core/question_set.h"
#include "core/settings.h"
#include "core/atomic_file.h"
#include "core/text_file.h"
#include "core/workstation.h"
#include "formats/chart.h"
#include "formats/results_table.h"
#include "formats/screen_settings.h"
#include "review/scroll_res_view.h"

namespace {

namespace fs = std::filesystem;
using namespace lumo;

constexpr int kSeconds = 600;
constexpr int kRows = 28;

struct FixedMeasure final : core::TextMeasure {
    double width(const std::string& text, const core::TextStyle&) const override { return 7.0 * text.size(); }
    double lineHeight(const core::TextStyle&) const override { return 13; }
};

// A data home with exam 01 of #0000001: its chart, screen settings and results table.
struct ReviewHome {
    fs::path home;
    fs::path chart;
    std::unique_ptr<core::Workstation> ws;

    ReviewHome() {
        home = fs::temp_directory_path() / ("lumo-review-bench-" + std::to_string(::getpid()));
        const fs::path folder = home / "DAT" / "#0000001";
        fs::create_directories(folder);
        std::vector<std::string> lines = lumo::bench::scoringSettingsLines(7);
        lines.insert(lines.end(), {"MonitorDiagonal=381", "MaxSubj=999", "MaxUser=20", "NMethod=6"});
        for (int i = 0; i < 8; ++i) lines.push_back("ChVisible" + std::to_string(i) + "=1");
        core::writeTextLines(home / "lumo7w.ini", lines);

        std::vector<std::string> exam = {"Examinee", "Operator 1", "1", "0", "7", "Exam", "07-03-2001"};
        for (int t = 0; t < 7; ++t) exam.push_back("0");
        const char* signs[] = {" N1", " C1", " R1", " C2", " R2", " N2", " R3"};
        for (int q = 1; q <= 7; ++q) {
            exam.insert(exam.end(), {" " + std::to_string(q), signs[q - 1], "-", "Question?", "", "1", "1", "1", "1", " "});
        }
        core::writeTextLines(folder / "exam_01.qs_", exam);

        // Every channel a sine of its own, a question every 20 s with its end and answer, a tick every second.
        const std::array<float, 8> gains = {1, 1, 1, 1, 1, 1, 1, 1};
        std::string bytes = formats::chartSignature() + formats::encodeChartHeader(8, 1, 0, 0, 0, gains);
        std::vector<formats::TChartBlock> fast(4);
        std::vector<formats::TChartBlock> slow(7);
        for (int m = 0; m < kSeconds * 8; ++m) {
            const auto at = [m](int c, int s) {
                const double t = (4.0 * m + s) / 32;
                return formats::TChartBlock{0, static_cast<std::int16_t>(2048 + 400 * std::sin(t * (1 + c * 0.3))), 0};
            };
            for (int s = 0; s < 4; ++s) fast[static_cast<std::size_t>(s)] = at(0, s);
            for (int c = 1; c < 8; ++c) slow[static_cast<std::size_t>(c - 1)] = at(c, 0);
            std::uint16_t mark = m % 8 == 0 && m > 0 ? static_cast<std::uint16_t>(m / 8 - 1) : 0;
            if (m == 1) mark = 30000;
            const int inQuestion = m % 160;
            if (m > 80 && inQuestion == 0) mark += 1000;
            if (m > 80 && inQuestion == 24) mark += 2000;
            if (m > 80 && inQuestion == 30) mark += 4000;
            if (m > 80 && inQuestion == 120) mark += 5000;
            formats::appendChartRecord(bytes, fast, slow, mark);
        }
        chart = folder / "exam_01.ch1";
        core::writeFileAtomically(chart, bytes);

        formats::ScreenSettings screen;
        for (int c = 0; c < 8; ++c) {
            screen.bandHeights[static_cast<std::size_t>(c)] = 120;
            screen.events.push_back({0, c, 33, 62 + 125 * c, 2 * 2048 * 33 / 16384.0f - 1});
        }
        for (int e = 1; e < 40; ++e) screen.events.push_back({e * 480, e % 8, static_cast<std::uint8_t>(e % 2 ? 44 : 33), 62 + 125 * (e % 8), 0.0f});
        formats::writeScreenSettingsFile(folder / "exam_01.sc1", screen);

        core::Settings settings(home);
        settings.load();
        const core::TQstTest questions(folder / "exam_01.qs_", core::kExamTypeCounters, core::QuestionTypes(settings));
        formats::TQtFile table(questions);
        table.sampleCount = kSeconds * 32;
        table.SetRowCount(kRows);
        for (int r = 1; r <= kRows; ++r) {
            table.SetQuestionNumber(r, (r - 1) % 7 + 1);
            table.SetRowMark(r, "-");
            table.SetOnset(r, static_cast<std::uint32_t>((10 + 20 * r) * 32));
        }
        table.SaveToFile(folder / "exam_01.qt1");
        core::writeTextLines(folder / "subject.dat", {"Name=Bench", "Operator=Operator 1", "Date=07-03-2001", "Archive= "});

        ws = std::make_unique<core::Workstation>(home, std::make_unique<core::ManualClock>());
        ws->initialise();
    }
    ~ReviewHome() { fs::remove_all(home); }
};

ReviewHome& reviewHome() {
    static ReviewHome home;
    return home;
}

std::unique_ptr<review::ScrollResView> makeView() {
    auto view = std::make_unique<review::ScrollResView>(*reviewHome().ws, review::ScrollResSteps{});
    view->setArea(1280, 800, 96);
    return view;
}

void BM_ScrollResOpen(benchmark::State& state) {
    ReviewHome& home = reviewHome();
    const FixedMeasure measure;
    for (auto _ : state) {
        const std::unique_ptr<review::ScrollResView> view = makeView();
        view->open(home.chart);
        const review::ScrollResPicture picture = view->draw(measure, core::TextStyle{"", 8, true});
        benchmark::DoNotOptimize(picture.traces.data());
    }
}
BENCHMARK(BM_ScrollResOpen)->Unit(benchmark::kMillisecond)->Repetitions(7)->ReportAggregatesOnly(true);

void BM_ScrollResScrollStep(benchmark::State& state) {
    const std::unique_ptr<review::ScrollResView> view = makeView();
    view->open(reviewHome().chart);
    const FixedMeasure measure;
    const core::TextStyle style{"", 8, true};
    view->draw(measure, style);
    int step = 16;
    std::size_t strokes = 0;
    for (auto _ : state) {
        if (view->scrollPosition() + step > view->scrollMaximum() || view->scrollPosition() + step < 0) step = -step;
        view->scrollTo(view->scrollPosition() + step);
        const review::ScrollResPicture picture = view->draw(measure, style);
        if (picture.full()) state.SkipWithError("a scroll step drew the whole picture");
        strokes += picture.traces.empty() ? 0 : picture.traces[0].points.size();
        benchmark::DoNotOptimize(picture.traces.data());
    }
    state.counters["trace points"] = benchmark::Counter(static_cast<double>(strokes), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ScrollResScrollStep)->Unit(benchmark::kMicrosecond)->Repetitions(7)->ReportAggregatesOnly(true);

}  // namespace
