#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lumo::core {

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
std::int64_t rnd(double value);
// Cut towards zero.
std::int64_t trunc(double value);

// Strict integer conversion: optional blanks in front, an optional sign and
// decimal digits (or "$" and hexadecimal digits), within 32 bits. Anything else
// raises EConvertError "'%s' is not a valid integer value".
std::int32_t strToInt(std::string_view text);
// The same conversion, giving `fallback` instead of raising.
std::int32_t strToIntDef(std::string_view text, std::int32_t fallback);

// Decimal real with "." as separator and an optional exponent; raises
// EConvertError "'%s' is not a valid floating point value".
double strToFloat(std::string_view text);

// Blanks removed at both ends.
std::string trimmed(std::string_view text);

// Nine significant digits, "." as separator whatever the locale; empty for a
// value that is no number (a damaged table can bring one in).
std::string nineDigits(double value);

}  // namespace lumo::core
