// The scrolling review's picture as a display list: what is drawn where.
#include "review/ready_marks.h"
#include "review/scroll_res_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "review/scroll_res_fixture.h"
#include "review/scroll_res_positions.h"

namespace lumo::review {
namespace {

// A chart of `count` points (at 320 pixels per inch: one pixel a point),
// channel 0 a square wave of 0 / 1000, the others 0; every band 100 per
// mille centred at 500, gain byte 11; channels 0 and 1 shown.
class Drawing : public ::testing::Test {
protected:
    void SetUp() override {
        chart.channelCount = 8;
        chart.count = static_cast<std::uint32_t>(count);
        chart.channels.assign(8, formats::TarrChannelBlock(count));
        chart.marks.assign(count, 0);
        for (std::size_t p = 0; p < count; ++p) chart.channels[0][p].value = (p / 20) % 2 == 0 ? 0.0f : 1000.0f;
        chart.minima.assign(8, 0);
        chart.maxima.assign(8, 1000);
        for (int c = 0; c < 8; ++c) {
            settings.channels[static_cast<std::size_t>(c)].colour = {static_cast<std::uint8_t>(10 * c), 0, 0};
        }
        settings.artefacts = {"Move", "Cough", "Talk", "Sigh"};
        screen.bandHeights.fill(100);
        for (int c = 0; c < 8; ++c) screen.events.push_back({0, c, 11, 500, 0.0f});
    }
    ScrollResPicture draw(double stripFrom = 0, double stripTo = 400, bool paper = false) {
        values = DrawnValues(chart, count);
        scale = ChartScale(&screen, 8, count);
        changes = changeEvents(scale, count);
        lonely = lonelyReadyMarks(chart.marks, count - 1);
        positions = ScreenPositions(chart.marks, count, 320, 1);
        PictureSource source;
        source.settings = &settings;
        source.values = &values;
        source.scale = &scale;
        source.changes = &changes;
        source.lonelyReady = &lonely;
        source.marks = &chart.marks;
        source.presentations = presentations;
        source.channels = looks;
        PictureFrame frame;
        frame.x = &positions.xs();
        frame.left = left;
        frame.width = 400;
        frame.height = 1002;
        frame.stripFrom = stripFrom;
        frame.stripTo = stripTo;
        frame.paper = paper;
        frame.measure = &measure;
        return drawScrollRes(source, frame);
    }
    // The lines at picture x.
    static std::vector<PicLine> linesAt(const ScrollResPicture& picture, double x) {
        std::vector<PicLine> found;
        std::copy_if(picture.lines.begin(), picture.lines.end(), std::back_inserter(found),
                     [x](const PicLine& line) { return line.from.x == x && line.to.x == x; });
        return found;
    }
    static const PicText* textOf(const ScrollResPicture& picture, const std::string& text) {
        const auto at = std::find_if(picture.texts.begin(), picture.texts.end(),
                                     [&](const PicText& t) { return t.text == text; });
        return at == picture.texts.end() ? nullptr : &*at;
    }
    static std::pair<double, double> yRange(const PicPolyline& trace) {
        double low = 1e9, high = -1e9;
        for (const PicPoint& point : trace.points) {
            low = std::min(low, point.y);
            high = std::max(high, point.y);
        }
        return {low, high};
    }

    std::size_t count = 400;
    formats::TLumoChart_7_1 chart;
    ScrollResSettings settings;
    formats::ScreenSettings screen;
    std::vector<PresentationMark> presentations;
    std::array<ChannelLook, kReviewChannels> looks{{{true, 1, 0}, {true, 1, 0}}};
    double left = 0;
    test::FixedMeasure measure;

