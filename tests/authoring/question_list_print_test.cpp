#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "authoring/question_list_print.h"

namespace lumo::authoring {
namespace {

// Every character half the font size wide, lines 1.25 times the size apart.
struct FixedPitch : core::TextMeasure {
    double width(const std::string& text, const core::TextStyle& style) const override {
        double characters = 0;
        for (const char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
        return characters * style.size / 2;
    }
    double lineHeight(const core::TextStyle& style) const override { return style.size * 1.25; }
};

const core::TextStyle kRowStyle{"Sans", 8, false};

std::vector<core::PageText> texts(const core::PrintedPage& page) {
    std::vector<core::PageText> result;
    for (const core::PageItem& item : page.items) {
        if (const auto* text = std::get_if<core::PageText>(&item)) result.push_back(*text);
    }
    return result;
}

std::vector<core::PageRule> rules(const core::PrintedPage& page) {
    std::vector<core::PageRule> result;
    for (const core::PageItem& item : page.items) {
        if (const auto* rule = std::get_if<core::PageRule>(&item)) result.push_back(*rule);
    }
    return result;
}

TEST(QuestionListPrintTest, HeadingRuleAndOneLinePerQuestion) {
    const FixedPitch measure;
    const QuestionListPrint print{"File Name : alpha", {" 1. N1.-.Is it Monday ?", " 2. R1.-.Did you ?"}, kRowStyle};
    const core::PrintedDocument document = layoutQuestionList(print, {400, 600}, measure);
    ASSERT_EQ(document.pages.size(), 1u);
    const auto lines = texts(document.pages[0]);
    ASSERT_EQ(lines.size(), 3u);
    // Centred, two points larger and bold.
    EXPECT_EQ(lines[0].text, "File Name : alpha");
    EXPECT_EQ(lines[0].align, core::TextAlign::Center);
    EXPECT_EQ(lines[0].at, (core::PagePoint{200, 0}));
    EXPECT_EQ(lines[0].style, (core::TextStyle{"Sans", 10, true}));
    // The rule across the page at one and a half heading heights (12.5 points).
    const auto rule = rules(document.pages[0]);
    ASSERT_EQ(rule.size(), 1u);
    EXPECT_EQ(rule[0].from, (core::PagePoint{0, 18.75}));
    EXPECT_EQ(rule[0].to, (core::PagePoint{400, 18.75}));
    EXPECT_EQ(lines[1].text, " 1. N1.-.Is it Monday ?");
    EXPECT_EQ(lines[1].style, kRowStyle);
    EXPECT_GT(lines[1].at.y, rule[0].from.y);
    EXPECT_DOUBLE_EQ(lines[2].at.y - lines[1].at.y, 10);
}

TEST(QuestionListPrintTest, SplitsAtTheBlankNearestTheMiddle) {
    EXPECT_EQ(splitAtMiddle("aaaa bb cccccc"), (std::pair<std::string, std::string>{"aaaa bb", "cccccc"}));
    EXPECT_EQ(splitAtMiddle("abcdefgh"), (std::pair<std::string, std::string>{"abcd", "efgh"}));
    // Blanks at the ends leave no half empty; the middle counts characters, not bytes.
    EXPECT_EQ(splitAtMiddle(" абвгде "), (std::pair<std::string, std::string>{" абв", "где "}));
}

TEST(QuestionListPrintTest, WideLineTakesTwoLinesAndWiderOnesMore) {
    const FixedPitch measure;
    // 4 points a character: the page takes 25.
    const std::string line = " 3. C1.-.Have you ever taken anything that was not yours ?";
    const auto pieces = fitToWidth(line, 100, kRowStyle, measure);
    ASSERT_EQ(pieces.size(), 4u);
    std::string joined;
    for (const std::string& piece : pieces) {
        EXPECT_LE(measure.width(piece, kRowStyle), 100);
        joined += (joined.empty() ? "" : " ") + piece;
    }
    EXPECT_EQ(joined, line);
    const auto two = fitToWidth(line, 150, kRowStyle, measure);
    EXPECT_EQ(two, (std::vector<std::string>{" 3. C1.-.Have you ever taken", "anything that was not yours ?"}));

    const QuestionListPrint print{"H", {line}, kRowStyle};
    const auto page = texts(layoutQuestionList(print, {150, 600}, measure).pages[0]);
    ASSERT_EQ(page.size(), 3u);
    EXPECT_EQ(page[2].text, "anything that was not yours ?");
    EXPECT_EQ(page[2].at.x, 0);
}

TEST(QuestionListPrintTest, LinesThatDoNotFitGoOnFurtherPages) {
    const FixedPitch measure;
    QuestionListPrint print{"Heading", {}, kRowStyle};
    for (int k = 1; k <= 20; ++k) print.lines.push_back("line " + std::to_string(k));
    // Heading block 25 points, then 10 points a line: 7 lines on a page of 100.
    const core::PrintedDocument document = layoutQuestionList(print, {300, 100}, measure);
    ASSERT_EQ(document.pages.size(), 3u);
    std::vector<std::string> printed;
    for (const core::PrintedPage& page : document.pages) {
        const auto lines = texts(page);
        EXPECT_EQ(lines.front().text, "Heading");
        EXPECT_EQ(rules(page).size(), 1u);
        for (std::size_t k = 1; k < lines.size(); ++k) {
            EXPECT_LE(lines[k].at.y + 10, 100);
            printed.push_back(lines[k].text);
        }
    }
    EXPECT_EQ(printed, print.lines);
    EXPECT_EQ(texts(document.pages[0]).size(), 8u);
}

TEST(QuestionListPrintTest, SplitLineStaysTogetherAndTinyPagesLoseNothing) {
    const FixedPitch measure;
    QuestionListPrint print{"H", {"a", "b", "c", "dddd eeee"}, kRowStyle};
    // Room for four lines: the split fourth one moves to the second page whole.
    const auto document = layoutQuestionList(print, {20, 65}, measure);
    ASSERT_EQ(document.pages.size(), 2u);
    const auto second = texts(document.pages[1]);
    ASSERT_EQ(second.size(), 3u);
    EXPECT_EQ(second[1].text, "dddd");
    EXPECT_EQ(second[2].text, "eeee");

    // A page too small for even one line still gets one line each.
    const auto tiny = layoutQuestionList(print, {20, 5}, measure);
    EXPECT_EQ(tiny.pages.size(), 5u);
    EXPECT_EQ(layoutQuestionList({"H", {}, kRowStyle}, {20, 5}, measure).pages.size(), 1u);
}

}  // namespace
}  // namespace lumo::authoring
