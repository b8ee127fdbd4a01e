#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lumo::core {

// The help pages of the data home (help/*.html) with their titles and plain
// text, searchable by words.
class HelpIndex {
public:
    struct Page {
        std::string fileName;  // "test.html"
        std::string title;     // the <title>, else the file name
        std::string text;      // the visible text, case-folded for searching
    };

    void load(const std::filesystem::path& helpFolder);
    const std::vector<Page>& pages() const { return pages_; }
    const std::filesystem::path& folder() const { return folder_; }

    // Pages holding every word of the query (letter case ignored), the ones
    // that mention the words most often first; none for an empty query.
    std::vector<const Page*> search(std::string_view query) const;

    static constexpr std::string_view kContentsPage = "index.html";
    static constexpr std::string_view kUsingHelpPage = "using_help.html";

private:
    std::filesystem::path folder_;
    std::vector<Page> pages_;
};

// The visible text of an HTML page: tags dropped, the common entities
// decoded, runs of white space joined into one blank.
std::string htmlToText(std::string_view html);
// The content of the page's <title> element, "" when it has none.
std::string htmlTitle(std::string_view html);

}  // namespace lumo::core
