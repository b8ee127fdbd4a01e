#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>

namespace lumo::core {
class Records;
}

namespace lumo::review {

// The files of one chart: the chart exam_NN.chk and, beside it, the results
// table .qtk, the review display file .gdk, the screen-settings file .sck
// and the exam .qs_, each in the spelling found on disk (a new file gets the
// lower-case one).
struct ReviewFiles {
    std::filesystem::path chart;
    std::filesystem::path table;
    std::filesystem::path display;
    std::filesystem::path screen;
    std::filesystem::path exam;
    int digit = 0;  // 1 ... 9, 0 when the name ends in no digit
    std::string examineeCode;  // the folder's name, "#0000002"
    int examNumber = 0;        // NN of exam_NN, 0 when the name holds no number there
};
ReviewFiles reviewFiles(const std::filesystem::path& chartFile);
// The chart of the same exam with another digit.
std::filesystem::path chartWithDigit(const std::filesystem::path& chartFile, int digit);
// Index d = 1 ... 9: chart d of the exam exists (index 0 stays false).
std::array<bool, 10> existingCharts(const std::filesystem::path& chartFile);

// What the review commands open: the current examinee's current chart file
// DAT/code/EXAM_NN.chk, with the names the views' captions show.
struct ReviewTarget {
    std::filesystem::path chartFile;
    std::string fileCode;
    std::string examineeName;
};
// None unless an examinee, an exam and a chart are current.
std::optional<ReviewTarget> currentReviewChart(const core::Records& records);

}  // namespace lumo::review
