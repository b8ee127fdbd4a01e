#include "archive_command_line.h"

namespace lumo::tools {

ArchiveCommandLine parseArchiveCommandLine(const std::vector<std::string>& arguments) {
    ArchiveCommandLine line;
    if (arguments.empty()) {
        line.error = "no command given";
        return line;
    }
    const std::string& command = arguments[0];
    if (command == "--help" || command == "-h" || command == "help") {
        line.action = ArchiveCommandLine::Action::Help;
        return line;
    }
    if (command == "compress") {
        line.action = ArchiveCommandLine::Action::Compress;
    } else if (command == "decompress") {
        line.action = ArchiveCommandLine::Action::Decompress;
    } else if (command == "pack") {
        line.action = ArchiveCommandLine::Action::Pack;
    } else if (command == "unpack") {
        line.action = ArchiveCommandLine::Action::Unpack;
    } else {
        line.error = "unknown command: " + command;
        return line;
    }
    const bool examinee = line.action == ArchiveCommandLine::Action::Compress ||
                          line.action == ArchiveCommandLine::Action::Decompress;
    const std::string folderOption = line.action == ArchiveCommandLine::Action::Compress ? "--to" : "--from";
    std::vector<std::string> positional;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        const bool takesValue = (examinee && (argument == "--home" || argument == folderOption)) ||
                                (line.action == ArchiveCommandLine::Action::Pack && argument == "--mode");
        if (takesValue) {
            if (!hasValue) {
                line.error = argument + " needs a value";
                return line;
            }
            const std::string& value = arguments[++i];
            if (argument == "--home") {
                line.home = value;
            } else if (argument == "--mode") {
                line.mode = value;
            } else {
                line.folder = value;
            }
        } else if (argument.size() > 2 && argument.rfind("--", 0) == 0) {
            line.error = "unknown option: " + argument;
            return line;
        } else {
            positional.push_back(argument);
        }
    }
    if (examinee) {
        if (positional.size() != 1) {
            line.error = "give exactly one examinee code";
        } else if (line.folder.empty()) {
            line.error = command + " needs " + folderOption + " FOLDER";
        } else {
            line.code = positional[0];
        }
        return line;
    }
    if (positional.size() != 2) {
        line.error = command + " needs IN and OUT";
        return line;
    }
    line.input = positional[0];
    line.output = positional[1];
    if (line.mode != "fast" && line.mode != "good" && line.mode != "auto") line.error = "--mode is fast, good or auto";
    return line;
}

const char* archiveUsageText() {
    return "Usage: lumo-archive compress [--home DIR] CODE --to FOLDER\n"
           "       lumo-archive decompress [--home DIR] CODE --from FOLDER\n"
           "       lumo-archive pack IN OUT [--mode fast|good|auto]\n"
           "       lumo-archive unpack IN OUT\n"
           "\n"
           "  compress    pack the examinee's files into volumes CODE.000 ... in FOLDER,\n"
           "              verify them and leave only subject.dat, marked as archived\n"
           "  decompress  bring the examinee's files back from the volumes in FOLDER\n"
           "  pack        compress one file into the .lzw form (fast = LZRW1/KH,\n"
           "              good = LZHUF, auto = chosen from samples of the file)\n"
           "  unpack      decompress one .lzw file\n"
           "  --home DIR  the data home (else LUMO_HOME, the program's folder when it\n"
           "              holds lumo7w.ini, else $XDG_DATA_HOME/lumo7)\n";
}

}  // namespace lumo::tools
