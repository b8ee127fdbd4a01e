#include "core/help_index.h"

#include <algorithm>
#include <sstream>

#include "core/cp1251.h"
#include "core/paths.h"
#include "core/text_file.h"

namespace lumo::core {

namespace {

std::string foldCase(std::string_view text) {
    // The pages are searched without regard to case: compare upper-cased
    // forms, which handles Cyrillic as well as Latin letters.
    return upperCase(text);
}

std::size_t occurrences(std::string_view text, std::string_view word) {
    std::size_t count = 0;
    for (auto at = text.find(word); at != std::string_view::npos; at = text.find(word, at + word.size())) ++count;
    return count;
}

void appendEntity(std::string& out, std::string_view entity) {
    if (entity == "amp") out += '&';
    else if (entity == "lt") out += '<';
    else if (entity == "gt") out += '>';
    else if (entity == "quot") out += '"';
    else if (entity == "nbsp") out += ' ';
    else out += ' ';
}

}  // namespace

std::string htmlToText(std::string_view html) {
    std::string out;
    bool inTag = false;
    bool skipping = false;  // inside <style> or <script>
    for (std::size_t i = 0; i < html.size(); ++i) {
        const char c = html[i];
        if (c == '<') {
            const std::string_view rest = html.substr(i + 1);
            const std::string head = foldCase(rest.substr(0, 7));
            if (head.rfind("STYLE", 0) == 0 || head.rfind("SCRIPT", 0) == 0) skipping = true;
            if (head.rfind("/STYLE", 0) == 0 || head.rfind("/SCRIPT", 0) == 0) skipping = false;
            inTag = true;
            continue;
        }
        if (inTag) {
            if (c == '>') {
                inTag = false;
                out += ' ';
            }
            continue;
        }
        if (skipping) continue;
        if (c == '&') {
            const auto end = html.find(';', i);
            if (end != std::string_view::npos && end - i <= 6) {
                appendEntity(out, html.substr(i + 1, end - i - 1));
                i = end;
                continue;
            }
        }
        out += (c == '\n' || c == '\r' || c == '\t') ? ' ' : c;
    }
    std::string joined;
    for (char c : out) {
        if (c == ' ' && (joined.empty() || joined.back() == ' ')) continue;
        joined += c;
    }
    if (!joined.empty() && joined.back() == ' ') joined.pop_back();
    return joined;
}

std::string htmlTitle(std::string_view html) {
    const std::string upper = foldCase(html);
    const auto open = upper.find("<TITLE>");
    const auto close = upper.find("</TITLE>");
    if (open == std::string::npos || close == std::string::npos || close < open) return {};
    return htmlToText(html.substr(open + 7, close - open - 7));
}

void HelpIndex::load(const std::filesystem::path& helpFolder) {
    folder_ = helpFolder;
    pages_.clear();
    for (const auto& name : findEntries(helpFolder, "*.html")) {
        std::string html;
        try {
            html = readFileBytes(helpFolder / name);
        } catch (const std::exception&) {
            continue;  // an unreadable page is simply not offered
        }
        std::string title = htmlTitle(html);
        pages_.push_back({name, title.empty() ? name : std::move(title), foldCase(htmlToText(html))});
    }
}

std::vector<const HelpIndex::Page*> HelpIndex::search(std::string_view query) const {
    std::vector<std::string> words;
    std::istringstream stream{std::string(query)};
    for (std::string word; stream >> word;) words.push_back(foldCase(word));
    if (words.empty()) return {};

    std::vector<std::pair<std::size_t, const Page*>> hits;
    for (const auto& page : pages_) {
        std::size_t score = 0;
        bool all = true;
        for (const auto& word : words) {
            const std::size_t count = occurrences(page.text, word);
            all = all && count > 0;
            score += count;
        }
        if (all) hits.emplace_back(score, &page);
    }
    std::stable_sort(hits.begin(), hits.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<const Page*> result;
    for (const auto& hit : hits) result.push_back(hit.second);
    return result;
}

}  // namespace lumo::core
