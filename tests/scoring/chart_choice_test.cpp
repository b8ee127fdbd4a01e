#include "scoring/chart_choice.h"

#include <gtest/gtest.h>

#include "core/clock.h"
#include "core/test_home.h"
#include "core/workstation.h"
#include "scoring/chart_fixture.h"

namespace lumo::scoring {
namespace {

namespace fs = std::filesystem;

// A results table without its chart: rows of question number and mark.
test::ChartFiles tableOnly(const std::vector<std::pair<int, std::string>>& rows) {
    test::ChartFiles chart;
    for (const auto& [question, mark] : rows) {
        test::TableRow row;
        row.question = question;
        row.mark = mark;
        chart.rows.push_back(row);
    }
    chart.writeChart = false;
    return chart;
}

test::ChartFiles missing() {
    test::ChartFiles chart;
    chart.writeChart = false;
    chart.writeTable = false;
    return chart;
}

// Exams of one examinee with results tables only (the chooser reads no chart).
class ChartChoiceTest : public ::testing::Test {
protected:
    void writeExam(int exam, std::vector<test::ChartFiles> charts, int method = 3) {
        test::ExamRecipe recipe;
        recipe.exam = exam;
        recipe.method = method;
        recipe.signs = {" N1", " C1", " R1", " X1"};
        recipe.settings = {"QColor1=RED", "QColor3=LIME", "QColor7=YELLOW"};
        recipe.charts = std::move(charts);
        test::writeExam(home.path(), recipe);
    }
    fs::path folder() const { return home / "DAT" / "#0000001"; }
    ChartChoice& start(int examNumber = 0, int chart = 0) {
        test::writeLines(folder() / "subject.dat", {"Name=Petrov", "Operator=Operator 1", "Date=07-03-2001", "Archive= "});
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>());
        ws->initialise();
        ws->records().makeCurrent(ws->records().examinees().at(0));
        ws->records().current().examNumber = examNumber;
        ws->records().current().chart = chart;
        choice = std::make_unique<ChartChoice>(*ws);
        opened = choice->open();
        return *choice;
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> lines;
        for (const PresentationLine& line : choice->presentation()) lines.push_back(line.text);
        return lines;
    }

