#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace lumo::core {

class Settings;

inline constexpr int kMaxChartsPerExam = 9;
inline constexpr int kMaxExamsPerExaminee = 99;

// One recorded chart of an exam, as its results table describes it.
struct TTest {
    std::string chartNumber;   // "01" ... "09"
    int presentations = 0;     // row count of the results table
    std::string date;          // at most 10 characters
    std::string startTime;     // at most 8 characters
    int duration = 0;          // seconds
    int questionTime = 0;      // seconds
    std::string marker = " ";  // "#" when exam_NN.txk exists
};

// One exam file of the current examinee.
struct TExam {
    std::string number;      // "01" ... "99"
    std::string methodName;  // at most 15 characters
    int questionCount = 0;
    int chartCount = 0;
    std::array<TTest, kMaxChartsPerExam> charts;  // the first chartCount are filled
    std::string mark;        // exam mark (line 6 of the exam file), shown on the exam strip
};

// Rebuilds the exam list of the examinee whose folder is given: every
// exam_??.qs_, sorted by number; a chart counts only with its results table.
// A damaged exam or results table raises EConvertError (a non-number) or
// EListError (a file too short, named in the message).
std::vector<TExam> loadExamList(const std::filesystem::path& examineeFolder, const Settings& settings);

// "exam_01.qs_" ... "exam_99.qs_": the exam file name of exam n.
std::string examFileName(int examNumber);
// The stem shared by an exam's files: "exam_01".
std::string examStem(int examNumber);

}  // namespace lumo::core
