#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <vector>

#include "core/errors.h"
#include "core/settings.h"
#include "recording/display_model.h"
#include "recording/ui/chart_display.h"

namespace lumo::recording::ui {
namespace {

DisplaySettings plainSettings(bool contScroll = false, bool autoFit = false) {
    DisplaySettings s;
    for (int i = 0; i < kDisplayChannels; ++i) {
        auto& c = s.channels[static_cast<std::size_t>(i)];
        c.iMin = 100 * i + 50;
        c.iMax = 100 * i + 150;
        c.gain = 5;
        c.position = i;
        c.colour = {255, 0, 0};
    }
    s.contScroll = contScroll;
    s.autoFit = autoFit;
    return s;
}

PeriodSample sampleOf(float value, std::int32_t counter, TestPhase phase = TestPhase::Settling) {
    PeriodSample s;
    s.values.fill(value);
    s.level = 0;
    s.counter = counter;
    s.phase = phase;
    return s;
}

// 80 pixels per inch: one pixel per packet period at the standard speed.
constexpr double kResolution = 80.0;

TEST(DisplayModelTest, ReadsTheChannelSettingsSwappingInvertedBands) {
    core::Settings settings("/nonexistent");
    std::vector<std::string> lines = {"ChBackColor=Black", "Test_Speed=3", "ContScroll=true", "AutoFit=FALSE"};
    for (int i = 0; i < 8; ++i) {
        const std::string n = std::to_string(i);
        lines.push_back("Test_iMin" + n + "=" + (i == 2 ? "400" : "100"));
        lines.push_back("Test_iMax" + n + "=" + (i == 2 ? "300" : "200"));
        lines.push_back("ChPolar" + n + "=" + (i == 5 ? "-" : "+"));
        lines.push_back("ChVisible" + n + "=" + (i == 4 ? "0" : "1"));
        lines.push_back("ChColor" + n + "=Red");
        lines.push_back("ChSeq" + n + "=" + std::to_string(7 - i));
        lines.push_back("Eng_ChName" + n + "=Name" + n);
        lines.push_back("DefScrGain" + n + "=7");
    }
    settings.list().loadFromLines(lines);
    const DisplaySettings s = readDisplaySettings(settings);
    EXPECT_EQ(s.channels[2].iMin, 300);
    EXPECT_EQ(s.channels[2].iMax, 400);
    EXPECT_TRUE(s.channels[5].inverted);
    EXPECT_FALSE(s.channels[0].inverted);
    EXPECT_EQ(s.channels[4].gain, 0) << "a hidden channel starts at gain 0";
    EXPECT_EQ(s.channels[3].gain, 7);
    EXPECT_EQ(s.channels[0].position, 7);
    EXPECT_EQ(s.channels[1].name, "Name1");
    EXPECT_EQ(s.speedEntry, 2);
    EXPECT_TRUE(s.contScroll);

    settings.list().setValue("Test_iMin1", "abc");
    EXPECT_THROW(readDisplaySettings(settings), EConvertError);
}

TEST(DisplayModelTest, TraceFormulasPerChannelKind) {
    DisplaySettings s = plainSettings();
    s.channels[1].inverted = true;
    DisplayModel m(s, kResolution);
    m.setSize(400, 1000);
    EXPECT_EQ(m.bandTop(0), 50);
    EXPECT_EQ(m.bandBottom(0), 150);
    PeriodSample p = sampleOf(1000, 4);
    p.level = 4400;
    m.drawPeriod(p);
    // g = 55, band = 100: channel 0 rises by round(1000 / 16384 * 55 * 100) = 336.
    EXPECT_EQ(*m.lastY(0), 150 - 336);
    EXPECT_EQ(*m.lastY(1), 250 + 336) << "inverted channel";
    EXPECT_EQ(*m.lastY(5), 650 - 1007) << "skin resistance at three times the gain";
    // Channel 7 from the level: 4400 / 20 = 220 at half the gain.
    EXPECT_EQ(*m.lastY(7), 850 - static_cast<int>(std::lround(220.0 / 16384 * 27.5 * 100)));
    // Channel 3 starts from a ring of 2048: D = 1000 + 2048 - 2048 - 2048.
    EXPECT_DOUBLE_EQ(m.runningDifference(), 1000 + 2048 - 2048 - 2048);
}

TEST(DisplayModelTest, RunningDifferenceOfChannel3AndItsRestartOnSpeedChange) {
    DisplayModel m(plainSettings(), kResolution);
    m.setSize(400, 1000);
    const std::vector<double> x = {10, 30, 70, 20, 90, 40, 60, 15};
    for (std::size_t n = 0; n < x.size(); ++n) {
        PeriodSample p = sampleOf(0, 4 * static_cast<int>(n + 1));
        p.values[3] = static_cast<float>(x[n]);
        m.drawPeriod(p);
        if (n >= 4) {
            EXPECT_DOUBLE_EQ(m.runningDifference(), x[n] + x[n - 1] - x[n - 3] - x[n - 4]) << n;
        }
    }
    m.setSpeed(1);
    EXPECT_DOUBLE_EQ(m.runningDifference(), 0);
    PeriodSample p = sampleOf(0, 100);
    p.values[3] = 500;
    m.drawPeriod(p);
    EXPECT_DOUBLE_EQ(m.runningDifference(), 500 + 2048 - 2048 - 2048);
}

TEST(DisplayModelTest, CentringBringsTheTraceToTheMiddleOfItsBand) {
    DisplayModel m(plainSettings(), kResolution);
    m.setSize(400, 1000);
    m.drawPeriod(sampleOf(2500, 4));
    std::vector<formats::ScreenEvent> events;
    for (int c : {0, 3, 5, 7}) {
        const auto marker = m.centre(c, events);
        ASSERT_TRUE(marker) << c;
        EXPECT_NEAR(*m.traceY(c), (m.bandTop(c) + m.bandBottom(c)) / 2, 1) << c;
    }
    EXPECT_TRUE(events.empty()) << "no screen-settings events before the test starts";
    // A dragged band centres on its moved middle.
    m.drag(0, 30, events);
    m.drawPeriod(sampleOf(3000, 8));
    m.centre(0, events);
    EXPECT_NEAR(*m.traceY(0), 100 + 30, 1);
}

TEST(DisplayModelTest, GainChangeKeepsTheTraceInPlaceAndRefusesSwitchingWhileRecording) {
    DisplayModel m(plainSettings(), kResolution);
    m.setSize(400, 1000);
    m.drawPeriod(sampleOf(2100, 4));
    std::vector<formats::ScreenEvent> events;
    m.centre(0, events);
    const int before = *m.traceY(0);
    std::optional<Marker> marker;
    EXPECT_EQ(m.changeGain(0, 9, events, marker), 9);
    EXPECT_NEAR(*m.traceY(0), before, 1);
    ASSERT_TRUE(marker);
    EXPECT_TRUE(marker->up);
    EXPECT_EQ(m.changeGain(0, 2, events, marker), 2);
    EXPECT_FALSE(marker->up);
    EXPECT_NEAR(*m.traceY(0), before, 1);

    m.startRecording();
    PeriodSample p = sampleOf(2100, 8);
    p.recording = true;
    p.time = 4;
    m.drawPeriod(p);
    events.clear();
    EXPECT_EQ(m.changeGain(0, 0, events, marker), 2) << "switching off while recording is refused";
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(m.changeGain(0, 4, events, marker), 4);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].time, 4);
    EXPECT_EQ(events[0].channel, 0);
    EXPECT_EQ(events[0].gain, 44);

