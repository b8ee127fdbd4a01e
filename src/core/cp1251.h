#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lumo::core {

// The stored files use Windows-1251; in memory every text is UTF-8.
// A character the code page cannot hold becomes "?".
std::string toCp1251(std::string_view utf8);
std::string fromCp1251(std::string_view bytes);

// Number of characters (code points) of a UTF-8 text; field limits count these.
std::size_t charCount(std::string_view utf8);
// The first n characters of a UTF-8 text.
std::string leftChars(std::string_view utf8, std::size_t n);
// The text from character position `from` (0-based) to the end.
std::string charsFrom(std::string_view utf8, std::size_t from);

// Upper case for Latin and Cyrillic letters, as the desktop's upper-casing does.
std::string upperCase(std::string_view utf8);
// Upper case for ASCII letters only; other bytes stay as they are.
std::string upperAscii(std::string_view text);
bool equalsIgnoreCase(std::string_view a, std::string_view b);

}  // namespace lumo::core
