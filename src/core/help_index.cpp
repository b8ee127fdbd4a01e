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

char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The value of attribute `name` inside one tag's text ("a href=\"x\" ..."),
// quoted with either quote or not at all; "" when the tag has none.
std::string attributeValue(std::string_view tag, std::string_view name) {
    std::string lower(tag);
    for (char& c : lower) c = asciiLower(c);
    for (auto at = lower.find(name); at != std::string::npos; at = lower.find(name, at + 1)) {
        const bool startsWord = at > 0 && (lower[at - 1] == ' ' || lower[at - 1] == '\n' || lower[at - 1] == '\t');
        std::size_t i = at + name.size();
        while (i < tag.size() && tag[i] == ' ') ++i;
        if (!startsWord || i >= tag.size() || tag[i] != '=') continue;
        ++i;
        while (i < tag.size() && tag[i] == ' ') ++i;
        if (i >= tag.size()) return {};
        if (tag[i] == '"' || tag[i] == '\'') {
            const auto close = tag.find(tag[i], i + 1);
            return std::string(tag.substr(i + 1, close == std::string_view::npos ? std::string_view::npos : close - i - 1));
        }
        const auto end = tag.find_first_of(" \t\n", i);
        return std::string(tag.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i));
    }
    return {};
}

}  // namespace

std::filesystem::path helpFolderFor(const std::filesystem::path& helpRoot, Language language) {
    if (language == Language::English) return helpRoot;
    const auto russian = resolvePath(helpRoot, HelpIndex::kRussianFolder);
    std::error_code ec;
    return std::filesystem::is_directory(russian, ec) ? russian : helpRoot;
}

std::vector<std::string> htmlLinks(std::string_view html) {
    std::vector<std::string> links;
    for (auto open = html.find('<'); open != std::string_view::npos; open = html.find('<', open + 1)) {
        const auto close = html.find('>', open);
        if (close == std::string_view::npos) break;
        const std::string_view tag = html.substr(open + 1, close - open - 1);
        if (tag.size() < 2 || asciiLower(tag[0]) != 'a' || (tag[1] != ' ' && tag[1] != '\n')) continue;
        std::string target = attributeValue(tag, "href");
        if (!target.empty()) links.push_back(std::move(target));
    }
    return links;
}

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
        pages_.push_back({name, title.empty() ? name : std::move(title), foldCase(htmlToText(html)), htmlLinks(html)});
    }
}

const HelpIndex::Page* HelpIndex::page(std::string_view fileName) const {
    for (const auto& candidate : pages_) {
        if (upperCase(candidate.fileName) == upperCase(fileName)) return &candidate;
    }
    return nullptr;
}

std::vector<const HelpIndex::Page*> HelpIndex::contents() const {
    std::vector<const Page*> order;
    const auto add = [&order](const Page* page) {
        if (page != nullptr && std::find(order.begin(), order.end(), page) == order.end()) order.push_back(page);
    };
    const Page* contentsPage = page(kContentsPage);
    add(contentsPage);
    if (contentsPage != nullptr) {
        for (const auto& link : contentsPage->links) {
            const std::string_view target = std::string_view(link).substr(0, link.find('#'));
            if (target.find(':') == std::string_view::npos && target.find('/') == std::string_view::npos) add(page(target));
        }
    }
    for (const auto& each : pages_) add(&each);
    return order;
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
