#include "authoring/exam_commands.h"

#include <gtest/gtest.h>

#include "authoring/exam_fixture.h"
#include "core/errors.h"
#include "core/question_set.h"

namespace lumo::authoring {
namespace {

namespace fs = std::filesystem;

class ExamCommandsTest : public test::ExamHomeTest {
protected:
    ExamCommandFlow flow() {
        ExamCommandFlow f;
        f.editExam = [this](const fs::path& file, bool structure) {
            shown.push_back("edit:" + file.filename().string() + (structure ? " structure" : " rows"));
            return editorSaves;
        };
        f.askTemplateName = [this](const std::string& proposal) -> std::optional<std::string> {
            shown.push_back("name:" + proposal);
            return std::string("made");
        };
        f.confirm = [this](const std::string& text) {
            shown.push_back("confirm:" + text);
            return true;
        };
        f.warn = [this](const std::string& text) { shown.push_back("warn:" + text); };
        f.runTest = [this](const recording::TestRunSetup& setup) { runs.push_back(setup); };
        return f;
    }
    fs::path alpha() const { return home / "QST" / "alpha.QS3"; }

    std::vector<std::string> shown;
    std::vector<recording::TestRunSetup> runs;
    bool editorSaves = true;
};

TEST_F(ExamCommandsTest, AfterDeletingExam03Of01To03TheNextPreparedIs03Again) {
    start(3);
    ws->records().current().examNumber = 3;
    deleteCurrentExam(*ws, flow());
    EXPECT_EQ(ws->records().current().examNumber, 0);
    EXPECT_EQ(prepareExam(*ws, alpha(), "ALPHA", flow()), 3);
    EXPECT_EQ(ws->records().current().examNumber, 3);
    EXPECT_EQ(core::TQstTest(folder() / "exam_03.qs_", 7).examMark, "ALPHA");
    EXPECT_EQ(shown.back(), "edit:exam_03.qs_ structure");
}

TEST_F(ExamCommandsTest, AfterDeletingExam02TheNextIsAfterTheLast) {
    start(3);
    ws->records().current().examNumber = 2;
    deleteCurrentExam(*ws, flow());
    EXPECT_EQ(prepareExam(*ws, alpha(), "ALPHA", flow()), 4);
}

TEST_F(ExamCommandsTest, ACancelledOrFailingEditorLeavesNoExamBehind) {
    start(1);
    editorSaves = false;
    const std::vector<std::string> before = folderFiles();
    EXPECT_EQ(prepareExam(*ws, alpha(), "ALPHA", flow()), 0);
    EXPECT_EQ(folderFiles(), before);
    ExamCommandFlow failing = flow();
    failing.editExam = [](const fs::path&, bool) -> bool { throw EInOutError("broken"); };
    EXPECT_THROW(prepareExam(*ws, alpha(), "ALPHA", failing), EInOutError);
    EXPECT_EQ(folderFiles(), before);
    EXPECT_EQ(ws->records().current().exams.size(), 1u);
}

TEST_F(ExamCommandsTest, EditingAnExamWithChartsKeepsItsStructure) {
    start(2);
    addCharts(2, 1);
    ws->records().current().examNumber = 1;
    editCurrentExam(*ws, flow());
    ws->records().current().examNumber = 2;
    editCurrentExam(*ws, flow());
    // A chart file without its results table counts as well.
    test::writeFile(folder() / "exam_01.ch1", std::string(200, '\0'));
    ws->records().current().examNumber = 1;
    editCurrentExam(*ws, flow());
    EXPECT_EQ(shown, (std::vector<std::string>{"edit:exam_01.qs_ structure", "edit:exam_02.qs_ rows",
                                               "edit:exam_01.qs_ rows"}));
}

TEST_F(ExamCommandsTest, ConvertingProposesTheExamStem) {
    start(2);
    ws->records().current().examNumber = 2;
    convertCurrentExam(*ws, flow());
    EXPECT_EQ(shown, std::vector<std::string>{"name:exam_02"});
    EXPECT_TRUE(fs::exists(home / "QST" / "made.QS3"));
}

TEST_F(ExamCommandsTest, TheTestRunsInTheChosenOrderAndNineChartsWarn) {
    start(2);
    addCharts(1, 9);
    addCharts(2, 4);
    ws->records().setChosenOrder(4);
    testExam(*ws, 2, flow());
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].sequence, 4);
    EXPECT_EQ(runs[0].chart, 5);
    testExam(*ws, 1, flow());
    EXPECT_EQ(runs.size(), 1u);
    EXPECT_EQ(shown, std::vector<std::string>{"warn:No more charts allowed to deal with the exam"});
    EXPECT_EQ(ws->records().current().chart, 9);
}

}  // namespace
}  // namespace lumo::authoring
