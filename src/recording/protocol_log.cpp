#include "recording/protocol_log.h"

#include "core/paths.h"
#include "core/text_file.h"

namespace lumo::recording {

std::filesystem::path protocolLogFile(const std::filesystem::path& home) {
    return core::resolvePath(home, "Protocol.log");
}

void writeProtocolLog(const std::filesystem::path& home, const std::vector<std::string>& lines) {
    core::writeTextLines(protocolLogFile(home), lines);
}

}  // namespace lumo::recording
