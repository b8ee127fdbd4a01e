// The data the scrolling review prepares once per chart: positions, lonely
// ready marks, scale data, change events and readout values.
#include <gtest/gtest.h>

#include <limits>

#include "formats/chart.h"
#include "formats/mark_word.h"
#include "formats/screen_settings.h"
#include "review/ready_marks.h"
#include "review/scroll_res_positions.h"
#include "review/scroll_res_scale.h"
#include "review/scroll_res_values.h"

namespace lumo::review {
namespace {

formats::TarrWord marksWith(std::size_t count, std::initializer_list<std::pair<std::size_t, std::uint16_t>> marks) {
    formats::TarrWord words(count, 0);
    for (const auto& [point, word] : marks) words[point] = word;
    return words;
}

TEST(ScrollResPositions, SpeedMarksChangeTheStep) {
    // 320 pixels per inch: one pixel per point at 0.1 inch per second.
    const formats::TarrWord marks = marksWith(20, {{4, 31000}, {10, 32000}, {14, 30000}, {15, 35000}, {16, 34000}});
    const ScreenPositions positions(marks, 20, 320, 1);
    EXPECT_EQ(positions.x(0), 0);
    EXPECT_EQ(positions.x(9), 9);
    // From the speed mark's own point on, two pixels a point; 30 and 35 keep it.
    EXPECT_EQ(positions.x(10), 11);
    EXPECT_EQ(positions.x(15), 21);
    EXPECT_EQ(positions.x(16), 25);
    EXPECT_EQ(positions.x(19), 37);
    EXPECT_EQ(positions.totalWidth(), 36);
    // Columns 9 and 10 show point 10; before the start point 0, after the end the last.
    EXPECT_EQ(positions.pointAtColumn(8), 9u);
    EXPECT_EQ(positions.pointAtColumn(9), 10u);
    EXPECT_EQ(positions.pointAtColumn(10), 10u);
    EXPECT_EQ(positions.pointAtColumn(11), 11u);
    EXPECT_EQ(positions.pointAtColumn(-3), 0u);
    EXPECT_EQ(positions.pointAtColumn(500), 19u);
    EXPECT_EQ(positions.firstPointFrom(10.5), 10u);

    // Zoom 5 five times as wide; halves of a pixel go to the even neighbour.
    const ScreenPositions zoomed(marks, 20, 320, 5);
    EXPECT_EQ(zoomed.x(19), 185);
    const ScreenPositions half(formats::TarrWord(4, 0), 4, 160, 1);
    EXPECT_EQ(half.x(1), 0);
    EXPECT_EQ(half.x(3), 2);
    // Paper positions at 72 points per inch: 0.225 points a point.
    EXPECT_NEAR(paperPositions(formats::TarrWord(33, 0), 33, 72)[32], 7.2, 1e-9);
    EXPECT_EQ(ScreenPositions(formats::TarrWord(1, 0), 1, 96, 1).totalWidth(), -1);
    EXPECT_EQ(ScreenPositions().totalWidth(), -1);
}

TEST(ScrollResMarks, OnlyReadyMarksAfterAnIncompleteQuestionAreLonely) {
    // Onset, end and answer before the first ready mark; only an onset before the second.
    formats::TarrWord marks = marksWith(40, {{2, 1000}, {4, 2000}, {6, 3000}, {8, 5000}, {12, 1000}, {16, 5005},
                                             {18, 31000}, {20, 32000}, {22, 5000}, {39, 5000}});
    // Speed codes do not count as questions; the walk stops before point 39.
    EXPECT_EQ(lonelyReadyMarks(marks, 39), (std::vector<std::size_t>{16, 22}));
    EXPECT_EQ(lonelyReadyMarks(marks, 40), (std::vector<std::size_t>{16, 22, 39}));
    EXPECT_EQ(lonelyReadyMarks(marks, 0), std::vector<std::size_t>{});
    // At most sixty.
    formats::TarrWord many(200, 5000);
    EXPECT_EQ(lonelyReadyMarks(many, 200).size(), 60u);
}

TEST(ScrollResScale, EventsHoldUntilTheChannelsNextOne) {
    formats::ScreenSettings settings;
    settings.bandHeights = {100, 200, 0, 0, 0, 0, 0, 0};
    settings.events = {{0, 0, 55, 100, 0.5f}, {0, 1, 33, 300, 0.0f}, {10, 0, 66, 100, 0.5f},
                       {12, 0, 66, 90, 0.5f}, {14, 0, 66, 90, 0.75f}, {12, 1, 22, 300, 0.0f}};
    const ChartScale scale(&settings, 3, 20);
    EXPECT_EQ(scale.at(0, 9), (PointScale{100, 55, 0.5f}));
    EXPECT_EQ(scale.at(0, 10), (PointScale{100, 66, 0.5f}));
    EXPECT_EQ(scale.at(0, 19), (PointScale{90, 66, 0.75f}));
    EXPECT_EQ(scale.at(1, 11), (PointScale{300, 33, 0.0f}));
    // A channel without events: centre 0, gain 1, offset 1.
    EXPECT_EQ(scale.at(2, 5), (PointScale{0, 1, 1.0f}));
    EXPECT_EQ(scale.bandHeight(1), 200);
    EXPECT_EQ(changeEvents(scale, 20),
              (std::vector<ChangeEvent>{{10, 0, ChangeKind::GainRaised}, {12, 0, ChangeKind::MovedUp},
                                        {12, 1, ChangeKind::GainLowered}, {14, 0, ChangeKind::MovedDown}}));

    // Without a file: centre 0, gain 1, offset 0, no bands, no changes.
    const ChartScale none(nullptr, 8, 5);
    EXPECT_EQ(none.at(7, 4), (PointScale{0, 1, 0.0f}));
    EXPECT_EQ(none.bandHeight(0), 0);
    EXPECT_TRUE(changeEvents(none, 5).empty());
    // An offset that is no number would spoil every y: it reads as 0.
    settings.events[0].offset = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(ChartScale(&settings, 1, 5).at(0, 0).offset, 0.0f);
}

formats::TLumoChart_7_1 rampChart(std::size_t count) {
    formats::TLumoChart_7_1 chart;
    chart.channelCount = 8;
    chart.count = static_cast<std::uint32_t>(count);
    chart.channels.assign(8, formats::TarrChannelBlock(count));
    chart.marks.assign(count, 0);
    for (std::size_t p = 0; p < count; ++p) {
        for (int c = 0; c < 8; ++c) chart.channels[static_cast<std::size_t>(c)][p].value = static_cast<float>(p * p);
    }
    chart.minima.assign(8, 0);
    chart.maxima.assign(8, static_cast<float>((count - 1) * (count - 1)));
    return chart;
}

TEST(ScrollResValues, ChannelThreeIsTheSmoothedDifference) {
    const formats::TLumoChart_7_1 chart = rampChart(10);
    const DrawnValues values(chart, 10);
    // (p+2)^2 + (p+1)^2 - (p-1)^2 - (p-2)^2 = 12 p; 0 at the two first and two last points.
    EXPECT_EQ(values.value(3, 1), 0);
    EXPECT_EQ(values.value(3, 2), 24);
    EXPECT_EQ(values.value(3, 7), 84);
    EXPECT_EQ(values.value(3, 8), 0);
    EXPECT_EQ(values.value(2, 3), 9);
    EXPECT_EQ(values.minimum(3), 0);
    EXPECT_EQ(values.maximum(3), 84);

    // Readouts: q / 10 of the range; channel 5 mirrored; a point beyond the chart reads 0.
    EXPECT_EQ(values.readout(0, 9), 100);
    EXPECT_EQ(values.readout(0, 3), 11);  // 9 / 81
    EXPECT_EQ(values.readout(5, 3), 89);
    EXPECT_EQ(values.readout(3, 5), 71);  // 60 / 84
    EXPECT_EQ(values.readout(3, 40), 0);
    // A channel whose range is empty reads 0.
    formats::TLumoChart_7_1 flat = rampChart(3);
    const DrawnValues few(flat, 3);
    EXPECT_EQ(few.minimum(3), few.maximum(3));
    EXPECT_EQ(few.readout(3, 1), 0);
}

}  // namespace
}  // namespace lumo::review
