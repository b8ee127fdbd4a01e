#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumo::core {

enum class Language { English, Russian };

// One text in both languages: English under the odd identifier `id`, Russian
// under id + 1. A hint holds "short hint|long hint".
struct TextPair {
    int id;
    std::string_view english;
    std::string_view russian;
};

// The bilingual string table: every user-visible text of the system.
class StringTable {
public:
    // The system's own table.
    StringTable();
    // A table of the given pairs (tests); raises EListError on an even or repeated identifier.
    explicit StringTable(std::vector<TextPair> pairs);

    // The text under identifier n in the given language: for an odd n the
    // English or Russian text of pair n; an even n names the Russian text of
    // pair n - 1 whatever the language. Unknown identifiers give "".
    std::string_view text(int id, Language language) const;
    bool contains(int id) const;
    std::size_t size() const { return pairs_.size(); }
    // A view into the table: not offered on a temporary, which would be gone
    // before a loop over the view began.
    std::span<const TextPair> pairs() const& { return pairs_; }
    std::span<const TextPair> pairs() const&& = delete;

private:
    std::vector<TextPair> pairs_;  // sorted by identifier
};

// The tool-tip and the hint panel parts of a hint text.
std::string_view shortHint(std::string_view hint);
std::string_view longHint(std::string_view hint);

}  // namespace lumo::core
