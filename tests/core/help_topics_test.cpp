#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "core/help_index.h"
#include "core/help_topics.h"
#include "core/paths.h"
#include "core/text_file.h"

namespace lumo::core {
namespace {

namespace fs = std::filesystem;

const fs::path kHelp = fs::path(LUMO_DATA_DIR) / "help";
const fs::path kSources = fs::path(LUMO_DATA_DIR).parent_path() / "src";

// Windows whose code is still being written: their pages come first.
const std::set<std::string> kWindowsUnderWay = {"TfrmEdit", "TfrmScrlRes", "TfrmScrlPar", "TfrmState",
                                               "TfrmBaevsky"};

std::set<std::string> anchorsOf(const std::string& html) {
    std::set<std::string> anchors;
    const std::regex name(R"re(<a\s+name="([^"]+)")re", std::regex::icase);
    for (std::sregex_iterator it(html.begin(), html.end(), name), end; it != end; ++it) anchors.insert((*it)[1]);
    return anchors;
}

// Every dialog or main window class declared under src/*/ui: the Tfrm... windows, and any
// other dialog that no further window derives from (an input box, say).
std::set<std::string> windowClassesInSources() {
    std::set<std::string> windows;
    std::set<std::string> dialogs;
    std::set<std::string> bases;
    const std::regex declaration(R"(class\s+(\w+)\s*:\s*public\s+(\w+))");
    for (const auto& entry : fs::recursive_directory_iterator(kSources)) {
        if (entry.path().extension() != ".h" || entry.path().parent_path().filename() != "ui") continue;
        const std::string header = readFileBytes(entry.path());
        for (std::sregex_iterator it(header.begin(), header.end(), declaration), end; it != end; ++it) {
            const std::string name = (*it)[1];
            const std::string base = (*it)[2];
            bases.insert(base);
            if (name.rfind("Tfrm", 0) == 0) windows.insert(name);
            else if (base == "QDialog" || base == "QMainWindow") dialogs.insert(name);
        }
    }
    for (const auto& dialog : dialogs) {
        if (bases.count(dialog) == 0) windows.insert(dialog);
    }
    return windows;
}

TEST(HelpTopics, EveryWindowHasAPageInBothLanguagesWithItsAnchor) {
    std::set<std::string> listed;
    for (const auto& topic : helpTopics()) {
        EXPECT_TRUE(listed.insert(std::string(topic.windowClass)).second) << topic.windowClass << " twice";
        const std::string page(topic.page);
        const std::string file(pageFile(page));
        for (const fs::path& folder : {kHelp, kHelp / "ru"}) {
            ASSERT_TRUE(fs::exists(folder / file)) << (folder / file);
            if (file.size() < page.size()) {
                EXPECT_EQ(anchorsOf(readFileBytes(folder / file)).count(page.substr(file.size() + 1)), 1u)
                    << page << " in " << folder;
            }
        }
    }
    const std::set<std::string> windows = windowClassesInSources();
    EXPECT_GT(windows.size(), 25u);
    EXPECT_EQ(windows.count("ExamNameBox"), 1u);  // a plain dialog is a window too
    EXPECT_EQ(windows.count("ExamineeFormDialog"), 0u);  // a base of windows is not
    for (const auto& window : windows) EXPECT_EQ(listed.count(window), 1u) << window << " has no page";
    for (const auto& window : kWindowsUnderWay) EXPECT_EQ(listed.count(window), 1u) << window << " has no page";
    EXPECT_EQ(listed.count("HelpViewer"), 1u);
}

TEST(HelpTopics, ClassNamesWithOrWithoutNamespacesFindTheirTopic) {
    ASSERT_NE(helpTopicFor("lumo::core::ui::TfrmMain"), nullptr);
    EXPECT_EQ(helpTopicFor("lumo::core::ui::TfrmMain")->page, "main_window.html");
    EXPECT_EQ(helpTopicFor("TfrmMain"), helpTopicFor("lumo::core::ui::TfrmMain"));
    EXPECT_EQ(helpTopicFor("QMessageBox"), nullptr);
    EXPECT_EQ(helpTopicFor("lumo::x::TfrmMainX"), nullptr);
    EXPECT_EQ(bareClassName("a::b::C"), "C");
    EXPECT_EQ(bareClassName("C"), "C");
    EXPECT_EQ(pageFile("about.html#progress"), "about.html");
    EXPECT_EQ(pageFile("about.html"), "about.html");

    // The test window ignores F1, the splash and the summary close on any key, and the progress
    // window runs while nothing may open; the two review views take the help window with them.
    const std::set<std::string_view> keepF1 = {"TfrmTest", "TfrmAbout", "TfrmBaevsky", "TfrmProgress"};
    for (const auto& topic : helpTopics()) {
        EXPECT_EQ(topic.windowOwnsF1, keepF1.count(topic.windowClass) == 1) << topic.windowClass;
        EXPECT_EQ(topic.closesHelp, topic.windowClass == "TfrmScrlRes" || topic.windowClass == "TfrmScrlPar")
            << topic.windowClass;
    }
}

// A page that exists in one language only, a link to a missing page or
// anchor, or an English page copied untranslated into the Russian folder.
TEST(HelpPages, BothLanguagesHoldTheSamePagesAndEveryLinkArrives) {
    const auto pageNames = [](const fs::path& folder) {
        const auto names = findEntries(folder, "*.html");
        return std::set<std::string>(names.begin(), names.end());
    };
    const std::set<std::string> english = pageNames(kHelp);
    ASSERT_EQ(english, pageNames(kHelp / "ru"));
    EXPECT_GT(english.size(), 40u);

    const std::regex cyrillic("[\xD0\xD1][\x80-\xBF]");
    for (const fs::path& folder : {kHelp, kHelp / "ru"}) {
        HelpIndex index;
        index.load(folder);
        for (const auto& page : index.pages()) {
            const std::string html = readFileBytes(folder / page.fileName);
            EXPECT_NE(html.find("href=\"" + std::string(folder == kHelp ? "" : "../") + "help.css\""),
                      std::string::npos)
                << page.fileName << " lost the stylesheet";
            EXPECT_EQ(std::regex_search(page.title, cyrillic), folder != kHelp) << folder / page.fileName;
            for (const auto& link : page.links) {
                if (link.rfind("http", 0) == 0) continue;
                const std::string file = link.substr(0, link.find('#'));
                const std::string target = file.empty() ? page.fileName : file;
                ASSERT_TRUE(fs::exists(folder / target)) << link << " on " << folder / page.fileName;
                if (file.size() < link.size()) {
                    EXPECT_EQ(anchorsOf(readFileBytes(folder / target)).count(link.substr(file.size() + 1)), 1u)
                        << link << " on " << folder / page.fileName;
                }
            }
        }
        // Every page can be reached from the contents.
        const auto* contents = index.page(HelpIndex::kContentsPage);
        ASSERT_NE(contents, nullptr);
        std::set<std::string> linked{std::string(HelpIndex::kContentsPage)};
        for (const auto& link : contents->links) linked.insert(link.substr(0, link.find('#')));
        for (const auto& page : index.pages()) EXPECT_EQ(linked.count(page.fileName), 1u) << page.fileName;
    }
}

}  // namespace
}  // namespace lumo::core
