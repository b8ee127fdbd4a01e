#include "admin/crime_list.h"

#include <algorithm>
#include <cmath>

#include "core/settings.h"
#include "core/texts/admin.h"

namespace lumo::admin {

namespace {

std::string crimeKey(const core::Settings& settings, int entry) {
    return settings.prefixed("Crime" + std::to_string(entry));
}

// Length of the line break starting at `at`, 0 when there is none.
std::size_t breakLength(std::string_view text, std::size_t at) {
    if (text[at] == '\n') return 1;
    if (text[at] == '\r') return at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
    // U+2028 and U+2029: E2 80 A8 / E2 80 A9.
    if (text.substr(at, 2) == "\xE2\x80" && at + 2 < text.size() &&
        (text[at + 2] == '\xA8' || text[at + 2] == '\xA9')) {
        return 3;
    }
    return 0;
}

}  // namespace

CrimeListEditor::CrimeListEditor(core::Settings& settings, const core::Texts& texts)
    : settings_(settings), texts_(texts) {
    const core::SettingsList& list = settings_.list();
    const int count = list.integer(settings_.prefixed("MaxCrime"));
    for (int entry = 2; entry <= count; ++entry) names_.push_back(list.text(crimeKey(settings_, entry)));
}

std::string CrimeListEditor::text() const {
    std::string joined;
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (i > 0) joined += '\n';
        joined += names_[i];
    }
    return joined;
}

bool CrimeListEditor::save(std::string_view text) {
    if (!confirm_ || !confirm_(texts_(txt::CrimeSaveConfirm))) return false;
    names_ = splitLines(text);
    store(settings_, names_);
    return true;
}

bool CrimeListEditor::cancel() {
    return confirm_ && confirm_(texts_(txt::CrimeCancelConfirm));
}

void CrimeListEditor::store(core::Settings& settings, const std::vector<std::string>& names) {
    core::SettingsList& list = settings.list();
    list.setValue(settings.prefixed("MaxCrime"), std::to_string(names.size() + 1));
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string key = crimeKey(settings, static_cast<int>(i) + 2);
        if (list.indexOf(key) < 0) list.insertLine(0, key + "=");
        list.setText(key, names[i]);
    }
}

std::vector<std::string> CrimeListEditor::splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = breakLength(text, at);
        if (length == 0) {
            line += text[at++];
            continue;
        }
        lines.push_back(std::move(line));
        line.clear();
        at += length;
    }
    // Text after the last break is a line; the break itself does not add one.
    if (!line.empty()) lines.push_back(std::move(line));
    return lines;
}

DialogSize crimeEditorSize(DialogSize design, DialogSize screen) {
    if (design.width <= 0 || design.height <= 0) return design;
    const double byHeight = 0.8 * screen.height / design.height;
    const double byWidth = static_cast<double>(screen.width) / design.width;
    const double scale = std::min(byHeight, byWidth);
    // Halves go to the even neighbour, as every rounding of the system does.
    return {static_cast<int>(std::nearbyint(design.width * scale)),
            static_cast<int>(std::nearbyint(design.height * scale))};
}

}  // namespace lumo::admin
