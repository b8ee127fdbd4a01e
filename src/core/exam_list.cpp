#include "core/exam_list.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

#include "core/cp1251.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "core/paths.h"
#include "core/settings.h"
#include "core/text_file.h"

namespace lumo::core {

namespace fs = std::filesystem;

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Line `number` (from 1) of a file; a damaged file shorter than that is a list
// error naming the file rather than a read past its end.
const std::string& line(const std::vector<std::string>& lines, std::size_t number, const fs::path& file) {
    if (number > lines.size()) {
        throw EListError("List index out of bounds (" + std::to_string(number - 1) + "): \"" + file.string() +
                         "\" has " + std::to_string(lines.size()) + " lines");
    }
    return lines[number - 1];
}

bool fileExists(const fs::path& folder, const std::string& name) {
    std::error_code ec;
    return fs::is_regular_file(resolvePath(folder, name), ec);
}

// The chart as its results table describes it.
TTest readChart(const fs::path& folder, const std::string& stem, int k) {
    const std::string suffix = std::to_string(k);
    const fs::path tableFile = resolvePath(folder, stem + ".qt" + suffix);
    const std::vector<std::string> lines = readTextLines(tableFile);
    TTest chart;
    chart.chartNumber = "0" + suffix;
    chart.presentations = strToInt(trimmed(line(lines, 12, tableFile)));
    chart.date = leftChars(line(lines, 5, tableFile), 10);
    chart.startTime = leftChars(line(lines, 6, tableFile), 8);
    chart.duration = strToInt(trimmed(line(lines, 15, tableFile)));
    chart.questionTime = strToInt(trimmed(line(lines, 14, tableFile)));
    chart.marker = fileExists(folder, stem + ".tx" + suffix) ? "#" : " ";
    return chart;
}

TExam readExam(const fs::path& folder, int number, const Settings& settings) {
    const std::string stem = examStem(number);
    const fs::path examFile = resolvePath(folder, examFileName(number));
    const std::vector<std::string> lines = readTextLines(examFile);
    TExam exam;
    exam.number = stem.substr(5, 2);
    // The method digit is looked up as text: "03" names no method and gives an empty name.
    const std::string method = trimmed(line(lines, 3, examFile));
    exam.methodName = leftChars(settings.list().text(settings.prefixed("MName" + method)), 15);
    exam.questionCount = strToInt(trimmed(line(lines, 5, examFile)));
    // Only the strip shows the mark; an exam file cut after its header still lists.
    exam.mark = lines.size() >= 6 ? leftChars(lines[5], 60) : std::string();
    for (int k = 1; k <= kMaxChartsPerExam; ++k) {
        const std::string suffix = std::to_string(k);
        if (fileExists(folder, stem + ".ch" + suffix) && fileExists(folder, stem + ".qt" + suffix)) {
            exam.charts[static_cast<std::size_t>(exam.chartCount++)] = readChart(folder, stem, k);
        }
    }
    return exam;
}

}  // namespace

std::vector<TExam> loadExamList(const fs::path& examineeFolder, const Settings& settings) {
    // Exam numbers present, each once: on a case-sensitive disk exam_01.qs_ and
    // EXAM_01.QS_ are one exam, read through the same spelling every reader uses.
    std::vector<int> numbers;
    for (const std::string& name : findEntries(examineeFolder, "exam_??.qs_")) {
        if (!isDigit(name[5]) || !isDigit(name[6])) continue;  // not an exam of the format
        std::error_code ec;
        if (!fs::is_regular_file(examineeFolder / name, ec)) continue;
        const int number = (name[5] - '0') * 10 + (name[6] - '0');
        if (number == 0) continue;  // 0 means "no exam" to the current examinee
        if (std::find(numbers.begin(), numbers.end(), number) == numbers.end()) numbers.push_back(number);
    }
    std::sort(numbers.begin(), numbers.end());
    std::vector<TExam> exams;
    exams.reserve(numbers.size());
    for (int number : numbers) exams.push_back(readExam(examineeFolder, number, settings));
    return exams;
}

std::string examStem(int examNumber) {
    if (examNumber < 1 || examNumber > kMaxExamsPerExaminee) {
        throw EListError("Exam number " + std::to_string(examNumber) + " is out of range 1 ... 99");
    }
    char stem[16];
    std::snprintf(stem, sizeof stem, "exam_%02d", examNumber);
    return stem;
}

std::string examFileName(int examNumber) {
    return examStem(examNumber) + ".qs_";
}

}  // namespace lumo::core
