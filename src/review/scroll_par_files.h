#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>

namespace lumo::core {
class Records;
}

namespace lumo::review {

// The files one panel of the parameter scroll view reads for chart `digit`
// of the exam whose chart file is given (".../EXAM_01.ch1"): the names end in
// "ch", "sc" and "qt" followed by the digit, spelled as they are on disk.
struct ParChartFiles {
    std::filesystem::path chart;
    std::filesystem::path screen;
    std::filesystem::path table;
};
ParChartFiles parChartFiles(const std::filesystem::path& chartFile, int digit);
// The exam file beside a chart file: its last three characters become "qs_".
std::filesystem::path parExamFile(const std::filesystem::path& chartFile);
// The chart digit 1 ... 9 the file name ends in; 0 for any other ending.
int chartDigitOf(const std::filesystem::path& chartFile);
// Index d = 1 ... 9: chart d of the exam exists (index 0 stays false).
std::array<bool, 10> existingCharts(const std::filesystem::path& chartFile);

// What the compare polygrams command opens: the current examinee's current
// chart file DAT/code/EXAM_NN.chk, with the names its caption shows.
struct CompareTarget {
    std::filesystem::path chartFile;
    std::string fileCode;
    std::string examineeName;
};
// None unless an examinee, an exam and a chart are current.
std::optional<CompareTarget> compareTarget(const core::Records& records);

}  // namespace lumo::review
