#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/string_table.h"

namespace lumo::core {

// The help pages of one language (help/*.html in English, help/ru/*.html in
// Russian) with their titles, links and plain text, searchable by words.
class HelpIndex {
public:
    struct Page {
        std::string fileName;            // "test.html"
        std::string title;               // the <title>, else the file name
        std::string text;                // the visible text, case-folded for searching
        std::vector<std::string> links;  // the href targets, in their order
    };

    void load(const std::filesystem::path& helpFolder);
    const std::vector<Page>& pages() const { return pages_; }
    const std::filesystem::path& folder() const { return folder_; }
    const Page* page(std::string_view fileName) const;

    // The pages in the order the contents page links them, the contents page
    // first; pages it does not link follow by file name.
    std::vector<const Page*> contents() const;

    // Pages holding every word of the query (letter case ignored), the ones
    // that mention the words most often first; none for an empty query.
    std::vector<const Page*> search(std::string_view query) const;

    static constexpr std::string_view kContentsPage = "index.html";
    static constexpr std::string_view kUsingHelpPage = "using_help.html";
    static constexpr std::string_view kRussianFolder = "ru";

private:
    std::filesystem::path folder_;
    std::vector<Page> pages_;
};

// The folder of the pages in `language` below the help folder `helpRoot`:
// `helpRoot` for English, its "ru" folder for Russian. A home whose help has
// no Russian pages shows the English ones rather than none.
std::filesystem::path helpFolderFor(const std::filesystem::path& helpRoot, Language language);

// The targets of the page's links (<a href="...">), in their order.
std::vector<std::string> htmlLinks(std::string_view html);
// The visible text of an HTML page: tags dropped, the common entities
// decoded, runs of white space joined into one blank.
std::string htmlToText(std::string_view html);
// The content of the page's <title> element, "" when it has none.
std::string htmlTitle(std::string_view html);

}  // namespace lumo::core
