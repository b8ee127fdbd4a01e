#include "core/paths.h"

#include <algorithm>
#include <system_error>

#include "core/cp1251.h"

namespace lumo::core {

namespace fs = std::filesystem;

namespace {

std::vector<std::string> splitComponents(std::string_view relative) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : relative) {
        if (c == '\\' || c == '/') {
            if (!current.empty()) parts.push_back(std::move(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) parts.push_back(std::move(current));
    return parts;
}

// The real spelling of `name` inside `folder`, or empty when nothing matches.
std::string spellingOnDisk(const fs::path& folder, const std::string& name) {
    std::error_code ec;
    if (fs::exists(folder / name, ec)) return name;
    const std::string wanted = upperCase(name);
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string candidate = it->path().filename().string();
        if (upperCase(candidate) == wanted) return candidate;
    }
    return {};
}

bool matchFrom(std::string_view name, std::string_view pattern) {
    // Iterative wildcard match with one backtrack point for the last "*".
    std::size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

}  // namespace

fs::path resolvePath(const fs::path& base, std::string_view relative) {
    fs::path result = base;
    bool onDisk = true;
    for (const auto& part : splitComponents(relative)) {
        if (onDisk) {
            const std::string real = spellingOnDisk(result, part);
            if (!real.empty()) {
                result /= real;
                continue;
            }
            onDisk = false;
        }
        result /= part;
    }
    return result;
}

bool matchesWildcard(std::string_view name, std::string_view pattern) {
    // Upper-cased as UTF-8, then compared per byte: "?" matches one byte, so
    // patterns with "?" are meant for the ASCII names of the formats.
    return matchFrom(upperCase(name), upperCase(pattern));
}

std::vector<std::string> findEntries(const fs::path& folder, std::string_view pattern) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (matchesWildcard(name, pattern)) names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace lumo::core