    DisplaySettings s = plainSettings();
    s.channels[6].gain = 0;
    DisplayModel off(s, kResolution);
    off.setSize(400, 1000);
    off.startRecording();
    EXPECT_EQ(off.changeGain(6, 3, events, marker), 0) << "switching on while recording is refused";
    EXPECT_FALSE(off.shown(6));
}

TEST(DisplayModelTest, GainZeroChannelIsNotDrawn) {
    DisplaySettings s = plainSettings();
    s.channels[2].gain = 0;
    s.channels[4].visible = false;
    DisplayModel m(s, kResolution);
    m.setSize(400, 1000);
    m.drawPeriod(sampleOf(100, 4));
    const PeriodPlan plan = m.drawPeriod(sampleOf(100, 8));
    for (const Segment& seg : plan.segments) {
        EXPECT_NE(seg.channel, 2);
        EXPECT_NE(seg.channel, 4);
    }
    EXPECT_EQ(plan.segments.size(), 6u);
}

TEST(DisplayModelTest, DragStopsAtTheChartEdgeAndIsLoggedWhileRecording) {
    DisplayModel m(plainSettings(), kResolution);
    m.setSize(400, 1000);
    std::vector<formats::ScreenEvent> events;
    EXPECT_EQ(m.drag(0, -500, events), -100) << "the band centre stops at the top edge";
    EXPECT_EQ(m.labelCentre(0), 0);
    EXPECT_EQ(m.drag(0, -5, events), 0);
    EXPECT_EQ(m.drag(7, 5000, events, 0, 990), 990 - 800);
    EXPECT_TRUE(events.empty());
    m.startRecording();
    m.drag(1, 10, events);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].centre, 210);
    EXPECT_EQ(m.savedTop(1), 160);
    EXPECT_EQ(m.savedBottom(1), 260);
}

