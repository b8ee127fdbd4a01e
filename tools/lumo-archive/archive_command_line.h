#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lumo::tools {

// What `lumo-archive` was asked to do.
struct ArchiveCommandLine {
    enum class Action { None, Compress, Decompress, Pack, Unpack, Help };
    Action action = Action::None;
    std::optional<std::string> home;  // --home DIR
    std::string code;                 // examinee file code
    std::string folder;               // --to / --from FOLDER
    std::string input;                // pack / unpack
    std::string output;
    std::string mode = "auto";        // fast | good | auto
    std::string error;                // set when the arguments make no sense
};

ArchiveCommandLine parseArchiveCommandLine(const std::vector<std::string>& arguments);
const char* archiveUsageText();

}  // namespace lumo::tools
