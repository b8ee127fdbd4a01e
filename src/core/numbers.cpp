#include "core/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "core/errors.h"

namespace lumo::core {

std::int64_t rnd(double value) {
    const double floor = std::floor(value);
    const double fraction = value - floor;
    auto result = static_cast<std::int64_t>(floor);
    if (fraction > 0.5 || (fraction == 0.5 && (result % 2 != 0))) ++result;
    return result;
}

std::int64_t trunc(double value) {
    return static_cast<std::int64_t>(std::trunc(value));
}

namespace {

std::optional<std::int32_t> parseInt(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ') ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        negative = text[pos] == '-';
        ++pos;
    }
    int base = 10;
    if (pos < text.size() && text[pos] == '$') {
        base = 16;
        ++pos;
    }
    const std::string_view digits = text.substr(pos);
    if (digits.empty()) return std::nullopt;
    std::int64_t magnitude = 0;
    const char* end = digits.data() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.data(), end, magnitude, base);
    if (ec != std::errc() || ptr != end || magnitude < 0) return std::nullopt;
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace

std::int32_t strToInt(std::string_view text) {
    if (const auto value = parseInt(text)) return *value;
    throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
}

std::int32_t strToIntDef(std::string_view text, std::int32_t fallback) {
    return parseInt(text).value_or(fallback);
}

double strToFloat(std::string_view text) {
    const std::string clean = trimmed(text);
    std::string_view digits = clean;
    if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
    double value = 0;
    const char* end = digits.data() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.data(), end, value, std::chars_format::general);
    if (digits.empty() || ec != std::errc() || ptr != end || !std::isfinite(value)) {
        throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
    }
    return value;
}

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::string nineDigits(double value) {
    if (!std::isfinite(value)) return "";
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 9).ptr;
    return std::string(buffer, end);
}

}  // namespace lumo::core
