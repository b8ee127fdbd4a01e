#include "export_arguments.h"

#include <algorithm>

namespace lumo::tools {

ExportArguments readExportArguments(const std::vector<std::string>& args,
                                    std::initializer_list<std::string_view> commandSwitches) {
    ExportArguments read;
    for (std::size_t i = 0; i < args.size() && read.error.empty(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (std::find(commandSwitches.begin(), commandSwitches.end(), arg) != commandSwitches.end()) {
            read.switches.insert(arg);
        } else if (arg == "--force") {
            read.force = true;
        } else if (arg == "--home" && hasValue) {
            read.home = args[++i];
        } else if (arg == "-o" && hasValue) {
            read.output = args[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            read.error = arg;
        } else {
            read.positional.push_back(arg);
        }
    }
    return read;
}

}  // namespace lumo::tools