TEST(DisplayModelTest, ScreenSettingsStartDescribesBandsAndCentres) {
    DisplayModel m(plainSettings(), kResolution);
    m.setSize(400, 768);
    const auto heights = m.bandHeights();
    // 100 per mille of 768 is 77 pixels (round), back to per mille 100.
    EXPECT_EQ(m.bandBottom(0) - m.bandTop(0), 77);
    EXPECT_EQ(heights[0], 100);
    const formats::ScreenEvent e = m.screenEvent(3, 0);
    EXPECT_EQ(e.gain, 55);
    EXPECT_EQ(e.centre, static_cast<int>(std::lround((m.bandTop(3) + m.bandBottom(3)) / 2.0 / 768 * 1000)));
    EXPECT_FLOAT_EQ(e.offset, 0);
}

TEST(DisplayModelTest, CentringAllAndTheScaleTheTestStartsWithAndKeeps) {
    DisplaySettings s = plainSettings();
    s.channels[2].gain = 0;
    s.speedEntry = 2;
    DisplayModel m(s, kResolution);
    m.setSize(400, 1000);
    std::vector<formats::ScreenEvent> events;
    EXPECT_TRUE(m.centreAll(events).empty()) << "no trace yet";
    m.drawPeriod(sampleOf(2500, 4));
    const std::vector<Marker> markers = m.centreAll(events);
    ASSERT_EQ(markers.size(), 7u) << "every channel but the one at gain 0";
    for (const Marker& marker : markers) {
        EXPECT_NE(marker.channel, 2);
        EXPECT_NEAR(*m.traceY(marker.channel), (m.bandTop(marker.channel) + m.bandBottom(marker.channel)) / 2, 1);
    }
    EXPECT_TRUE(events.empty()) << "not logged before the test starts";

    m.drag(1, 10, events);
    const ScreenStart start = m.startRecording();
    EXPECT_EQ(start.bandHeights[0], 100);
    for (int c = 0; c < kDisplayChannels; ++c) {
        EXPECT_EQ(start.events[static_cast<std::size_t>(c)], m.screenEvent(c, 0)) << c;
        EXPECT_EQ(start.events[static_cast<std::size_t>(c)].channel, c);
    }
    EXPECT_NE(start.events[0].offset, 0.0f) << "the centring's offset";
    EXPECT_EQ(start.events[1].centre, 210) << "the drag";
    EXPECT_EQ(start.events[2].gain, 0);

    PeriodSample p = sampleOf(2600, 8);
    p.recording = true;
    p.time = 12;
    m.drawPeriod(p);
    m.centreAll(events);
    ASSERT_EQ(events.size(), 7u);
    EXPECT_EQ(events[0].time, 12);

    const DisplayKeep keep = m.keep();
    EXPECT_EQ(keep.speedEntry, 2);
    EXPECT_EQ(keep.top[1], 160);
    EXPECT_EQ(keep.bottom[1], 260);
    EXPECT_EQ(keep.top[0], 50);
    EXPECT_EQ(keep.gain[0], 5);
    EXPECT_EQ(keep.gain[2], 0);
}

