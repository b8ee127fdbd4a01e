#include "core/string_table.h"

#include <algorithm>
#include <utility>

#include "core/errors.h"
#include "core/texts/admin.h"
#include "core/texts/authoring.h"
#include "core/texts/core.h"
#include "core/texts/device.h"
#include "core/texts/recording.h"
#include "core/texts/review.h"
#include "core/texts/scoring.h"

namespace lumo::core {

namespace {

std::vector<TextPair> systemPairs() {
    std::vector<TextPair> pairs;
    for (auto texts : {txt::coreTexts(), txt::deviceTexts(), txt::recordingTexts(), txt::scoringTexts(),
                       txt::authoringTexts(), txt::adminTexts(), txt::reviewTexts()}) {
        pairs.insert(pairs.end(), texts.begin(), texts.end());
    }
    return pairs;
}

}  // namespace

StringTable::StringTable() : StringTable(systemPairs()) {}

StringTable::StringTable(std::vector<TextPair> pairs) : pairs_(std::move(pairs)) {
    std::sort(pairs_.begin(), pairs_.end(), [](const TextPair& a, const TextPair& b) { return a.id < b.id; });
    for (std::size_t i = 0; i < pairs_.size(); ++i) {
        const int id = pairs_[i].id;
        // Russian lives at id + 1, so an English text may only sit under a positive odd identifier.
        if (id <= 0 || id % 2 == 0) {
            throw EListError("String table: invalid identifier " + std::to_string(id));
        }
        if (i > 0 && pairs_[i - 1].id == id) {
            throw EListError("String table: duplicate identifier " + std::to_string(id));
        }
    }
}

std::string_view StringTable::text(int id, Language language) const {
    if (id <= 0) return {};
    const bool russianPartner = id % 2 == 0;
    const int englishId = russianPartner ? id - 1 : id;
    const auto it = std::lower_bound(pairs_.begin(), pairs_.end(), englishId,
                                     [](const TextPair& pair, int key) { return pair.id < key; });
    if (it == pairs_.end() || it->id != englishId) return {};
    if (russianPartner || language == Language::Russian) return it->russian;
    return it->english;
}

bool StringTable::contains(int id) const {
    if (id <= 0) return false;
    const int englishId = id % 2 == 0 ? id - 1 : id;
    return std::binary_search(pairs_.begin(), pairs_.end(), TextPair{englishId, {}, {}},
                              [](const TextPair& a, const TextPair& b) { return a.id < b.id; });
}

std::string_view shortHint(std::string_view hint) {
    const std::size_t bar = hint.find('|');
    return bar == std::string_view::npos ? hint : hint.substr(0, bar);
}

std::string_view longHint(std::string_view hint) {
    const std::size_t bar = hint.find('|');
    return bar == std::string_view::npos ? hint : hint.substr(bar + 1);
}

}  // namespace lumo::core
