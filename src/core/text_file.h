#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lumo::core {

// The whole file as bytes; EInOutError naming the file when it cannot be read.
std::string readFileBytes(const std::filesystem::path& path);

// Splits Windows-1251 text into UTF-8 lines at CR LF, CR or LF; a final line
// break does not start another line.
std::vector<std::string> splitTextLines(std::string_view cp1251);
// UTF-8 lines as Windows-1251 text, every line ending in CR LF.
std::string joinTextLines(const std::vector<std::string>& lines);

std::vector<std::string> readTextLines(const std::filesystem::path& path);
// Replaces the file whole (atomic write).
void writeTextLines(const std::filesystem::path& path, const std::vector<std::string>& lines);

}  // namespace lumo::core
