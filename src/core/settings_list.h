#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lumo::core {

// The settings file held in memory: an ordered list of "name=value" lines.
// Lines keep their file order, lines nobody asks for are written back as they
// were, and key names compare without regard to letter case.
class SettingsList {
public:
    // Replaces the content with the lines of the Windows-1251 file.
    void loadFromFile(const std::filesystem::path& path);
    void loadFromLines(std::vector<std::string> lines) { lines_ = std::move(lines); }
    // Writes the file whole (atomically).
    void saveToFile(const std::filesystem::path& path) const;
    const std::vector<std::string>& lines() const { return lines_; }

    // Position of the key's line, or -1.
    int indexOf(std::string_view key) const;
    // The value, or "" when the key is absent.
    std::string value(std::string_view key) const;
    // Replaces the value; an absent key gets a new line at the end; the empty
    // value removes the key's line.
    void setValue(std::string_view key, std::string_view value);
    void insertLine(int index, std::string line);

    // Text settings store blanks as "_" and the empty text as "Ъ".
    std::string text(std::string_view key) const;
    void setText(std::string_view key, std::string_view text);
    // "TRUE" in any letter case; anything else is false.
    bool boolean(std::string_view key) const;
    void setBoolean(std::string_view key, bool value);
    // Strict: an absent or malformed value raises EConvertError.
    int integer(std::string_view key) const;
    int integerOr(std::string_view key, int fallback) const;

private:
    std::vector<std::string> lines_;
};

}  // namespace lumo::core
