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

// What the JSON report of the same scoring holds for the question of one
// line of the question results: its score object and its decision object.
inline std::vector<std::string> jsonOfQuestionLine(const std::vector<std::string>& f) {
    if (f.size() < 22) return {};
    const std::string scores = "{\"number\":" + f[1] + ",\"sign\":\"" + f[2] + "\",\"type\":" + f[3] +
                               ",\"n\":" + f[4] + ",\"stress\":" + f[5] + ",\"lie\":" + f[6] +
                               ",\"stress_spread\":" + f[7] + ",\"lie_spread\":" + f[8] +
                               ",\"stress_components\":[" + f[14] + "," + f[15] + "," + f[16] + "," + f[17] +
                               "],\"lie_components\":[" + f[18] + "," + f[19] + "," + f[20] + "," + f[21] + "]}";
    // Outside the lie view the lie cells are empty and the report's null.
    const std::string lie = f[12].empty() ? "null" : "\"" + f[12] + "\"";
    const std::string probability = f[10].empty() ? "null" : f[10];
    const std::string decisions = "{\"number\":" + f[1] + ",\"stress_text\":\"" + f[11] + "\",\"lie_text\":" + lie +
                                  ",\"lie_probability\":" + probability + "}";
    return {scores, decisions};
}

}  // namespace lumo::test
