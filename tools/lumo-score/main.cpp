// lumo-score: scores an exam of the data home from the command line, as the
// exam results command does, and prints the results.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "core/data_home.h"
#include "core/text_format.h"
#include "core/string_table.h"
#include "core/texts/scoring.h"
#include "scoring/score_command.h"

namespace {

std::optional<std::string> environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::optional<std::string>(value) : std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace lumo;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const scoring::ScoreOptions options = scoring::parseScoreOptions(arguments);
    if (options.help) {
        std::cout << scoring::scoreUsage() << "\n";
        return scoring::kScoreOk;
    }
    if (!options.error.empty()) {
        const core::StringTable strings;
        std::cerr << core::formatText(strings.text(txt::ScoreBadArgument, core::Language::English), {options.error})
                  << "\n"
                  << scoring::scoreUsage() << "\n";
        return scoring::kScoreUsage;
    }
    core::DataHomeSources sources;
    sources.homeOption = options.home;
    sources.lumoHome = environment("LUMO_HOME");
    sources.executableFolder = std::filesystem::absolute(argv[0]).parent_path();
    sources.xdgDataHome = environment("XDG_DATA_HOME");
    sources.userHome = environment("HOME");
    const core::DataHomeChoice home = core::chooseDataHome(sources);
    return scoring::runScoreCommand(options, home.path, std::cout, std::cerr);
}
