#pragma once

#include <functional>

#include "recording/test_run.h"

namespace lumo::core {
class Records;
}

namespace lumo::recording {

// The question order of a test nobody chose another for: the exam's rows.
inline constexpr int kDefaultSequence = 1;

// What the examine command shows; the command's wiring gives the real
// windows, tests answer them.
struct NextChartSteps {
    std::function<void()> refuse;  // the exam holds all the charts it may
    std::function<void(const TestRunSetup& setup)> runTest;
};

// The examine command for the current exam: the test of its next chart (its
// charts so far plus one), refused beyond the exam list's chart limit, the
// current chart then staying at the limit. Afterwards, also when the test
// raised, the examinee is made current again, so its exams are read afresh.
// Nothing happens without a current exam.
void examineNextChart(core::Records& records, int sequence, const NextChartSteps& steps);

}  // namespace lumo::recording
