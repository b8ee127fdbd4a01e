#include "core/settings_list.h"

#include <algorithm>

#include "core/cp1251.h"
#include "core/numbers.h"
#include "core/text_file.h"

namespace lumo::core {

namespace {

constexpr std::string_view kEmptyTextMarker = "Ъ";

std::string_view nameOf(std::string_view line) {
    const auto eq = line.find('=');
    return eq == std::string_view::npos ? line : line.substr(0, eq);
}

std::string replaced(std::string_view text, char from, char to) {
    std::string out(text);
    for (char& c : out) {
        if (c == from) c = to;
    }
    return out;
}

}  // namespace

void SettingsList::loadFromFile(const std::filesystem::path& path) {
    lines_ = readTextLines(path);
}

void SettingsList::saveToFile(const std::filesystem::path& path) const {
    writeTextLines(path, lines_);
}

int SettingsList::indexOf(std::string_view key) const {
    const std::string wanted = upperCase(key);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string_view line = lines_[i];
        if (line.find('=') != std::string_view::npos && upperCase(nameOf(line)) == wanted) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string SettingsList::value(std::string_view key) const {
    const int index = indexOf(key);
    if (index < 0) return {};
    const std::string& line = lines_[static_cast<std::size_t>(index)];
    return line.substr(line.find('=') + 1);
}

void SettingsList::setValue(std::string_view key, std::string_view value) {
    const int index = indexOf(key);
    if (value.empty()) {
        if (index >= 0) lines_.erase(lines_.begin() + index);
        return;
    }
    std::string line = std::string(key) + "=" + std::string(value);
    if (index >= 0) {
        // The stored spelling of the name stays; only the value changes.
        std::string& existing = lines_[static_cast<std::size_t>(index)];
        existing = existing.substr(0, existing.find('=') + 1) + std::string(value);
    } else {
        lines_.push_back(std::move(line));
    }
}

void SettingsList::insertLine(int index, std::string line) {
    const auto position = std::clamp<std::ptrdiff_t>(index, 0, static_cast<std::ptrdiff_t>(lines_.size()));
    lines_.insert(lines_.begin() + position, std::move(line));
}

std::string SettingsList::text(std::string_view key) const {
    const std::string stored = value(key);
    if (stored == kEmptyTextMarker) return {};
    return replaced(stored, '_', ' ');
}

void SettingsList::setText(std::string_view key, std::string_view text) {
    setValue(key, text.empty() ? std::string(kEmptyTextMarker) : replaced(text, ' ', '_'));
}

bool SettingsList::boolean(std::string_view key) const {
    return upperCase(value(key)) == "TRUE";
}

void SettingsList::setBoolean(std::string_view key, bool value) {
    setValue(key, value ? "True" : "False");
}

int SettingsList::integer(std::string_view key) const {
    return strToInt(value(key));
}

int SettingsList::integerOr(std::string_view key, int fallback) const {
    return strToIntDef(value(key), fallback);
}

}  // namespace lumo::core
