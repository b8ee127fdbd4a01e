#include "authoring/exam_chooser.h"

#include <gtest/gtest.h>

#include "authoring/exam_fixture.h"
#include "core/question_set.h"

namespace lumo::authoring {
namespace {

namespace fs = std::filesystem;

class ExamChooserTest : public test::ExamHomeTest {
protected:
    std::unique_ptr<ExamChooser> makeChooser() {
        ExamChooserSteps steps;
        steps.editExam = [this](const fs::path& file, bool structure) {
            shown.push_back("edit:" + file.filename().string() + (structure ? " structure" : " rows"));
            return editorSaves;
        };
        steps.setOrders = [this](const fs::path& file) { shown.push_back("set:" + file.filename().string()); };
        steps.chooseOrder = [this](const fs::path& file) {
            shown.push_back("choose:" + file.filename().string());
            ws->records().setChosenOrder(3);
            return true;
        };
        steps.runTest = [this](const recording::TestRunSetup& setup) { runs.push_back(setup); };
        steps.askTemplateName = [this](const std::string& proposal) -> std::optional<std::string> {
            shown.push_back("name:" + proposal);
            return templateName;
        };
        steps.confirm = [this](const std::string& text) {
            shown.push_back("confirm:" + text);
            return answer;
        };
        steps.warn = [this](const std::string& text) { shown.push_back("warn:" + text); };
        steps.inform = [this](const std::string& text) { shown.push_back("inform:" + text); };
        steps.error = [this](const std::string& text) { shown.push_back("error:" + text); };
        return std::make_unique<ExamChooser>(*ws, steps, remembered);
    }
    std::vector<std::string> names(const ExamChooser& chooser) const {
        std::vector<std::string> all;
        for (const ChooserEntry& entry : chooser.entries()) all.push_back(entry.name);
        return all;
    }

