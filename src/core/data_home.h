#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace lumo::core {

// Where the data home can come from, in the order of precedence.
struct DataHomeSources {
    std::optional<std::string> homeOption;     // --home DIR
    std::optional<std::string> lumoHome;       // LUMO_HOME
    std::filesystem::path executableFolder;    // used when it holds lumo7w.ini
    std::optional<std::string> xdgDataHome;    // XDG_DATA_HOME
    std::optional<std::string> userHome;       // HOME, for ~/.local/share
};

struct DataHomeChoice {
    std::filesystem::path path;
    // True for the per-user default home that does not hold a settings file
    // yet: it is created and seeded from the installed defaults.
    bool needsSeeding = false;
};

// The sources as this process sees them: the --home value given, LUMO_HOME,
// the program's own folder, XDG_DATA_HOME and HOME (empty variables count as
// unset).
DataHomeSources processDataHomeSources(const std::optional<std::string>& homeOption);

// The data home stands in for the program directory: every file is
// addressed relative to it.
DataHomeChoice chooseDataHome(const DataHomeSources& sources);

// True when the folder holds a settings file (any letter case).
bool holdsSettingsFile(const std::filesystem::path& folder);

}  // namespace lumo::core
