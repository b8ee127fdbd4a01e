#pragma once

#include <string>
#include <vector>

namespace lumo::test {

// Reads RFC 4180 text strictly: every line must end in CR LF, quotes only
// around whole fields. Gives the lines' fields; a malformed text gives none.
inline std::vector<std::vector<std::string>> readCsv(const std::string& text) {
    std::vector<std::vector<std::string>> lines;
    std::vector<std::string> fields(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"' && fields.back().empty()) {
            for (++i; i < text.size(); ++i) {
                if (text[i] != '"') {
                    fields.back() += text[i];
                } else if (i + 1 < text.size() && text[i + 1] == '"') {
                    fields.back() += '"';
                    ++i;
                } else {
                    break;
                }
            }
            if (i >= text.size() || (i + 1 < text.size() && text[i + 1] != ',' && text[i + 1] != '\r')) return {};
        } else if (c == ',') {
            fields.emplace_back();
        } else if (c == '\r') {
            if (i + 1 >= text.size() || text[i + 1] != '\n') return {};
            ++i;
            lines.push_back(fields);
            fields.assign(1, "");
        } else if (c == '\n' || c == '"') {
            return {};
        } else {
            fields.back() += c;
        }
    }
    if (fields.size() != 1 || !fields[0].empty()) return {};
    return lines;
}

}  // namespace lumo::test
