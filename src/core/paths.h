#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lumo::core {

// Resolves a relative path of the stored formats ("DAT\#0000001\EXAM_01.QT1")
// against `base`, matching every component without regard to letter case.
// Components that do not exist keep the spelling given, so the result also
// names a file about to be created.
std::filesystem::path resolvePath(const std::filesystem::path& base, std::string_view relative);

// True when `name` matches `pattern` ("exam_??.qs_", "*.qs?") ignoring case:
// "?" stands for exactly one character, "*" for any run of characters.
bool matchesWildcard(std::string_view name, std::string_view pattern);

// Names of the entries of `folder` matching `pattern`, sorted; none when the
// folder does not exist.
std::vector<std::string> findEntries(const std::filesystem::path& folder, std::string_view pattern);

}  // namespace lumo::core
