#include "core/command_line.h"

#include "core/numbers.h"

namespace lumo::core {

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    bool deceptiveGiven = false;
    bool truthfulGiven = false;
    bool chartsGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == "--version") {
            line.version = true;
        } else if (argument == "--help" || argument == "-h") {
            line.help = true;
        } else if (argument == "--sample") {
            line.sample = true;
        } else if (argument == "--no-splash") {
            line.noSplash = true;
        } else if (argument == "--demo") {
            line.demo = true;
        } else if (argument == "--deceptive" || argument == "--truthful") {
            if ((argument == "--truthful" && deceptiveGiven) || (argument == "--deceptive" && truthfulGiven)) {
                line.error = "--deceptive and --truthful exclude each other";
                return line;
            }
            (argument == "--truthful" ? truthfulGiven : deceptiveGiven) = true;
            line.truthful = argument == "--truthful";
        } else if (argument == "--charts") {
            const int charts = hasValue ? strToIntDef(arguments[i + 1], 0) : 0;
            if (charts < 1 || charts > 9) {
                line.error = "--charts needs a number from 1 to 9";
                return line;
            }
            line.demoCharts = charts;
            chartsGiven = true;
            ++i;
        } else if (argument == "--play") {
            if (!hasValue) {
                line.error = "--play needs a key script";
                return line;
            }
            line.play = arguments[++i];
        } else if (argument == "--init-home" || argument == "--home") {
            if (!hasValue) {
                line.error = argument + " needs a folder";
                return line;
            }
            (argument == "--home" ? line.home : line.initHome) = arguments[++i];
        } else if (argument.rfind("--home=", 0) == 0) {
            line.home = argument.substr(7);
        } else {
            line.error = "unknown argument: " + argument;
            return line;
        }
    }
    if (line.sample && !line.initHome) line.error = "--sample goes with --init-home";
    if ((deceptiveGiven || truthfulGiven || chartsGiven) && !line.demo) {
        line.error = "--charts, --deceptive and --truthful go with --demo";
    }
    if (line.demo && line.initHome) line.error = "--demo and --init-home exclude each other";
    if (line.play && (line.demo || line.initHome)) line.error = "--play goes with the windows only";
    return line;
}

const char* usageText() {
    return "Usage: lumo [--home DIR] [--no-splash] [--play FILE]\n"
           "       lumo --init-home DIR [--sample]\n"
           "       lumo --demo [--home DIR] [--charts N] [--deceptive|--truthful]\n"
           "       lumo --version\n"
           "\n"
           "  --home DIR       use DIR as the data home (else LUMO_HOME, the program's folder\n"
           "                   when it holds lumo7w.ini, else $XDG_DATA_HOME/lumo7)\n"
           "  --init-home DIR  seed DIR with the installed defaults and exit\n"
           "  --sample         with --init-home: register a sample examinee too\n"
           "  --no-splash      start without the splash window\n"
           "  --play FILE      play the key script FILE into the windows, as typed at the\n"
           "                   keyboard (\"wait frmSubjNew\", \"key Alt+E\", \"type Ivanov\",\n"
           "                   \"shot new.png\"); pictures go next to the script\n"
           "  --demo           record N charts (--charts, default 3) of a method-1 exam with an\n"
           "                   autopilot examiner against the simulated unit, score them and print\n"
           "                   the conclusion; in a new temporary home unless --home is given;\n"
           "                   the simulated examinee lies (--deceptive, default) or not (--truthful)\n"
           "  --version        print the version and exit\n";
}

}  // namespace lumo::core
