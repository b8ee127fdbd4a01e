// The parameter scroll view on a ten-minute chart (4800 records, 19 197
// points of 8 channels, 20 questions) in a 1280-pixel panel: a full redraw
// of one panel at "at all" (target 5 ms) and a scroll step of 16 pixels
// (target 1 ms), the drawing's display list computed, not painted.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>
#include <unistd.h>

#include "bench_settings.h"
#include "core/question_set.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "core/atomic_file.h"
#include "core/text_file.h"
#include "formats/chart.h"
#include "formats/results_table.h"
#include "review/scroll_par_view.h"

namespace {

namespace fs = std::filesystem;
using namespace lumo;

constexpr int kRecords = 4800;
constexpr int kQuestions = 20;

class CharMeasure : public review::ParTextMeasure {
public:
    int width(std::string_view text) const override { return 8 * static_cast<int>(text.size()); }
    int height() const override { return 16; }
};

// A data home with exam 01 of one examinee and its first chart.
struct TenMinuteExam {
    fs::path home;
    fs::path folder;
    std::unique_ptr<core::Settings> settings;
    core::StringTable strings;
    std::unique_ptr<core::Texts> texts;

    TenMinuteExam() {
        std::string pattern = (fs::temp_directory_path() / "lumo-par-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
        home = pattern;
        folder = home / "DAT" / "#0000001";
        fs::create_directories(folder);
        std::vector<std::string> lines = bench::scoringSettingsLines(7);
        for (int c = 0; c < 8; ++c) lines.push_back("ChVisible" + std::to_string(c) + "=1");
        core::writeTextLines(home / "lumo7w.ini", lines);
        settings = std::make_unique<core::Settings>(home);
        settings->load();
        texts = std::make_unique<core::Texts>(strings, *settings);

        core::TQstTest set{core::QuestionTypes(*settings)};
        for (int q = 1; q <= kQuestions; ++q) {
            core::TQsHandle question;
            question.number = (q < 10 ? " " : "") + std::to_string(q);
            question.sign = q % 2 == 0 ? " R" + std::to_string(q) : " C" + std::to_string(q);
            question.answer = "-";
            question.textPart1 = "Question " + std::to_string(q) + "?";
            set.questions.push_back(question);
        }
        set.save(folder / "exam_01.qs_");

        const std::vector<float> gains = {1, 2, 4, 8, 16, 32, 64, 128};
        std::string bytes = formats::chartSignature() + formats::encodeChartHeader(8, 1, 2048, 2048, 0.37f, gains);
        std::uint32_t seed = 7;
        auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
        for (int m = 0; m < kRecords; ++m) {
            std::vector<formats::TChartBlock> fast, slow;
            for (int s = 0; s < 4; ++s) fast.push_back({0, static_cast<std::int16_t>(next() % 4096), 2048});
            for (int c = 1; c < 8; ++c) slow.push_back({0, static_cast<std::int16_t>(next() % 4096), 2048});
            // A second tick every eight records, a question every 20 s.
            std::uint16_t mark = m % 8 == 0 ? static_cast<std::uint16_t>(m / 8) : 0;
            if (m % 160 == 80) mark = static_cast<std::uint16_t>(mark + 1000);
            if (m % 160 == 120) mark = static_cast<std::uint16_t>(mark + 5000);
            formats::appendChartRecord(bytes, fast, slow, mark);
        }
        core::writeFileAtomically(folder / "exam_01.ch1", bytes);

        formats::TQtFile table(set);
        table.sampleCount = 4 * kRecords;
        table.SetRowCount(28);
        for (int row = 1; row <= 28; ++row) {
            table.SetQuestionNumber(row, (row - 1) % kQuestions + 1);
            table.SetRowMark(row, "-");
            table.SetOnset(row, static_cast<std::uint32_t>(320 + 640 * (row - 1)));
        }
        table.SaveToFile(folder / "exam_01.qt1");
    }
    ~TenMinuteExam() {
        std::error_code ignored;
        fs::remove_all(home, ignored);
    }

    std::unique_ptr<review::ParameterScroll> open() const {
        auto view = std::make_unique<review::ParameterScroll>(
            *settings, *texts, review::ReviewTarget{folder / "exam_01.ch1", "#0000001", "Bench"});
        view->setResolution(96);
        view->setPanelSize(1280, 420, 16);
        view->open();
        return view;
    }
};

void BM_ScrollParFullRedrawAtAll(benchmark::State& state) {
    const TenMinuteExam exam;
    auto view = exam.open();
    const CharMeasure measure;
    for (auto _ : state) {
        view->panel(1).invalidate();
        auto strip = view->draw(1, measure);
        benchmark::DoNotOptimize(strip.items.data());
    }
}
BENCHMARK(BM_ScrollParFullRedrawAtAll)->Unit(benchmark::kMillisecond);

// Forth and back by 16 pixels: every drawing moves the picture and draws one strip.
void BM_ScrollParScrollStep16(benchmark::State& state) {
    const TenMinuteExam exam;
    auto view = exam.open();
    view->applyScale(static_cast<review::ParScale>(state.range(0)));
    const CharMeasure measure;
    view->scrollTo(1, 1000);
    view->draw(1, measure);
    int direction = 1;
    for (auto _ : state) {
        view->scrollTo(1, view->largeStep(1, direction));
        direction = -direction;
        auto strip = view->draw(1, measure);
        benchmark::DoNotOptimize(strip.items.data());
    }
}
BENCHMARK(BM_ScrollParScrollStep16)
    ->Arg(static_cast<int>(review::ParScale::X2))
    ->Arg(static_cast<int>(review::ParScale::X8))
    ->Arg(static_cast<int>(review::ParScale::Standard))
    ->ArgName("scale")
    ->Unit(benchmark::kMicrosecond);

}  // namespace
