#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "core/settings.h"
#include "core/string_table.h"
#include "core/texts/recording.h"
#include "recording/autonomic_summary.h"
#include "recording/state_estimate_report.h"
#include "recording/state_picture.h"

namespace lumo::recording {
namespace {

class StateReportTest : public ::testing::Test {
protected:
    StateReportTest() : settings_("/nonexistent"), texts_(strings_, settings_) {
        // Four spectra: three of 0.8 ... 0.9 s, one of 0.9 ... 1 s.
        s.windows = 9;
        s.count = 4;
        s.meanFrequency = 1.25f;
        s.meanFrequencySquare = 1.625f;
        s.histogram[5] = 3;
        s.histogram[6] = 1;
        s.longestPeriod = 0.9f;
        s.shortestPeriod = 0.75f;
        s.largestWindowMean = 2110.5f;
        s.smallestWindowMean = 2100.25f;
        s.gsc0 = 2500;
    }

    std::string failure(const StateStatistics& statistics) const {
        try {
            (void)stateReport(statistics, 0, texts_);
        } catch (const EMathError& error) {
            return error.what();
        }
        return "";
    }

    core::Settings settings_;
    core::StringTable strings_;
    core::Texts texts_;
    StateStatistics s;
};

TEST_F(StateReportTest, TheSixLinesInBothLanguages) {
    const StateReport report = stateReport(s, 2490, texts_);
    EXPECT_EQ(report.count, 4u);
    EXPECT_DOUBLE_EQ(report.pulseRate, 75);
    EXPECT_DOUBLE_EQ(report.mainToneProbability, 0.75);
    // sqrt(4 x 1.625 / 3 - 1.25^2) / 1.25
    EXPECT_NEAR(report.frequencyVariance, std::sqrt(6.5 / 3 - 1.5625) / 1.25, 1e-12);
    EXPECT_DOUBLE_EQ(report.bloodVolumeAmplitude, 10.25);
    EXPECT_DOUBLE_EQ(report.gscTrend, -2.5);
    EXPECT_EQ(stateReportText(report, texts_),
              "Pulse Mean Frequency = 75.00 rpm\n"
              "Probability of Main Tone Appearance = 0.75\n"
              "Cardiointervals Span =0.15 s\n"
              "Frequency Variance = 0.6218\n"
              "Blood Volume Amplitude = 10.2500\n"
              "GSC Trend = -2.50");
    settings_.list().setValue("Language", "RUS");
    EXPECT_EQ(stateReportText(report, texts_),
              "Средняя частота пульса = 75.00 уд/мин\n"
              "Вероятность появления основного тона = 0.75\n"
              "Размах кардиоинтервалов =0.15 с\n"
              "Вариабельность частоты = 0.6218\n"
              "Амплитуда кровенаполнения = 10.2500\n"
              "Тренд КГР = -2.50");
}

TEST_F(StateReportTest, TooFewSpectraOrNoNumbersGiveNoReportAndNoIndices) {
    // Spectra came and none was accepted: the signal; none came yet: the length.
    StateStatistics none;
    none.windows = 5;
    EXPECT_EQ(failure(none), texts_(txt::StateNoPeriods));
    none.windows = 0;
    EXPECT_EQ(failure(none), texts_(txt::StateTooShort));
    StateStatistics one = s;
    one.count = 1;
    EXPECT_EQ(failure(one), texts_(txt::StateTooShort));
    EXPECT_THROW((void)autonomicIndices(one, texts_), EMathError);
    StateStatistics broken = s;
    broken.meanFrequencySquare = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(failure(broken), texts_(txt::StateReportImpossible));
    broken = s;
    broken.largestWindowMean = std::numeric_limits<float>::infinity();
    EXPECT_EQ(failure(broken), texts_(txt::StateReportImpossible));
}

TEST_F(StateReportTest, IndicesSummaryAndVerdict) {
    const AutonomicIndices indices = autonomicIndices(s, texts_);
    EXPECT_DOUBLE_EQ(indices.frequency, 1.25 * 150 - 130);
    EXPECT_DOUBLE_EQ(indices.mainTone, 110);
    EXPECT_NEAR(indices.stability, 100 - std::sqrt(6.5 / 3 - 1.5625) * 400 / 1.25, 1e-9);
    EXPECT_DOUBLE_EQ(indices.bloodVolume, 10.25 * 0.5 - 40);
    EXPECT_DOUBLE_EQ(indices.summary,
                     (indices.frequency + indices.mainTone + indices.stability + indices.bloodVolume) / 4);

    EXPECT_EQ(verdictOf(40), Verdict::Relax);
    EXPECT_EQ(verdictOf(-300), Verdict::Relax);
    EXPECT_EQ(verdictOf(40.001), Verdict::Balance);
    EXPECT_EQ(verdictOf(59.999), Verdict::Balance);
    EXPECT_EQ(verdictOf(60), Verdict::Stress);
    EXPECT_STREQ(verdictName(verdictOf(40)), "relax");
    EXPECT_STREQ(verdictName(verdictOf(50)), "balance");
    EXPECT_STREQ(verdictName(verdictOf(60)), "stress");
    EXPECT_EQ(verdictTexts(Verdict::Relax).headline, txt::SummaryRelax);
    EXPECT_EQ(verdictTexts(Verdict::Relax).advice, txt::SummaryStimulate);
    EXPECT_EQ(verdictTexts(Verdict::Stress).headline, txt::SummaryStress);
    EXPECT_EQ(verdictTexts(Verdict::Stress).advice, txt::SummaryCalm);
    EXPECT_EQ(verdictTexts(Verdict::Balance).headline, 0);
    EXPECT_EQ(verdictTexts(Verdict::Balance).advice, txt::SummaryBalance);
}

TEST_F(StateReportTest, AllPeriodsInOneBinDrawTheProbabilityIndexAtTheFullScale) {
    s.histogram = {};
    s.histogram[5] = s.count;
    EXPECT_DOUBLE_EQ(s.mainToneProbability(), 1.0);
    const AutonomicIndices indices = autonomicIndices(s, texts_);
    EXPECT_DOUBLE_EQ(indices.mainTone, 160);
    EXPECT_EQ(shownPercent(indices.mainTone), 100);
    const ScaleBar bar = scaleBar(indices.mainTone, 220, 20);
    EXPECT_EQ(bar.markerX, bar.zones[2].right);
    // Below the scale: clamped to 0; halves of the shown percentage go to the even neighbour.
    EXPECT_EQ(scaleBar(-34.875, 220, 20).markerX, bar.zones[0].left);
    EXPECT_EQ(shownPercent(-34.875), 0);
    EXPECT_EQ(shownPercent(57.5), 58);
    EXPECT_EQ(shownPercent(56.5), 56);
    EXPECT_EQ(shownPercent(std::nan("")), 0);
}

TEST(ScaleBarTest, GreenYellowRedOverFortyTwentyAndFortyPerCent) {
    // 200 pixels of scale between 10 pixels of room at either end.
    const ScaleBar bar = scaleBar(50, 220, 20);
    EXPECT_EQ(bar.zones[0].left, 10);
    EXPECT_EQ(bar.zones[0].right, 90);
    EXPECT_EQ(bar.zones[1].left, 90);
    EXPECT_EQ(bar.zones[1].right, 130);
    EXPECT_EQ(bar.zones[2].left, 130);
    EXPECT_EQ(bar.zones[2].right, 210);
    EXPECT_EQ(bar.zones[0].colour, (core::Rgb{0, 255, 0}));
    EXPECT_EQ(bar.zones[1].colour, (core::Rgb{255, 255, 0}));
    EXPECT_EQ(bar.zones[2].colour, (core::Rgb{255, 0, 0}));
    EXPECT_EQ(bar.markerX, 110);
    EXPECT_EQ(bar.markerY, 10);
    EXPECT_EQ(bar.top, 5);
    EXPECT_EQ(bar.bottom, 15);
}

TEST(ScaleMarkerTest, TheMarkerSettingAndItsReplacement) {
    core::SettingsList list;
    list.setValue("ItalChar", "<default>");
    EXPECT_EQ(scaleMarker(list), ScaleMarker{});
    EXPECT_EQ(list.value("ItalChar"), "<default>");
    list.setValue("ItalChar", "108");
    EXPECT_EQ(scaleMarker(list), (ScaleMarker{false, U'\u25CF'}));
    list.setValue("ItalChar", "74");
    EXPECT_EQ(scaleMarker(list), (ScaleMarker{false, U'\u263A'}));
    list.setValue("ItalChar", "$8C");
    EXPECT_EQ(scaleMarker(list), (ScaleMarker{false, U'\u2776'}));
    // A code without a known look keeps the ellipse and the setting.
    list.setValue("ItalChar", "65");
    EXPECT_EQ(scaleMarker(list), ScaleMarker{});
    EXPECT_EQ(list.value("ItalChar"), "65");
    for (const char* bad : {"star", "12x", ""}) {
        list.setValue("ItalChar", bad);
        EXPECT_EQ(scaleMarker(list), ScaleMarker{}) << bad;
        EXPECT_EQ(list.value("ItalChar"), "<Default>") << bad;
    }
}

TEST(StatePictureTest, TracesMoveRightThenThePictureScrollsUnderThem) {
    EXPECT_EQ(TraceStrip::traceY(0, 102), 101);
    EXPECT_EQ(TraceStrip::traceY(4096, 102), 1);
    EXPECT_EQ(TraceStrip::traceY(2048, 102), 51);
    TraceStrip strip({false, true});
    strip.resize(20, 102);
    TraceStep step = strip.advance({0, 0});
    EXPECT_TRUE(step.first);
    EXPECT_FALSE(step.scroll);
    EXPECT_EQ(step.x, 0);
    EXPECT_EQ(step.toY, (std::array<int, 2>{101, 1}));  // the second trace is drawn upside down
    step = strip.advance({2048, 4096});
    EXPECT_FALSE(step.first);
    EXPECT_EQ(step.x, 1);
    EXPECT_EQ(step.fromY, (std::array<int, 2>{101, 1}));
    EXPECT_EQ(step.toY, (std::array<int, 2>{51, 101}));
    for (int i = 0; i < 3; ++i) step = strip.advance({0, 0});
    EXPECT_EQ(step.x, 4);
    EXPECT_FALSE(step.scroll);
    // Column 5 is width - 15: from there the picture moves.
    step = strip.advance({0, 0});
    EXPECT_TRUE(step.scroll);
    EXPECT_EQ(step.x, 4);
    strip.resize(30, 50);
    EXPECT_TRUE(strip.advance({0, 0}).first);
}

TEST(StatePictureTest, HistogramBarsLabelsAndTheMainTonePercentage) {
    StateStatistics s;
    s.count = 10;
    s.histogram[3] = 4;
    s.histogram[5] = 4;  // a tie: the first is the highest
    s.histogram[11] = 2;
    const TextWidth width = [](const std::string& text) { return static_cast<int>(text.size()) * 6; };
    // 240 wide: 20 pixels a bin; 130 high with texts of 10: the plot spans 12 ... 116.
    const BoardPicture picture = histogramPicture(s, 240, 130, 10, width);
    std::vector<BoardRect> bars;
    std::vector<BoardText> texts;
    for (const BoardItem& item : picture.items) {
        if (const auto* bar = std::get_if<BoardRect>(&item)) bars.push_back(*bar);
        if (const auto* text = std::get_if<BoardText>(&item)) texts.push_back(*text);
    }
    ASSERT_EQ(bars.size(), 12u);
    const core::Rgb red{255, 0, 0}, yellow{255, 255, 0};
    for (int bin = 0; bin < 12; ++bin) EXPECT_EQ(bars[bin].fill, bin == 3 ? red : yellow) << bin;
    EXPECT_EQ(bars[3].from, (BoardPoint{63, 116 - 42}));  // 40 % of 104 pixels
    EXPECT_EQ(bars[3].to, (BoardPoint{77, 116}));
    EXPECT_EQ(bars[0].from.y, 116);
    EXPECT_EQ(bars[11].from.y, 116 - 21);
    ASSERT_EQ(texts.size(), 13u);
    EXPECT_EQ(texts[0].text, "40%");
    EXPECT_EQ(texts[0].at, (BoardPoint{70 - 9, 116 - 42 - 11}));
    EXPECT_EQ(texts[1].text, "0.35");
    EXPECT_EQ(texts[1].at, (BoardPoint{10 - 12, 118}));
    EXPECT_EQ(texts[12].text, "1.45");
    EXPECT_EQ(texts[12].at, (BoardPoint{230 - 12, 118}));

    // Nothing accepted: only the labels.
    EXPECT_EQ(histogramPicture(StateStatistics{}, 240, 130, 10, width).items.size(), 12u);

    const StepOutline outline = histogramOutline(s, 240, 130, 10, width);
    ASSERT_EQ(outline.polygon.size(), 26u);
    EXPECT_EQ(outline.polygon.front(), (BoardPoint{0, 116}));
    EXPECT_EQ(outline.polygon[7], (BoardPoint{60, 74}));
    EXPECT_EQ(outline.polygon[8], (BoardPoint{80, 74}));
    EXPECT_EQ(outline.polygon[24], (BoardPoint{240, 95}));
    EXPECT_EQ(outline.polygon.back(), (BoardPoint{240, 116}));
    EXPECT_EQ(outline.labels.size(), 12u);
    EXPECT_EQ(outline.labels[5].text, "0.85");
}

}  // namespace
}  // namespace lumo::recording
