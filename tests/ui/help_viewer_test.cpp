#include <QListWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <gtest/gtest.h>

#include "core/settings.h"
#include "core/string_table.h"
#include "platform/help_viewer.h"

namespace lumo::platform {
namespace {

class HelpViewerTest : public ::testing::Test {
protected:
    core::Settings settings{std::filesystem::temp_directory_path()};
    const core::StringTable table;
    const core::Texts texts{table, settings};
    const std::filesystem::path help = std::filesystem::path(LUMO_DATA_DIR) / "help";
};

TEST_F(HelpViewerTest, OpensContentsSearchAndUsingHelp) {
    HelpViewer viewer(help, texts);
    EXPECT_EQ(viewer.windowTitle(), "LUMO Help");

    viewer.openContents();
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_TRUE(viewer.browser()->source().toString().endsWith("help/index.html"));
    // The list follows the contents page: the page itself, then its first link.
    ASSERT_GT(viewer.contentsList()->count(), 40);
    EXPECT_EQ(viewer.contentsList()->item(1)->text(), "Getting started");
    EXPECT_EQ(viewer.contentsList()->currentRow(), 0);
    viewer.openUsingHelp();
    EXPECT_TRUE(viewer.browser()->source().toString().endsWith("using_help.html"));
    EXPECT_EQ(viewer.contentsList()->currentItem()->text(), "Using help");

    viewer.openSearch();
    viewer.search("archive");
    ASSERT_GT(viewer.results()->count(), 0);
    emit viewer.results()->itemClicked(viewer.results()->item(0));
    EXPECT_FALSE(viewer.browser()->toPlainText().isEmpty());
    viewer.search("");
    EXPECT_EQ(viewer.results()->count(), 0);
}

TEST_F(HelpViewerTest, FollowsTheWorkstationLanguageAtEveryOpening) {
    HelpViewer viewer(help, texts);
    viewer.openPage("about.html#progress");
    EXPECT_EQ(viewer.browser()->source().fragment(), "progress");
    EXPECT_EQ(viewer.language(), core::Language::English);

    settings.list().setValue("Language", "RUS");
    viewer.search(QString::fromUtf8("архив"));
    EXPECT_EQ(viewer.results()->count(), 0) << "still the English pages until the next opening";
    viewer.openPage("archiver.html");
    EXPECT_EQ(viewer.language(), core::Language::Russian);
    EXPECT_EQ(viewer.windowTitle(), QString::fromUtf8("Справка ЛУМО"));
    EXPECT_TRUE(viewer.browser()->source().toLocalFile().endsWith("help/ru/archiver.html"));
    EXPECT_EQ(viewer.contentsList()->item(0)->text(), QString::fromUtf8("Справка ЛУМО: содержание"));
    // The search typed before the switch now runs over the Russian pages.
    EXPECT_GT(viewer.results()->count(), 0);
    emit viewer.results()->itemClicked(viewer.results()->item(0));
    EXPECT_TRUE(viewer.browser()->source().toLocalFile().contains("help/ru/"));
    viewer.search("examinee");
    EXPECT_EQ(viewer.results()->count(), 0);
}

// The pages share one stylesheet: a page that lost it would show plain black headings.
TEST_F(HelpViewerTest, PagesOfBothLanguagesTakeTheirLookFromTheSharedStylesheet) {
    for (const char* language : {"ENG", "RUS"}) {
        settings.list().setValue("Language", language);
        HelpViewer viewer(help, texts);
        viewer.openContents();
        const QTextDocument& page = *viewer.browser()->document();
        int headings = 0;
        for (QTextBlock block = page.begin(); block.isValid(); block = block.next()) {
            if (block.blockFormat().headingLevel() != 1) continue;
            ++headings;
            const QTextCharFormat look = block.begin().fragment().charFormat();
            EXPECT_EQ(look.foreground().color().name(), "#000080") << language;
            EXPECT_EQ(look.fontPointSize(), 16) << language;
        }
        EXPECT_EQ(headings, 1) << language;
    }
}

}  // namespace
}  // namespace lumo::platform
