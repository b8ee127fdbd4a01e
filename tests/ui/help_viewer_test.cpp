#include <QListWidget>
#include <QTextBrowser>
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

}  // namespace
}  // namespace lumo::platform
