#include "core/command_line.h"

namespace lumo::core {

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
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
    return line;
}

const char* usageText() {
    return "Usage: lumo [--home DIR] [--no-splash]\n"
           "       lumo --init-home DIR [--sample]\n"
           "       lumo --version\n"
           "\n"
           "  --home DIR       use DIR as the data home (else LUMO_HOME, the program's folder\n"
           "                   when it holds lumo7w.ini, else $XDG_DATA_HOME/lumo7)\n"
           "  --init-home DIR  seed DIR with the installed defaults and exit\n"
           "  --sample         with --init-home: register a sample examinee too\n"
           "  --no-splash      start without the splash window\n"
           "  --version        print the version and exit\n";
}

}  // namespace lumo::core
