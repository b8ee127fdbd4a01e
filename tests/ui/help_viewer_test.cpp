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

TEST(HelpViewer, OpensContentsSearchAndUsingHelp) {
    core::Settings settings(std::filesystem::temp_directory_path());
    settings.list().setValue("Language", "RUS");
    const core::StringTable table;
    const core::Texts texts(table, settings);
    HelpViewer viewer(std::filesystem::path(LUMO_DATA_DIR) / "help", texts);
    EXPECT_EQ(viewer.windowTitle(), QString::fromUtf8("Справка ЛУМО"));

    viewer.openContents();
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_TRUE(viewer.browser()->source().toString().endsWith("index.html"));
    viewer.openUsingHelp();
    EXPECT_TRUE(viewer.browser()->source().toString().endsWith("using_help.html"));

    viewer.openSearch();
    viewer.search("archive");
    ASSERT_GT(viewer.results()->count(), 0);
    emit viewer.results()->itemClicked(viewer.results()->item(0));
    EXPECT_FALSE(viewer.browser()->toPlainText().isEmpty());
    viewer.search("");
    EXPECT_EQ(viewer.results()->count(), 0);
}

// The pages share one stylesheet: a page that lost it would show plain black headings.
TEST(HelpViewer, PagesTakeTheirLookFromTheSharedStylesheet) {
    core::Settings settings(std::filesystem::temp_directory_path());
    const core::StringTable table;
    const core::Texts texts(table, settings);
    HelpViewer viewer(std::filesystem::path(LUMO_DATA_DIR) / "help", texts);
    viewer.openContents();
    const QTextDocument& page = *viewer.browser()->document();
    int headings = 0;
    for (QTextBlock block = page.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() != 1) continue;
        ++headings;
        const QTextCharFormat look = block.begin().fragment().charFormat();
        EXPECT_EQ(look.foreground().color().name(), "#000080");
        EXPECT_EQ(look.fontPointSize(), 16);
    }
    EXPECT_EQ(headings, 1);
}

}  // namespace
}  // namespace lumo::platform
