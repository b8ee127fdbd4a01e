#include "recording/next_chart.h"

#include "core/exam_list.h"
#include "core/paths.h"
#include "core/records.h"

namespace lumo::recording {

void examineNextChart(core::Records& records, int sequence, const NextChartSteps& steps) {
    core::CurrentExaminee& current = records.current();
    const core::TExam* exam = current.currentExam();
    if (!current.isSet() || exam == nullptr) return;
    const int chart = exam->chartCount + 1;
    if (chart > core::kMaxChartsPerExam) {
        current.chart = core::kMaxChartsPerExam;
        steps.refuse();
        return;
    }
    current.chart = chart;
    TestRunSetup setup;
    const std::filesystem::path folder = records.examineeFolder(current.record.fileCode);
    setup.examFile = core::resolvePath(folder, core::examFileName(current.examNumber));
    setup.sequence = sequence;
    setup.chart = chart;
    const core::TSubj subject = current.record;
    try {
        steps.runTest(setup);
    } catch (...) {
        records.makeCurrent(subject);
        throw;
    }
    // The test may have added a chart.
    records.makeCurrent(subject);
}

}  // namespace lumo::recording