    test::TempHome home;
    std::unique_ptr<core::Workstation> ws;
    std::unique_ptr<ChartChoice> choice;
    bool opened = false;
};

TEST(ChartChoiceMarks, PadsEveryMarkLengthToTheColumn) {
    EXPECT_EQ(padRowMark(""), "  : ");
    EXPECT_EQ(padRowMark(" "), "  : ");
    EXPECT_EQ(padRowMark("+"), "+ : ");
    EXPECT_EQ(padRowMark("*-"), "*-: ");
    EXPECT_EQ(padRowMark("+*x"), "+*:");
    EXPECT_EQ(padRowMark("Д"), "Д : ");  // one character, two bytes
}

TEST_F(ChartChoiceTest, ListsOnlyExamsWithAFirstTableAndTheirExamFile) {
    writeExam(1, {tableOnly({{1, "+"}})});
    writeExam(2, {});                                        // no results table
    writeExam(3, {tableOnly({{2, "-"}}), tableOnly({{1, "+"}})});
    writeExam(4, {tableOnly({{1, "+"}})});
    fs::remove(folder() / "exam_04.qs_");                    // a table without its exam
    test::writeFile(folder() / "EXAM_05.QT1", "x");          // neither
    EXPECT_EQ(examsWithFirstTable(folder()), (std::vector<std::string>{"01", "03"}));
    start();
    ASSERT_TRUE(opened);
    EXPECT_EQ(choice->exams(), (std::vector<std::string>{"01", "03"}));
    EXPECT_EQ(choice->selected(), 0);  // no current exam: the first
    EXPECT_EQ(choice->caption(), "Choose exam to analize . Examinee : #0000001 ( Petrov )");
}

TEST_F(ChartChoiceTest, NothingToListWithoutAFirstTable) {
    writeExam(1, {missing(), tableOnly({{1, "+"}})});  // only table 2
    start();
    EXPECT_FALSE(opened);
    EXPECT_TRUE(choice->exams().empty());
    EXPECT_FALSE(choice->canChoose());
}

TEST_F(ChartChoiceTest, MaximumStopsAtTheFirstMissingTable) {
    const test::ChartFiles none = missing();
    const test::ChartFiles one = tableOnly({{1, "+"}});
    writeExam(1, {one, one, none, one});  // tables 1, 2 and 4
    writeExam(2, {one});
    writeExam(3, std::vector<test::ChartFiles>(9, one));
    EXPECT_EQ(chooserMaximumChart(folder() / "exam_01.qs_"), 2);
    EXPECT_EQ(chooserMaximumChart(folder() / "exam_02.qs_"), 1);
    EXPECT_EQ(chooserMaximumChart(folder() / "exam_03.qs_"), 9);
    test::writeFile(folder() / "EXAM_03.QT10", "x");  // not a chart digit
    EXPECT_EQ(chooserMaximumChart(folder() / "exam_03.qs_"), 9);

    start(1, 2);
    EXPECT_EQ(choice->maximumChart(), 2);
    EXPECT_EQ(choice->chart(), 2);  // the current chart restored
    choice->setChart(4);
    EXPECT_EQ(choice->chart(), 2);
    choice->setChart(0);
    EXPECT_EQ(choice->chart(), 1);
    choice->setChart(2);
    choice->selectExam(1);  // exam 02 has one chart: the field follows
    EXPECT_EQ(choice->maximumChart(), 1);
    EXPECT_EQ(choice->chart(), 1);
}

TEST_F(ChartChoiceTest, PresentationsShowMarkQuestionAndTypeColour) {
    writeExam(1, {tableOnly({{1, "+"}})});
    writeExam(2, {tableOnly({{3, "+"}, {2, ""}, {4, "*-"}, {3, "*"}}), tableOnly({{2, "-"}})}, 5);
    start(2, 1);
    EXPECT_EQ(choice->selected(), 1);
    EXPECT_EQ(choice->error(), "");
    EXPECT_EQ(texts(), (std::vector<std::string>{"+ :  3. R1.-.Question 3?", "  :  2. C1.-.Question 2?",
                                                 "*-:  4. X1.-.Question 4?", "* :  3. R1.-.Question 3?"}));
    const auto& lines = choice->presentation();
    EXPECT_EQ(lines[0].colour, (core::Rgb{255, 0, 0}));
    EXPECT_EQ(lines[1].colour, (core::Rgb{0, 255, 0}));
    EXPECT_EQ(lines[2].colour, (core::Rgb{255, 255, 0}));  // type 7 of the settings
    EXPECT_EQ(choice->methodCaption(), "Method : Screening");
    choice->setChart(2);
    EXPECT_EQ(texts(), (std::vector<std::string>{"- :  2. C1.-.Question 2?"}));
}

TEST_F(ChartChoiceTest, AQuestionWithoutATypeIsWhiteOnTheBlackList) {
    test::ExamRecipe recipe;
    recipe.signs = {" Q1"};
    recipe.charts = {tableOnly({{1, "+"}})};
    test::writeExam(home.path(), recipe);
    start();
    ASSERT_EQ(choice->presentation().size(), 1u);
    EXPECT_EQ(choice->presentation()[0].colour, (core::Rgb{255, 255, 255}));
}

TEST_F(ChartChoiceTest, OkWritesExamAndChartAndNothingElse) {
    const test::ChartFiles one = tableOnly({{1, "+"}});
    writeExam(1, {one});
    writeExam(4, {one, one, one});
    start(1, 1);
    choice->selectExam(1);
    choice->setChart(3);
    const auto before = test::readFile(folder() / "exam_04.qt3");
    choice->choose();
    EXPECT_EQ(ws->records().current().examNumber, 4);
    EXPECT_EQ(ws->records().current().chart, 3);
    EXPECT_EQ(test::readFile(folder() / "exam_04.qt3"), before);
}

TEST_F(ChartChoiceTest, ACurrentChartOfAnotherExamIsNotCarriedOver) {
    const test::ChartFiles one = tableOnly({{1, "+"}});
    writeExam(2, {one, one, one});
    start(7, 3);  // exam 07 is not listed
    EXPECT_EQ(choice->selected(), 0);
    EXPECT_EQ(choice->chart(), 1);
}

TEST_F(ChartChoiceTest, AnExamWithOneRowShowsIt) {
    writeExam(1, {tableOnly({{2, "-"}})});
    start();
    EXPECT_EQ(texts(), (std::vector<std::string>{"- :  2. C1.-.Question 2?"}));
    EXPECT_TRUE(choice->canChoose());
}

TEST_F(ChartChoiceTest, BadInputNamesTheFaultAndKeepsTheChooserUsable) {
    const test::ChartFiles one = tableOnly({{1, "+"}, {2, "+"}});
    writeExam(1, {one, tableOnly({{1, "+"}, {5, "-"}})});  // row 2 past the four questions
    writeExam(2, {one});
    writeExam(3, {one});
    test::writeFile(folder() / "exam_02.qt1", "C:\\x\r\nExaminee\r\n");  // cut short

    start(1, 2);
    test::writeFile(folder() / "exam_03.qs_", "Examinee\r\n");  // damaged while listed
    EXPECT_TRUE(choice->presentation().empty());
    EXPECT_EQ(choice->error(), "Results table EXAM_01.QT2: row 2 names question 5; the exam has 4 questions");
    EXPECT_TRUE(choice->canChoose());
    choice->setChart(1);
    EXPECT_EQ(choice->error(), "");
    EXPECT_EQ(choice->presentation().size(), 2u);

    choice->selectExam(1);
    EXPECT_NE(choice->error().find("exam_02.qt1"), std::string::npos) << choice->error();
    EXPECT_TRUE(choice->presentation().empty());
    EXPECT_TRUE(choice->canChoose());  // the exam itself was read

    choice->selectExam(2);
    EXPECT_FALSE(choice->error().empty());
    EXPECT_FALSE(choice->canChoose());
    choice->choose();
    EXPECT_EQ(ws->records().current().examNumber, 1);  // refused: unchanged
    EXPECT_EQ(ws->records().current().chart, 2);
}

TEST_F(ChartChoiceTest, TheCommandRunsTheChooserOnlyWithSomethingToChoose) {
    std::vector<std::string> shown;
    ChooseExamSteps steps;
    steps.inform = [&](const std::string& text) { shown.push_back("inform:" + text); };
    steps.nothingToChoose = [&] { shown.push_back("menu"); };
    steps.runChooser = [&] { shown.push_back("chooser"); };
    writeExam(1, {missing(), tableOnly({{1, "+"}})});
    start();
    runChooseExamCommand(*ws, steps);
    EXPECT_EQ(shown, (std::vector<std::string>{"inform:Charts not found", "menu"}));

    shown.clear();
    writeExam(1, {tableOnly({{1, "+"}})});
    runChooseExamCommand(*ws, steps);
    EXPECT_EQ(shown, (std::vector<std::string>{"chooser"}));

    shown.clear();
    ws->settings().list().setValue("Language", "RUS");
    fs::remove(folder() / "exam_01.qs_");
    runChooseExamCommand(*ws, steps);
    EXPECT_EQ(shown, (std::vector<std::string>{"inform:Результаты тестов отсутствуют", "menu"}));

    shown.clear();
    ws->records().clearCurrent();
    runChooseExamCommand(*ws, steps);
    EXPECT_TRUE(shown.empty());
}

}  // namespace
}  // namespace lumo::scoring
