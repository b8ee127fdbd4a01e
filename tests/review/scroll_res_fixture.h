#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/printed_page.h"
#include "core/records.h"
#include "core/test_home.h"
#include "core/workstation.h"
#include "formats/screen_settings.h"
#include "review/scroll_res_view.h"
#include "scoring/chart_fixture.h"

namespace lumo::review::test {

namespace fs = std::filesystem;

// Text measures without fonts: every character 6 units wide, lines 10 high.
struct FixedMeasure final : core::TextMeasure {
    double width(const std::string& text, const core::TextStyle&) const override {
        return 6.0 * static_cast<double>(text.size());
    }
    double lineHeight(const core::TextStyle&) const override { return 10; }
};

// The settings every review test starts from: all eight channels shown in
// their own colours, channel 2 inverted, signs R I C N O V * with red
// relevant and grey "*", the artefact names.
inline std::vector<std::string> reviewSettings() {
    std::vector<std::string> lines = {"QColor1=RED", "QColor2=FUCHSIA", "QColor3=LIME", "Eng_QSign7=*", "QColor7=GRAY",
                                      "ChBackColor=BLACK", "Eng_Art5=Move", "Eng_Art6=Cough", "Eng_Art7=Talk",
                                      "Eng_Art8=Sigh", "Eng_ChName1_2=Breath", "Eng_ChName5=GSR",
                                      "Eng_ChName0_4=Cardio"};
    const char* colours[] = {"RED", "AQUA", "LIME", "FUCHSIA", "SILVER", "YELLOW", "WHITE", "OLIVE"};
    for (int c = 0; c < 8; ++c) {
        const std::string i = std::to_string(c);
        lines.push_back("ChVisible" + i + "=1");
        lines.push_back("ChColor" + i + "=" + colours[c]);
        lines.push_back("ChSeq" + i + "=" + std::to_string(7 - c));
        lines.push_back("ChPolar" + i + (c == 2 ? "=-" : "=+"));
    }
    return lines;
}

// The screen-settings file the test run writes at the start: bands of 100
// per mille centred at 62 + 125 c, gain 5 (55), offset 0.
inline formats::ScreenSettings startSettings() {
    formats::ScreenSettings settings;
    for (int c = 0; c < 8; ++c) {
        settings.bandHeights[static_cast<std::size_t>(c)] = 100;
        settings.events.push_back({0, c, 55, 62 + 125 * c, 0.0f});
    }
    return settings;
}

// An exam of one examinee with three charts (every chart 6 presentations
// of N1 C1 R1 C2 R2 N2, every 20 s from 15 s on), screen-settings files
// and the examinee current.
class ReviewTest : public ::testing::Test {
protected:
    void SetUp() override { writeCharts(3); }

    void writeCharts(int charts, int seconds = 0) {
        recipe.settings = reviewSettings();
        recipe.charts.clear();
        for (int k = 1; k <= charts; ++k) {
            lumo::test::ChartFiles chart = lumo::test::regularChart(recipe.signs, 6, static_cast<std::uint32_t>(k));
            if (seconds > 0) chart.recipe.seconds = seconds;
            // The second ticks, as the test run marks them: seconds since the start minus one.
            for (int s = 1; s < chart.recipe.seconds; ++s) {
                chart.recipe.marks.push_back({32 * s, static_cast<std::uint16_t>(s - 1)});
            }
            recipe.charts.push_back(chart);
        }
        lumo::test::writeExam(home.path(), recipe);
        for (int k = 1; k <= charts; ++k) writeScreen(k, startSettings());
        lumo::test::writeLines(folder() / "subject.dat",
                               {"Name=Petrov", "Operator=Operator 1", "Date=07-03-2001", "Archive= "});
    }
    void writeScreen(int chart, const formats::ScreenSettings& settings) {
        formats::writeScreenSettingsFile(folder() / ("exam_01.sc" + std::to_string(chart)), settings);
    }
    fs::path folder() const { return home / "DAT" / "#0000001"; }
    fs::path file(const std::string& extension) const { return folder() / ("exam_01." + extension); }

    // A view on chart `k` over a chart area of 1000 x 602 pixels at 96 pixels per inch.
    ScrollResView& open(int k = 1, int width = 1000) {
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>());
        ws->initialise();
        ws->records().makeCurrent(ws->records().examinees().at(0));
        ws->records().current().examNumber = 1;
        ScrollResSteps steps;
        steps.fillGainsFailed = [this](const std::string& text) { failures.push_back(text); };
        view = std::make_unique<ScrollResView>(*ws, steps);
        view->setArea(width, 602, 96);
        view->open(file("ch" + std::to_string(k)));
        return *view;
    }
    ScrollResPicture draw() { return view->draw(measure, core::TextStyle{"", 8, true}); }

    lumo::test::TempHome home;
    lumo::test::ExamRecipe recipe;
    std::unique_ptr<core::Workstation> ws;
    std::unique_ptr<ScrollResView> view;
    std::vector<std::string> failures;
    FixedMeasure measure;
};

}  // namespace lumo::review::test
