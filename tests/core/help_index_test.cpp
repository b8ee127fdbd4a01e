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

TEST(HelpText, LinksInTheirOrder) {
    EXPECT_EQ(htmlLinks("<link rel=\"stylesheet\" href=\"help.css\"><a href=\"b.html\">B</a> <A HREF='a.html#x'>"
                        "<a name=\"top\"></a><a\nhref=c.html>c</a><abbr href=\"no.html\"><a href=\"d.html"),
              (std::vector<std::string>{"b.html", "a.html#x", "c.html"}));
}

TEST(HelpIndex, ContentsFollowTheContentsPageThenTheRest) {
    test::TempHome home;
    test::writeFile(home / "help" / "index.html",
                    "<title>C</title><a href=\"z.html\">Z</a><a href=\"a.html#part\">A</a><a href=\"z.html\">again</a>"
                    "<a href=\"gone.html\">gone</a><a href=\"http://example.org/a.html\">out</a>");
    for (const char* name : {"a.html", "m.html", "z.html"}) test::writeFile(home / "help" / name, "<p>x</p>");
    HelpIndex index;
    index.load(home / "help");
    std::vector<std::string> order;
    for (const auto* page : index.contents()) order.push_back(page->fileName);
    EXPECT_EQ(order, (std::vector<std::string>{"index.html", "z.html", "a.html", "m.html"}));
    EXPECT_EQ(index.page("A.HTML"), index.contents()[2]);
    EXPECT_EQ(index.page("gone.html"), nullptr);
}

TEST(HelpIndex, RussianPagesLiveInTheRuFolderAndEnglishStandsInForThem) {
    test::TempHome home;
    test::writeFile(home / "help" / "index.html", "<p>x</p>");
    EXPECT_EQ(helpFolderFor(home / "help", Language::Russian), home / "help");
    test::writeFile(home / "help" / "RU" / "index.html", "<p>x</p>");
    EXPECT_EQ(helpFolderFor(home / "help", Language::Russian), home / "help" / "RU");
    EXPECT_EQ(helpFolderFor(home / "help", Language::English), home / "help");
}

// Each language searches its own pages: Cyrillic words are folded like Latin ones.
TEST(HelpIndex, TheInstalledPagesAreFoundByWordsOfTheirLanguage) {
    const auto root = std::filesystem::path(LUMO_DATA_DIR) / "help";
    HelpIndex english;
    english.load(helpFolderFor(root, Language::English));
    HelpIndex russian;
    russian.load(helpFolderFor(root, Language::Russian));
    const auto found = [](const HelpIndex& index, std::string_view query) {
        std::vector<std::string> names;
        for (const auto* page : index.search(query)) names.push_back(page->fileName);
        return names;
    };
    const auto englishHits = found(english, "crime list editor");
    ASSERT_FALSE(englishHits.empty());
    EXPECT_NE(std::find(englishHits.begin(), englishHits.end(), "crime_list.html"), englishHits.end());
    EXPECT_TRUE(found(english, "преступлений").empty());

    const auto russianHits = found(russian, "РЕДАКТОР списка преступлений");
    ASSERT_FALSE(russianHits.empty());
    EXPECT_NE(std::find(russianHits.begin(), russianHits.end(), "crime_list.html"), russianHits.end());
    EXPECT_TRUE(found(russian, "crime list editor").empty());
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
