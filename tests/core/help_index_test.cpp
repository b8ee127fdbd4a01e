#include <gtest/gtest.h>

#include "core/help_index.h"
#include "core/test_home.h"

namespace lumo::core {
namespace {

TEST(HelpText, TagsStylesAndEntitiesGo) {
    EXPECT_EQ(htmlToText("<html><head><style>p { x: 1 }</style><title>T</title></head>"
                         "<body><p>Space&nbsp;&amp; <b>Esc</b>\n\n keys</p></body></html>"),
              "T Space & Esc keys");
    EXPECT_EQ(htmlTitle("<TITLE>Running a test</TITLE>"), "Running a test");
    EXPECT_EQ(htmlTitle("<p>no title</p>"), "");
    EXPECT_EQ(htmlToText("broken <b"), "broken");  // an unclosed tag never runs past the end
}

TEST(HelpIndex, FindsPagesHoldingEveryWordBestFirst) {
    test::TempHome home;
    test::writeFile(home / "help" / "a.html", "<title>Archive</title>Archive volumes and disks. Archive again.");
    test::writeFile(home / "help" / "b.html", "<title>Test</title>The test window: Space asks a question.");
    test::writeFile(home / "help" / "c.html", "<p>Archive once; Space bar</p>");
    HelpIndex index;
    index.load(home / "help");
    ASSERT_EQ(index.pages().size(), 3u);
    EXPECT_EQ(index.pages()[2].title, "c.html");  // no title: the file name stands in

    auto names = [](const std::vector<const HelpIndex::Page*>& pages) {
        std::vector<std::string> out;
        for (const auto* page : pages) out.push_back(page->fileName);
        return out;
    };
    EXPECT_EQ(names(index.search("archive")), (std::vector<std::string>{"a.html", "c.html"}));
    EXPECT_EQ(names(index.search("SPACE question")), (std::vector<std::string>{"b.html"}));
    EXPECT_TRUE(index.search("   ").empty());
    EXPECT_TRUE(index.search("nowhere").empty());
}

TEST(HelpIndex, TheInstalledHelpHasItsContentsAndUsingHelpPages) {
    HelpIndex index;
    index.load(std::filesystem::path(LUMO_DATA_DIR) / "help");
    std::vector<std::string> names;
    for (const auto& page : index.pages()) names.push_back(page.fileName);
    EXPECT_NE(std::find(names.begin(), names.end(), HelpIndex::kContentsPage), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), HelpIndex::kUsingHelpPage), names.end());
}

}  // namespace
}  // namespace lumo::core
