#pragma once

#include <filesystem>
#include <initializer_list>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace lumo::tools {

// The words after a lumo-export command, as every command reads them:
// `--home DIR`, `-o PATH`, `--force`, the command's own switches, and the
// positional words in order.
struct ExportArguments {
    std::optional<std::string> home;
    std::optional<std::filesystem::path> output;
    bool force = false;
    std::set<std::string, std::less<>> switches;  // those of the command's switches that were given
    std::vector<std::string> positional;
    std::string error;  // the first word that makes no sense, empty when none

    bool has(std::string_view name) const { return switches.count(name) != 0; }
};

ExportArguments readExportArguments(const std::vector<std::string>& args,
                                    std::initializer_list<std::string_view> commandSwitches);

}  // namespace lumo::tools
