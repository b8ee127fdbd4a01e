#include "recording/next_chart.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "core/clock.h"
#include "core/exam_list.h"
#include "core/test_home.h"
#include "core/workstation.h"

namespace lumo::recording {
namespace {

namespace fs = std::filesystem;

class NextChartTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeMinimalIni(home.path());
        test::writeLines(folder() / "subject.dat",
                         {"Name=Examinee", "Operator=Operator 1", "Date=07-03-2001", "Archive= "});
        // Written in capitals: the setup names the file as it is on disk.
        test::writeExamFile(folder() / "EXAM_01.QS_", "1", 4);
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>());
        ws->initialise();
        steps.refuse = [this] { ++refusals; };
        steps.runTest = [this](const TestRunSetup& setup) { runs.push_back(setup); };
    }

    fs::path folder() const { return home / "DAT" / "#0000001"; }
    void addCharts(int first, int last) {
        for (int k = first; k <= last; ++k) {
            const std::string n = std::to_string(k);
            test::writeFile(folder() / ("exam_01.ch" + n), std::string(64, '\0'));
            test::writeResultsTable(folder() / ("exam_01.qt" + n), "07-03-2001", "10:00:00", 3, 15, 120);
        }
    }
    void chooseExam() {
        core::Records& records = ws->records();
        records.makeCurrent(records.examinees().at(0));
        records.current().examNumber = 1;
    }

    test::TempHome home;
    std::unique_ptr<core::Workstation> ws;
    NextChartSteps steps;
    std::vector<TestRunSetup> runs;
    int refusals = 0;
};

TEST_F(NextChartTest, NothingRunsWithoutACurrentExam) {
    examineNextChart(ws->records(), kDefaultSequence, steps);
    ws->records().makeCurrent(ws->records().examinees().at(0));
    examineNextChart(ws->records(), kDefaultSequence, steps);
    EXPECT_TRUE(runs.empty());
    EXPECT_EQ(refusals, 0);
}

TEST_F(NextChartTest, TheNextChartRunsAndTheExamsAreReadAfresh) {
    addCharts(1, 2);
    chooseExam();
    steps.runTest = [this](const TestRunSetup& setup) {
        runs.push_back(setup);
        EXPECT_EQ(ws->records().current().chart, 3);
        addCharts(3, 3);  // the test kept its chart
    };
    examineNextChart(ws->records(), 2, steps);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].chart, 3);
    EXPECT_EQ(runs[0].sequence, 2);
    EXPECT_EQ(runs[0].examFile, folder() / "EXAM_01.QS_");
    EXPECT_EQ(ws->records().current().exams.at(0).chartCount, 3);
    EXPECT_EQ(ws->records().current().examNumber, 1);
}

TEST_F(NextChartTest, ATenthChartIsRefusedAndTheCurrentChartStaysAtTheLimit) {
    addCharts(1, core::kMaxChartsPerExam);
    chooseExam();
    examineNextChart(ws->records(), kDefaultSequence, steps);
    EXPECT_TRUE(runs.empty());
    EXPECT_EQ(refusals, 1);
    EXPECT_EQ(ws->records().current().chart, core::kMaxChartsPerExam);
}

TEST_F(NextChartTest, ATestThatRaisesStillLeavesTheExamsReadAfresh) {
    chooseExam();
    steps.runTest = [this](const TestRunSetup&) {
        addCharts(1, 1);
        throw std::runtime_error("no resources");
    };
    EXPECT_THROW(examineNextChart(ws->records(), kDefaultSequence, steps), std::runtime_error);
    EXPECT_EQ(ws->records().current().exams.at(0).chartCount, 1);
}

}  // namespace
}  // namespace lumo::recording
