#include "device/calibration_store.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "core/atomic_file.h"
#include "core/paths.h"
#include "core/text_file.h"

namespace lumo::device {

namespace {

constexpr int kValidDays = 182;
constexpr std::string_view kFolder = "calibration";

// Only a unit identification may become a file name: nothing else reaches the disk.
bool validIdent(const std::string& ident) {
    if (ident.size() != 20) return false;
    for (const char c : ident) {
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
    }
    return true;
}

std::filesystem::path calibrationFile(const std::filesystem::path& dataHome, const std::string& ident) {
    return core::resolvePath(dataHome, std::string(kFolder) + "\\" + ident + ".ini");
}

std::optional<double> parseDouble(std::string_view text) {
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<int> parseDigits(std::string_view text) {
    int value = 0;
    if (text.empty()) return std::nullopt;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// "dd-mm-yyyy" as a day count; nothing for a malformed or impossible date.
std::optional<std::chrono::sys_days> parseDate(std::string_view text) {
    if (text.size() != 10 || text[2] != '-' || text[5] != '-') return std::nullopt;
    const auto day = parseDigits(text.substr(0, 2));
    const auto month = parseDigits(text.substr(3, 2));
    const auto year = parseDigits(text.substr(6, 4));
    if (!day || !month || !year) return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year(*year), std::chrono::month(static_cast<unsigned>(*month)),
                                           std::chrono::day(static_cast<unsigned>(*day))};
    if (!date.ok()) return std::nullopt;
    return std::chrono::sys_days(date);
}

std::chrono::sys_days dayCount(const core::Date& date) {
    return std::chrono::sys_days(std::chrono::year_month_day{std::chrono::year(date.year),
                                                             std::chrono::month(static_cast<unsigned>(date.month)),
                                                             std::chrono::day(static_cast<unsigned>(date.day))});
}

std::string formatDouble(double value) {
    char text[64];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    (void)error;  // 64 characters hold any double
    return std::string(text, end);
}

}  // namespace

ResistanceCalibration readCalibration(const std::filesystem::path& dataHome, const std::string& ident,
                                      const core::Date& today) {
    const ResistanceCalibration stale;
    if (!validIdent(ident)) return stale;
    std::string text;
    try {
        text = core::readFileBytes(calibrationFile(dataHome, ident));
    } catch (const std::exception&) {
        return stale;
    }
    std::optional<std::chrono::sys_days> date;
    std::optional<double> zeroRes;
    std::optional<double> propRes;
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string_view key = line.substr(0, equals);
        const std::string_view value = line.substr(equals + 1);
        if (key == "AdjustDate") date = parseDate(value);
        else if (key == "ZeroRes") zeroRes = parseDouble(value);
        else if (key == "PropRes") propRes = parseDouble(value);
    }
    // A conversion is only as good as both its numbers: one missing or damaged
    // value makes the whole calibration unusable, not half of it.
    if (!date || !zeroRes || !propRes || *propRes == 0) return stale;
    if ((dayCount(today) - *date).count() > kValidDays) return stale;
    return {*zeroRes, *propRes, false};
}

void writeCalibration(const std::filesystem::path& dataHome, const std::string& ident, const core::Date& day,
                      double zeroRes, double propRes) {
    // The driver always hands 20 hex digits; anything else is a caller's bug.
    if (!validIdent(ident)) throw std::invalid_argument("unit identification of 20 hex digits expected");
    const std::filesystem::path file = calibrationFile(dataHome, ident);
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    const std::string text = "AdjustDate=" + core::formatDate(day) + "\nZeroRes=" + formatDouble(zeroRes) +
                             "\nPropRes=" + formatDouble(propRes) + "\n";
    core::writeFileAtomically(file, text);
}

}  // namespace lumo::device