    std::vector<std::string> shown;
    std::vector<recording::TestRunSetup> runs;
    int remembered = -1;
    bool editorSaves = true;
    bool answer = true;
    std::string templateName = "fresh";
};

TEST_F(ExamChooserTest, ExamsComeFirstThenTemplatesWithPreviewAndEnabling) {
    start(2);
    addCharts(2, 3);
    auto chooser = makeChooser();
    ASSERT_TRUE(chooser->open());
    EXPECT_EQ(chooser->caption(), "Select exam for test.   Examinee : #0000001   ( Petrov )");
    EXPECT_EQ(names(*chooser), (std::vector<std::string>{"EXAM_01.QS_", "EXAM_02.QS_", "alpha.QS3", "beta.qs1"}));
    EXPECT_EQ(chooser->entries()[1].chartCount, 3);
    EXPECT_EQ(chooser->selected(), 0);
    EXPECT_EQ(chooser->methodCaption(), "Method : Control question");
    ASSERT_EQ(chooser->preview().size(), 4u);
    EXPECT_EQ(chooser->preview()[0].text, " 1. N1.+.Is it question 1?");
    EXPECT_TRUE(chooser->canTest() && chooser->canSet() && chooser->canChoose() && chooser->canEdit() &&
                chooser->canDelete() && chooser->canToTemplate());
    EXPECT_FALSE(chooser->canCreate());

    chooser->select(2);
    EXPECT_EQ(chooser->methodCaption(), "Method : Control question");
    ASSERT_EQ(chooser->preview().size(), 3u);
    EXPECT_EQ(chooser->preview()[0].colour, (core::Rgb{255, 0, 0}));   // relevant: RED
    EXPECT_EQ(chooser->preview()[2].colour, (core::Rgb{0, 255, 0}));   // control: LIME
    EXPECT_EQ(chooser->preview()[1].text, " 2. N1.+.Is it Monday. Today?");
    EXPECT_TRUE(chooser->canCreate());
    EXPECT_FALSE(chooser->canTest() || chooser->canSet() || chooser->canChoose() || chooser->canEdit() ||
                 chooser->canDelete() || chooser->canToTemplate());
    chooser->select(3);
    EXPECT_EQ(chooser->methodCaption(), "Method : Zone comparison");
}

TEST_F(ExamChooserTest, NineChartsDisableSetChooseAndTest) {
    start(1);
    addCharts(1, 9);
    auto chooser = makeChooser();
    ASSERT_TRUE(chooser->open());
    EXPECT_FALSE(chooser->canTest() || chooser->canSet() || chooser->canChoose());
    EXPECT_TRUE(chooser->canEdit() && chooser->canDelete());
    EXPECT_EQ(chooser->test(), 0);
}

TEST_F(ExamChooserTest, NothingToListWarnsAndTheRememberedPositionIsReused) {
    fs::remove_all(home / "QST");
    start(0);
    EXPECT_FALSE(makeChooser()->open());
    EXPECT_EQ(shown, std::vector<std::string>{"warn:Exams and templates not found"});

    test::writeExamFile(folder() / "exam_01.qs_", "3", 4);
    test::writeExamFile(folder() / "exam_02.qs_", "3", 4);
    ws->records().reloadExams();
    auto chooser = makeChooser();
    ASSERT_TRUE(chooser->open());
    chooser->moveTo(1);
    EXPECT_EQ(chooser->test(), 2);
    EXPECT_EQ(remembered, 1);
    auto again = makeChooser();
    again->open();
    EXPECT_EQ(again->selected(), 1);
}

TEST_F(ExamChooserTest, CreatingMakesTheNextExamWithTheTemplateNameAndCancelRemovesIt) {
    start(2);
    auto chooser = makeChooser();
    chooser->open();
    chooser->select(2);  // alpha.QS3
    editorSaves = false;
    chooser->createExam();
    EXPECT_EQ(shown, std::vector<std::string>{"edit:exam_03.qs_ structure"});
    EXPECT_FALSE(fs::exists(folder() / "exam_03.qs_"));
    EXPECT_EQ(chooser->entries().size(), 4u);
    EXPECT_EQ(chooser->selected(), 2);

    editorSaves = true;
    chooser->createExam();
    const core::TQstTest exam(folder() / "exam_03.qs_", 7);
    EXPECT_EQ(exam.examMark, "alpha");
    EXPECT_EQ(exam.examineeName, "Petrov");
    EXPECT_EQ(exam.method, 3);
    EXPECT_EQ(exam.date, "09-12-2026");
    EXPECT_EQ(names(*chooser)[2], "EXAM_03.QS_");
    EXPECT_EQ(chooser->selected(), 2);
}

TEST_F(ExamChooserTest, AnEditorThatFailsLeavesNoExamAndReportsTheLackOfResources) {
    start(1);
    ExamChooserSteps steps;
    steps.editExam = [](const fs::path&, bool) -> bool { throw std::bad_alloc(); };
    steps.error = [this](const std::string& text) { shown.push_back(text); };
    ExamChooser chooser(*ws, steps, remembered);
    chooser.open();
    chooser.select(1);
    chooser.createExam();
    EXPECT_FALSE(fs::exists(folder() / "exam_02.qs_"));
    EXPECT_EQ(shown, std::vector<std::string>{
                         "Not enough system resources to edit the exam\nYou can close one or more applications and try again"});
}

TEST_F(ExamChooserTest, WithoutAnExamEditorCreateAndEditStayDisabled) {
    start(1);
    ExamChooser chooser(*ws, {}, remembered);
    chooser.open();
    EXPECT_FALSE(chooser.canEdit());
    chooser.select(1);
    EXPECT_FALSE(chooser.canCreate());
}

TEST_F(ExamChooserTest, EditingUsesStructureModeOnlyWithoutCharts) {
    start(2);
    addCharts(2, 1);
    auto chooser = makeChooser();
    chooser->open();
    chooser->editExam();
    chooser->select(1);
    chooser->editExam();
    EXPECT_EQ(shown, (std::vector<std::string>{"edit:exam_01.qs_ structure", "edit:exam_02.qs_ rows"}));
    EXPECT_EQ(chooser->selected(), 1);
}

TEST_F(ExamChooserTest, DeletingSelectsTheNextOrTheNewLastAndTheLastDeletionCloses) {
    fs::remove_all(home / "QST");
    start(3);
    auto chooser = makeChooser();
    chooser->open();
    chooser->select(1);
    answer = false;
    EXPECT_TRUE(chooser->deleteExam());
    EXPECT_EQ(chooser->entries().size(), 3u);
    answer = true;
    EXPECT_TRUE(chooser->deleteExam());
    EXPECT_EQ(names(*chooser), (std::vector<std::string>{"EXAM_01.QS_", "EXAM_03.QS_"}));
    EXPECT_EQ(chooser->selected(), 1);
    EXPECT_TRUE(chooser->deleteExam());
    EXPECT_EQ(chooser->selected(), 0);  // the deleted one was last
    shown.clear();
    EXPECT_FALSE(chooser->deleteExam());
    EXPECT_EQ(shown, (std::vector<std::string>{"confirm:Do you want to delete ALL data concerned with the exam?",
                                               "inform:No more exams and templates"}));
    EXPECT_EQ(folderFiles(), std::vector<std::string>{"subject.dat"});
}

TEST_F(ExamChooserTest, ToTemplateAppendsANewTemplateAndAsksBeforeOverwriting) {
    start(2);
    auto chooser = makeChooser();
    chooser->open();
    chooser->select(1);
    chooser->toTemplate();
    EXPECT_EQ(shown, std::vector<std::string>{"name:EXAM_02"});
    EXPECT_EQ(names(*chooser).back(), "fresh.QS3");
    EXPECT_TRUE(fs::exists(home / "QST" / "fresh.QS3"));

    shown.clear();
    templateName = "ALPHA";  // alpha.QS3 on disk, in other letters
    answer = false;
    chooser->toTemplate();
    EXPECT_EQ(shown, (std::vector<std::string>{"name:EXAM_02",
                                               "confirm:Template with the same name already exists. Overwrite?"}));
    EXPECT_EQ(chooser->entries().size(), 5u);
    answer = true;
    chooser->toTemplate();
    EXPECT_EQ(chooser->entries().size(), 5u);
    EXPECT_EQ(test::readFile(home / "QST" / "alpha.QS3").substr(0, 26), " 1. N1.+.Is it question 1?");
}

TEST_F(ExamChooserTest, ChoosingAnOrderRunsTheNextChartInThatOrder) {
    start(2);
    addCharts(2, 2);
    auto chooser = makeChooser();
    chooser->open();
    chooser->select(1);
    chooser->chooseOrder();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].sequence, 3);
    EXPECT_EQ(runs[0].chart, 3);
    EXPECT_EQ(runs[0].examFile.filename(), "exam_02.qs_");
    EXPECT_EQ(chooser->selected(), 1);
    // A key move goes back to order 1.
    chooser->moveTo(0);
    EXPECT_EQ(ws->records().chosenOrder(), 1);
}

}  // namespace
}  // namespace lumo::authoring
