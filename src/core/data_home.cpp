#include "core/data_home.h"

#include <cstdlib>
#include <system_error>

#include "core/paths.h"

namespace lumo::core {

namespace fs = std::filesystem;

namespace {

std::optional<std::string> environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::optional<std::string>(value) : std::nullopt;
}

}  // namespace

DataHomeSources processDataHomeSources(const std::optional<std::string>& homeOption) {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return {homeOption, environment("LUMO_HOME"), ec ? fs::path() : self.parent_path(), environment("XDG_DATA_HOME"),
            environment("HOME")};
}

bool holdsSettingsFile(const fs::path& folder) {
    std::error_code ec;
    return fs::is_regular_file(resolvePath(folder, "lumo7w.ini"), ec);
}

DataHomeChoice chooseDataHome(const DataHomeSources& sources) {
    if (sources.homeOption && !sources.homeOption->empty()) return {fs::path(*sources.homeOption), false};
    if (sources.lumoHome && !sources.lumoHome->empty()) return {fs::path(*sources.lumoHome), false};
    if (!sources.executableFolder.empty() && holdsSettingsFile(sources.executableFolder)) {
        return {sources.executableFolder, false};
    }
    fs::path dataRoot;
    if (sources.xdgDataHome && !sources.xdgDataHome->empty()) {
        dataRoot = *sources.xdgDataHome;
    } else {
        dataRoot = fs::path(sources.userHome.value_or(".")) / ".local" / "share";
    }
    const fs::path home = dataRoot / "lumo7";
    return {home, !holdsSettingsFile(home)};
}

}  // namespace lumo::core
