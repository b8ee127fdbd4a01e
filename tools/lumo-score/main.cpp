// lumo-score: scores an exam of the data home from the command line, as the
// exam results command does, and prints the results.
#include <iostream>
#include <string>
#include <vector>

#include "core/data_home.h"
#include "core/text_format.h"
#include "core/string_table.h"
#include "core/texts/scoring.h"
#include "scoring/score_command.h"

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
    const core::DataHomeChoice home = core::chooseDataHome(core::processDataHomeSources(options.home));
    return scoring::runScoreCommand(options, home.path, std::cout, std::cerr);
}