    DrawnValues values;
    ChartScale scale;
    std::vector<ChangeEvent> changes;
    std::vector<std::size_t> lonely;
    ScreenPositions positions;
};

TEST_F(Drawing, GainCodesScaleTheTrace) {
    // Band 100 pixels, gain byte 11: a swing of 1000 is 100 x 11000 / 16384 = 67 pixels.
    ScrollResPicture picture = draw();
    ASSERT_EQ(picture.traces.size(), 2u);
    EXPECT_EQ(picture.traces[0].channel, 0);
    auto [low, high] = yRange(picture.traces[0]);
    EXPECT_EQ(high, std::nearbyint(100 * 0.5 + 500));
    EXPECT_EQ(high - low, 67);
    // Code 18: ten times as tall; code 0: a tenth.
    looks[0].factor = formats::reviewGainFactor(18);
    std::tie(low, high) = yRange(draw().traces[0]);
    EXPECT_EQ(high - low, std::nearbyint(1000 * 0.5 - 1000 * (0.5 - 1000 * 11 / 16384.0)));
    looks[0].factor = formats::reviewGainFactor(0);
    std::tie(low, high) = yRange(draw().traces[0]);
    EXPECT_EQ(high - low, 7);
    // An inverted channel swings the other way; the offset moves it down.
    settings.channels[0].polarity = -1;
    looks[0] = {true, 1, 20};
    std::tie(low, high) = yRange(draw().traces[0]);
    EXPECT_EQ(low, 550 + 20);
    EXPECT_EQ(high - low, 67);
}

TEST_F(Drawing, HiddenChannelsAndFoldedColumns) {
    looks[1].visible = false;
    ScrollResPicture picture = draw();
    ASSERT_EQ(picture.traces.size(), 1u);
    // At 96 pixels per inch a column holds three or four points; folded, a
    // column costs at most four trace points however many it holds.
    count = 4000;
    SetUp();
    looks[1].visible = false;
    values = DrawnValues(chart, count);
    scale = ChartScale(&screen, 8, count);
    changes = changeEvents(scale, count);
    lonely = lonelyReadyMarks(chart.marks, count - 1);
    const ScreenPositions slow(chart.marks, count, 96, 1);
    PictureSource source{&settings, &values, &scale, &changes, &lonely, &chart.marks, {}, looks};
    PictureFrame frame;
    frame.x = &slow.xs();
    frame.width = 400;
    frame.height = 1002;
    frame.stripTo = 400;
    frame.measure = &measure;
    picture = drawScrollRes(source, frame);
    const std::vector<PicPoint>& points = picture.traces[0].points;
    EXPECT_LE(points.size(), 4u * 450);
    for (std::size_t i = 4; i < points.size(); ++i) EXPECT_GT(points[i].x, points[i - 4].x);
}

TEST_F(Drawing, MarksLinesLabelsAndTheTimeGrid) {
    chart.marks[20] = 1000;
    chart.marks[40] = 3000;
    chart.marks[60] = 4000;
    chart.marks[80] = 5000;   // after three question events: not drawn
    chart.marks[100] = 1000;
    chart.marks[120] = 5000;  // after only an onset: drawn with ticks
    chart.marks[140] = 7000;
    chart.marks[390] = 32000; // a speed code draws nothing
    chart.marks[164] = 4;     // time tick 5 s after the start: on the grid
    chart.marks[196] = 5;
    chart.marks[320] = 9;     // 10 s: on the grid
    ScrollResPicture picture = draw();

    // The start line, cyan and 3 pixels wide, labelled "X".
    ASSERT_EQ(linesAt(picture, 0).size(), 1u);
    EXPECT_EQ(linesAt(picture, 0)[0].width, 3);
    EXPECT_EQ(linesAt(picture, 0)[0].colour, kReviewCyan);
    ASSERT_NE(textOf(picture, "X"), nullptr);
    // Onset: one grey line over the whole height.
    ASSERT_EQ(linesAt(picture, 20).size(), 1u);
    EXPECT_EQ(linesAt(picture, 20)[0].colour, kReviewGrey);
    EXPECT_EQ(linesAt(picture, 20)[0].to.y, 1002);
    // Answers: "(+)" to the right, "(-)" to the left, white bold at the bottom.
    const PicText* yes = textOf(picture, "(+)");
    ASSERT_NE(yes, nullptr);
    EXPECT_EQ(yes->at, (PicPoint{41, 1002 - 1 - 10}));
    EXPECT_TRUE(yes->bold);
    EXPECT_EQ(yes->colour, kReviewWhite);
    const PicText* no = textOf(picture, "(-)");
    ASSERT_NE(no, nullptr);
    EXPECT_EQ(no->at.x, 59);
    EXPECT_EQ(no->align, core::TextAlign::Right);
    // The ready mark after a complete question stays away; the lonely one has ticks every 8 pixels.
    EXPECT_TRUE(linesAt(picture, 80).empty());
    const std::size_t ticks = std::count_if(picture.lines.begin(), picture.lines.end(), [](const PicLine& line) {
        return line.from.x == 117 && line.to.x == 123 && line.from.y == line.to.y;
    });
    EXPECT_EQ(ticks, 1002u / 8 + 1);
    // An artefact: hatches and its name to the left.
    const std::size_t hatches = std::count_if(picture.lines.begin(), picture.lines.end(), [](const PicLine& line) {
        return line.from.x == 136 && line.to.x == 144 && line.to.y - line.from.y == 8;
    });
    EXPECT_EQ(hatches, 1002u / 8 + 1);
    ASSERT_NE(textOf(picture, "Cough"), nullptr);
    EXPECT_EQ(textOf(picture, "Cough")->at.x, 139);
    EXPECT_TRUE(linesAt(picture, 390).empty());
    // The time grid: dotted, every fifth second on screen.
    ASSERT_EQ(linesAt(picture, 164).size(), 1u);
    EXPECT_EQ(linesAt(picture, 164)[0].dashOn, 1);
    EXPECT_EQ(linesAt(picture, 164)[0].dashOff, 3);
    EXPECT_TRUE(linesAt(picture, 196).empty());
    ASSERT_EQ(linesAt(picture, 320).size(), 1u);
    // On paper every tenth second only.
    picture = draw(0, 400, true);
    EXPECT_TRUE(linesAt(picture, 164).empty());
    EXPECT_EQ(linesAt(picture, 320).size(), 1u);
    // The dot grid: 26 grey dots every 4 pixels.
    EXPECT_EQ(std::count_if(picture.dots.begin(), picture.dots.end(), [](const PicPoint& dot) { return dot.x == 8; }), 26);
    EXPECT_EQ(std::count_if(picture.dots.begin(), picture.dots.end(), [](const PicPoint& dot) { return dot.x == 9; }), 0);
}

TEST_F(Drawing, QuestionLabelsAndTheEndLine) {
    presentations = {{100, "1", "(+R1)  ", {255, 0, 0}}, {300, "2", "(-*C1)  ", {128, 128, 128}},
                     {5000, "3", "(+N1)  ", {0, 0, 255}}};
    left = 50;
    ScrollResPicture picture = draw();
    const PicText* number = textOf(picture, "1");
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->at, (PicPoint{50, 1}));
    EXPECT_EQ(number->colour, (core::Rgb{255, 0, 0}));
    const PicText* label = textOf(picture, "(-*C1)  ");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->at, (PicPoint{250, 1002 - 20}));
    EXPECT_EQ(label->colour, (core::Rgb{128, 128, 128}));
    EXPECT_EQ(textOf(picture, "3"), nullptr);  // beyond the chart
    EXPECT_EQ(textOf(picture, "XX"), nullptr);
    // A strip left of the second label leaves it out.
    EXPECT_EQ(textOf(draw(0, 100), "2"), nullptr);
}