TEST(DisplayModelTest, HalfPageScrollingJumpsByHalfTheWidth) {
    DisplayModel m(plainSettings(false), kResolution);
    m.setSize(100, 1000);
    EXPECT_DOUBLE_EQ(m.step(), 1.0);
    for (int n = 1; n <= 97; ++n) EXPECT_FALSE(m.drawPeriod(sampleOf(0, 4 * n)).scrollBy) << n;
    // x reaches the width - 2 at period 98.
    const PeriodPlan plan = m.drawPeriod(sampleOf(0, 4 * 98));
    ASSERT_TRUE(plan.scrollBy);
    EXPECT_EQ(*plan.scrollBy, 50);
    EXPECT_EQ(m.currentX(), 48);
    EXPECT_EQ(m.scrollOffset(), 50);
}

TEST(DisplayModelTest, ContinuousScrollingStepsByOnePeriodRoundedUp) {
    DisplayModel m(plainSettings(true), 120.0);  // 1.5 pixels per period
    m.setSize(100, 1000);
    EXPECT_EQ(m.rightMargin(), 85);
    EXPECT_EQ(m.scrollStep(), 2);
    int n = 0;
    std::optional<int> first;
    while (!first && n < 200) {
        const PeriodPlan plan = m.drawPeriod(sampleOf(0, 4 * ++n));
        if (plan.scrollBy) first = *plan.scrollBy;
    }
    ASSERT_TRUE(first);
    EXPECT_EQ(*first, 2);
    // From then on x stays near the margin.
    for (int k = 0; k < 50; ++k) m.drawPeriod(sampleOf(0, 4 * ++n));
    EXPECT_GE(m.currentX(), 85 - 2 - 2);
    EXPECT_LT(m.currentX(), 85 - 2);
}

TEST(DisplayModelTest, SpeedChangeKeepsXAndScalesTheStep) {
    DisplayModel m(plainSettings(), 85.33);
    m.setSize(2000, 1000);
    for (int n = 1; n <= 37; ++n) m.drawPeriod(sampleOf(0, 4 * n));
    const int x = m.currentX();
    m.setSpeed(3);
    EXPECT_NEAR(m.step(), 4 * 85.33 / 80, 1e-9);
    EXPECT_NEAR(m.currentX(), x, 1);
    m.drawPeriod(sampleOf(0, 200));
    EXPECT_NEAR(m.currentX(), x + 4 * 85.33 / 80, 1.01);
    m.setSpeed(9);
    EXPECT_EQ(m.speedEntry(), 3);
}

TEST(DisplayModelTest, GridEveryFewPixelsAndFiveSecondLinesByTheCounter) {
    DisplayModel m(plainSettings(), kResolution);
    m.setSize(2000, 1000);
    EXPECT_EQ(m.gridSpacing(), 31);  // 1 cm at 80 pixels per inch
    std::vector<int> grid, fives;
    for (int n = 1; n <= 90; ++n) {
        const PeriodPlan plan = m.drawPeriod(sampleOf(0, 4 * n));
        if (plan.gridColumn) grid.push_back(*plan.gridColumn);
        if (plan.fiveSecondLine) fives.push_back(n);
    }
    ASSERT_GE(grid.size(), 2u);
    EXPECT_EQ(grid[0], 4);
    EXPECT_EQ(grid[1] - grid[0], 4);
    EXPECT_EQ(fives, (std::vector<int>{40, 80}));
}

