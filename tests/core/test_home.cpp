#include "core/test_home.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <system_error>

#include "core/cp1251.h"

namespace lumo::test {

namespace fs = std::filesystem;

TempHome::TempHome() {
    std::string pattern = (fs::temp_directory_path() / "lumo-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a temporary data home");
    path_ = pattern;
}

TempHome::~TempHome() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

void installSettings(const fs::path& home) {
    fs::copy_file(fs::path(LUMO_DATA_DIR) / "lumo7w.ini", home / "lumo7w.ini");
}

void writeMinimalIni(const fs::path& home, const std::vector<std::string>& extraLines) {
    std::vector<std::string> lines = {"Language=ENG", "NQType=7", "MonitorDiagonal=381", "QuestionTime=15",
                                      "MaxSubj=999", "MaxUser=20", "NMethod=6"};
    const char* english[] = {"R", "I", "C", "N", "O", "V", "X"};
    const char* russian[] = {"Р", "И", "К", "Н", "В", "Ж", "Х"};
    for (int n = 1; n <= 7; ++n) {
        lines.push_back("Eng_QSign" + std::to_string(n) + "=" + english[n - 1]);
        lines.push_back("Rus_QSign" + std::to_string(n) + "=" + russian[n - 1]);
        lines.push_back("QColor" + std::to_string(n) + "=BLUE");
    }
    for (int n = 1; n <= 8; ++n) lines.push_back("ScoreQColor" + std::to_string(n) + "=RED");
    for (int i = 0; i < 8; ++i) {
        lines.push_back("ChSeq" + std::to_string(i) + "=" + std::to_string(i));
        lines.push_back("ChColor" + std::to_string(i) + "=BLACK");
    }
    lines.push_back("ChBackColor=WHITE");
    const char* methods[] = {"Zone_comparison", "Peak_of_tension", "Control_question",
                             "Guilty_knowledge", "Screening", "Relevant/irrelevant"};
    for (int n = 1; n <= 6; ++n) {
        lines.push_back("Eng_MName" + std::to_string(n) + "=" + methods[n - 1]);
        lines.push_back("Rus_MName" + std::to_string(n) + "=Метод_" + std::to_string(n));
    }
    // An extra line replaces the base line of the same key, or is appended.
    for (const auto& extra : extraLines) {
        const std::string key = extra.substr(0, extra.find('=') + 1);
        const auto same = std::find_if(lines.begin(), lines.end(),
                                       [&](const std::string& line) { return line.rfind(key, 0) == 0; });
        if (same != lines.end() && !key.empty()) {
            *same = extra;
        } else {
            lines.push_back(extra);
        }
    }
    writeLines(home / "lumo7w.ini", lines);
}

void writeFile(const fs::path& path, std::string_view bytes) {
    if (path.has_parent_path()) fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

void writeLines(const fs::path& path, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) bytes += core::toCp1251(line) + "\r\n";
    writeFile(path, bytes);
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void writeExamFile(const fs::path& path, const std::string& method, int questions, const std::string& mark) {
    std::vector<std::string> lines = {"Examinee", "Operator 1", method, "0", std::to_string(questions), mark,
                                      "07-03-2001"};
    for (int type = 1; type <= 7; ++type) lines.push_back(type == 4 ? std::to_string(questions) : "0");
    for (int i = 1; i <= questions; ++i) {
        const std::string number = (i < 10 ? " " : "") + std::to_string(i);
        lines.insert(lines.end(), {number, " N" + std::to_string(i), "+", "Is it question " + std::to_string(i) + "?",
                                   "", std::to_string(i), std::to_string(i), std::to_string(i), std::to_string(i), " "});
    }
    writeLines(path, lines);
}

void writeResultsTable(const fs::path& path, const std::string& date, const std::string& started, int rows,
                       int questionTime, int duration) {
    const std::string zero = " 0.00000000000000E+0000";
    std::vector<std::string> lines = {"C:\\LUMO\\DAT\\" + path.filename().string(), "Examinee", "Operator 1", "4",
                                      date, started, "12:00:00", zero, zero, zero, std::to_string(rows * 256),
                                      std::to_string(rows), zero, std::to_string(questionTime),
                                      std::to_string(duration)};
    for (int i = 1; i <= rows; ++i) lines.insert(lines.end(), {std::to_string(i), "+", std::to_string(i * 256)});
    writeLines(path, lines);
}

}  // namespace lumo::test
