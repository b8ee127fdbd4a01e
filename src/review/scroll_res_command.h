#pragma once

#include <filesystem>

namespace lumo::core {
class Records;
}

namespace lumo::review {

// The chart the Analyse polygram command opens: DAT/code/EXAM_NN.chk of the
// current examinee, exam and chart, in the spelling found on disk; empty
// when no chart is current.
std::filesystem::path scrollResChartFile(const core::Records& records);

}  // namespace lumo::review
