#include "core/text_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <ios>
#include <iterator>

#include "core/atomic_file.h"
#include "core/cp1251.h"
#include "core/errors.h"

namespace lumo::core {

std::string readFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw EInOutError("Cannot open file \"" + path.string() + "\": " + std::strerror(errno));
    }
    // A folder opens like a file here and fails only on reading, where the
    // stream library throws its own error: it must reach the examiner as ours.
    std::string bytes;
    try {
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::ios_base::failure&) {
        in.setstate(std::ios::badbit);
    }
    if (in.bad()) throw EInOutError("Cannot read file \"" + path.string() + "\"");
    return bytes;
}

std::vector<std::string> splitTextLines(std::string_view cp1251) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < cp1251.size()) {
        std::size_t end = cp1251.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = cp1251.size();
        lines.push_back(fromCp1251(cp1251.substr(start, end - start)));
        if (end < cp1251.size() && cp1251[end] == '\r' && end + 1 < cp1251.size() && cp1251[end + 1] == '\n') ++end;
        start = end + 1;
    }
    return lines;
}

std::string joinTextLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) {
        text += toCp1251(line);
        text += "\r\n";
    }
    return text;
}

std::vector<std::string> readTextLines(const std::filesystem::path& path) {
    return splitTextLines(readFileBytes(path));
}

void writeTextLines(const std::filesystem::path& path, const std::vector<std::string>& lines) {
    writeFileAtomically(path, joinTextLines(lines));
}

}  // namespace lumo::core