TEST_F(Drawing, ChangeGlyphsOfGainsOnScreenAndOfEveryKindOnPaper) {
    screen.events.push_back({100, 1, 22, 500, 0.0f});  // gain raised
    screen.events.push_back({150, 1, 11, 500, 0.0f});  // lowered
    screen.events.push_back({200, 1, 11, 400, 0.0f});  // moved up
    screen.events.push_back({250, 1, 11, 400, 0.5f});  // moved down
    screen.events.push_back({300, 4, 22, 500, 0.0f});  // a hidden channel
    ScrollResPicture picture = draw();
    std::vector<double> xs;
    for (const PicPolyline& glyph : picture.glyphs) {
        EXPECT_EQ(glyph.width, 2);
        EXPECT_EQ(glyph.colour, settings.channels[1].colour);
        // In channel 1's place from the top: 25 ... 45.
        for (const PicPoint& point : glyph.points) {
            EXPECT_GE(point.y, 25);
            EXPECT_LE(point.y, 45);
        }
        if (std::find(xs.begin(), xs.end(), glyph.points[1].x) == xs.end()) xs.push_back(glyph.points[1].x);
    }
    EXPECT_EQ(xs, (std::vector<double>{95, 145}));
    // The centre line's change ticks at the bottom edge.
    const std::vector<PicLine> tick = linesAt(picture, 199);
    ASSERT_EQ(tick.size(), 1u);
    EXPECT_EQ(tick[0].from.y - tick[0].to.y, 5);
    picture = draw(0, 400, true);
    xs.clear();
    for (const PicPolyline& glyph : picture.glyphs) {
        if (std::find(xs.begin(), xs.end(), glyph.points[1].x) == xs.end()) xs.push_back(glyph.points[1].x);
    }
    EXPECT_EQ(xs, (std::vector<double>{95, 145, 195, 245}));
}

}  // namespace
}  // namespace lumo::review
