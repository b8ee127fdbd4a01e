#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace lumo::recording {

// "Protocol.log" in the data home: the log of the last test run, replaced
// whole at the end of every run.
std::filesystem::path protocolLogFile(const std::filesystem::path& home);
// Writes the lines (UTF-8; stored as Windows-1251 with CR LF). Raises
// EInOutError when the file cannot be written; the old log then stays.
void writeProtocolLog(const std::filesystem::path& home, const std::vector<std::string>& lines);

}  // namespace lumo::recording
