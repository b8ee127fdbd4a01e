#include "review/scroll_res_print.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <variant>

#include "review/scroll_res_fixture.h"

namespace lumo::review {
namespace {

using test::ReviewTest;

// A landscape A4 page with 15 mm margins, in points.
constexpr core::PageFormat kPage{757, 510};

std::vector<std::string> pageTexts(const core::PrintedPage& page) {
    std::vector<std::string> texts;
    for (const core::PageItem& item : page.items) {
        if (const auto* text = std::get_if<core::PageText>(&item)) texts.push_back(text->text);
    }
    return texts;
}

bool holds(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST_F(ReviewTest, ThePrintoutIsAtTrueScaleOnPagesOfItsOwn) {
    ScrollResView& v = open();
    v.toggleZoom();  // the screen's zoom does not reach the paper
    PolygramPrint print(v, *ws, kPage, measure);
    // 155 s at 0.1 inch per second: 1116 points after the title block.
    ASSERT_EQ(print.pageCount(), 2u);
    EXPECT_EQ(print.pointCount(), v.chart().count());
    const core::PrintedPage first = print.nextPage();
    EXPECT_FALSE(print.done());
    EXPECT_GT(print.pointsPrinted(), 0u);
    EXPECT_LT(print.pointsPrinted(), print.pointCount());

    const std::vector<std::string> texts = pageTexts(first);
    for (const char* line : {"L U M O - 7.0", "  P O L I G R A M  ", "#0000001 / EXAM_01 / CHART_01", "Examinee : Examinee",
                             "Examiner : Operator 1", "Method   : Zone comparison", "Start at : 10:00:00",
                             "Finish at: 10:10:00", "Time        : 155 sec.", "Reactions   : 15 sec.",
                             "D a t e  : 07-03-2001", "Channel0", "Channel7", "X", "(-R1)  "}) {
        EXPECT_TRUE(holds(texts, line)) << line;
    }
    EXPECT_FALSE(holds(texts, "XX"));

    // The time grid falls every tenth second: 72 points apart after the title block.
    std::vector<double> grid;
    double titleWidth = 0;
    for (const core::PageItem& item : first.items) {
        if (const auto* text = std::get_if<core::PageText>(&item); text != nullptr && text->text == "X") {
            titleWidth = text->at.x - 2 * 72 / 96.0;
        }
    }
    for (const core::PageItem& item : first.items) {
        const auto* rule = std::get_if<core::PageRule>(&item);
        if (rule == nullptr || rule->from.x != rule->to.x || rule->to.y - rule->from.y > 1) continue;
        // A dash of the dotted grid line: one screen pixel long.
        if (rule->from.y == 0) grid.push_back(rule->from.x - titleWidth);
    }
    ASSERT_GE(grid.size(), 3u);
    for (std::size_t i = 1; i < grid.size(); ++i) EXPECT_NEAR(grid[i] - grid[i - 1], 72, 0.3);

    // Nothing reaches out of the page.
    const core::PrintedPage second = print.nextPage();
    EXPECT_TRUE(print.done());
    EXPECT_EQ(print.pointsPrinted(), print.pointCount());
    EXPECT_TRUE(holds(pageTexts(second), "XX"));
    EXPECT_FALSE(holds(pageTexts(second), "L U M O - 7.0"));
    for (const core::PrintedPage* page : {&first, &second}) {
        for (const core::PageItem& item : page->items) {
            if (const auto* rule = std::get_if<core::PageRule>(&item)) {
                EXPECT_GE(std::min(rule->from.x, rule->to.x), 0);
                EXPECT_LE(std::max(rule->from.x, rule->to.x), kPage.width + 1);
            } else if (const auto* line = std::get_if<core::PagePolyline>(&item)) {
                for (const core::PagePoint& point : line->points) {
                    EXPECT_GE(point.x, 0);
                    EXPECT_LE(point.x, kPage.width + 1e-9);
                }
            }
        }
    }
}

TEST_F(ReviewTest, ThePrintoutShowsEveryKindOfChange) {
    formats::ScreenSettings settings = test::startSettings();
    settings.events.push_back({320, 0, 66, 62, 0.0f});   // gain raised
    settings.events.push_back({640, 0, 55, 62, 0.0f});   // lowered
    settings.events.push_back({960, 0, 55, 50, 0.0f});   // moved up
    settings.events.push_back({1280, 0, 55, 50, 0.5f});  // moved down
    writeScreen(1, settings);
    ScrollResView& v = open();
    PolygramPrint print(v, *ws, kPage, measure);
    const core::PrintedPage page = print.nextPage();
    // Every glyph is a few polylines with a 2-pixel pen near channel 0's place.
    std::vector<double> glyphs;
    for (const core::PageItem& item : page.items) {
        const auto* line = std::get_if<core::PagePolyline>(&item);
        if (line == nullptr || line->width != 2 * 72 / 96.0) continue;
        if (std::find(glyphs.begin(), glyphs.end(), line->points[1].x) == glyphs.end()) glyphs.push_back(line->points[1].x);
    }
    ASSERT_EQ(glyphs.size(), 4u);
    for (std::size_t i = 1; i < glyphs.size(); ++i) EXPECT_NEAR(glyphs[i] - glyphs[i - 1], 72, 0.3);
    // The screen shows only the gain changes.
    const ScrollResPicture screen = draw();
    EXPECT_EQ(screen.glyphs.size(), 3u + 4u);
}

}  // namespace
}  // namespace lumo::review