TEST(DisplayModelTest, QuestionTimeShadesEveryPixelColumnOnce) {
    DisplayModel m(plainSettings(), 240.0);  // 3 pixels per period
    m.setSize(2000, 1000);
    m.drawPeriod(sampleOf(0, 4));
    const PeriodPlan a = m.drawPeriod(sampleOf(0, 8, TestPhase::Question));
    const PeriodPlan b = m.drawPeriod(sampleOf(0, 12, TestPhase::Question));
    EXPECT_EQ(a.shadeFrom, 4);
    EXPECT_EQ(a.shadeTo, 6);
    EXPECT_EQ(b.shadeFrom, 7);
    EXPECT_EQ(b.shadeTo, 9);
    const PeriodPlan c = m.drawPeriod(sampleOf(0, 16, TestPhase::AnswerWait));
    EXPECT_LT(c.shadeTo, c.shadeFrom);
}

TEST(DisplayModelTest, AutoFitRecentresATraceLeavingTheMiddleOfTheChart) {
    DisplayModel m(plainSettings(false, true), kResolution);
    m.setSize(400, 1000);
    m.startRecording();
    PeriodSample p = sampleOf(0, 4);
    p.recording = true;
    p.time = 0;
    m.drawPeriod(p);
    p.values.fill(5000);  // channel 0 far above its band: y < 100
    p.counter = 8;
    p.time = 4;
    const PeriodPlan plan = m.drawPeriod(p);
    bool channel0 = false;
    for (const Marker& mk : plan.markers) channel0 = channel0 || mk.channel == 0;
    EXPECT_TRUE(channel0);
    EXPECT_NEAR(*m.traceY(0), 100, 1);
    ASSERT_FALSE(plan.events.empty());
    EXPECT_EQ(plan.events[0].time, 4);
}

TEST(ChartDisplayTest, APeriodRepaintsOnlyItsColumnAndAScrollMovesThePixels) {
    DisplaySettings s = plainSettings(false);
    ChartDisplay display(s, kResolution);
    display.resize(200, 300);
    display.drawPeriod(sampleOf(0, 4));
    display.drawPeriod(sampleOf(0, 8));
    EXPECT_LE(display.lastDirtyRect().width(), 12);
    int n = 2;
    while (display.model().scrollOffset() == 0) display.drawPeriod(sampleOf(0, 4 * ++n));
    EXPECT_EQ(display.lastDirtyRect(), display.rect());
    EXPECT_EQ(display.model().scrollOffset(), 100);
    EXPECT_EQ(display.picture().toImage().pixelColor(199, 150), QColor(0, 0, 0)) << "the freed strip is background";
}

TEST(ChartDisplayTest, ScrollKeepsDrawnPixels) {
    ChartDisplay display(plainSettings(false), kResolution);
    display.resize(200, 300);
    int n = 0;
    while (display.model().currentX() < 120) display.drawPeriod(sampleOf(0, 4 * ++n));
    EventLabel label;
    label.kind = EventKind::Boundary;
    display.drawEvent(label);
    const int x = display.model().labelX() - 4;
    ASSERT_EQ(display.picture().toImage().pixelColor(x, 10), QColor(0, 255, 255));
    while (display.model().scrollOffset() == 0) display.drawPeriod(sampleOf(0, 4 * ++n));
    const QImage image = display.picture().toImage();
    EXPECT_EQ(image.pixelColor(x - 100, 10), QColor(0, 255, 255));
    EXPECT_NE(image.pixelColor(x, 10), QColor(0, 255, 255));
}

}  // namespace
}  // namespace lumo::recording::ui
