#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <gtest/gtest.h>

#include "core/clock.h"
#include "core/main_window_state.h"
#include "core/question_set.h"
#include "core/records.h"
#include "core/settings.h"
#include "core/test_home.h"
#include "core/ui/main_window.h"
#include "core/workstation.h"
#include "formats/results_table.h"
#include "scoring/hand_score_exam.h"
#include "scoring/ui/frm_qt_view.h"
#include "scoring/ui/hand_results_command.h"
#include "ui/accessible_names.h"
#include "ui/test_window_events.h"

namespace lumo::scoring::ui {
namespace {

namespace fs = std::filesystem;

// One row of a results table: question and entry-4 hand score (entries 1 ... 3 are 1).
struct Row {
    int question;
    float total;
};

// An exam with relevant R1 ... R3 (questions 1, 3, 5), informative I1 (2)
// and control C1 (4), and the results tables the tests give.
class HandScoreViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::installSettings(home.path());
        fs::create_directories(folder());
        test::writeLines(folder() / "subject.dat",
                         {"Name=Petrov", "Operator=Operator 1", "Date=07-03-2001", "Archive= "});
    }
    void writeSet(const std::vector<std::string>& signs = {" R1", " I1", " R2", " C1", " R3"}) {
        core::Settings settings(home.path());
        settings.load();
        core::TQstTest set{core::QuestionTypes(settings)};
        set.method = 1;
        set.examineeName = "Petrov";
        set.date = "07-03-2001";
        for (std::size_t i = 0; i < signs.size(); ++i) {
            core::TQsHandle question;
            question.number = (i < 9 ? " " : "") + std::to_string(i + 1);
            question.sign = signs[i];
            question.answer = "-";
            question.textPart1 = "Question " + std::to_string(i + 1) + "?";
            set.questions.push_back(question);
        }
        set.save(folder() / "exam_01.qs_");
        questions = std::make_unique<core::TQstTest>(folder() / "exam_01.qs_", core::kExamTypeCounters,
                                                     core::QuestionTypes(settings));
    }
    void writeTable(int chart, const std::vector<Row>& rows, const std::string& date = "07-03-2001") {
        formats::TQtFile table(*questions);
        table.date = date;
        table.SetRowCount(static_cast<int>(rows.size()));
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const int row = static_cast<int>(r) + 1;
            table.SetQuestionNumber(row, rows[r].question);
            table.SetRowMark(row, "-");
            for (int e = 1; e <= 3; ++e) table.SetHandScore(row, e, 1);
            table.SetHandScore(row, 4, rows[r].total);
        }
        table.SaveToFile(folder() / ("exam_01.qt" + std::to_string(chart)));
    }
    void open() {
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>(core::Date{2026, 12, 9}));
        ws->initialise();
        view = std::make_unique<TfrmQtView>(*ws, folder() / "EXAM_01");
        view->setWarnFunction([this](const QString& text) { warnings.append(text); });
    }
    // The usual exam: charts 1 and 2, V = 6 over both.
    void openTwoCharts() {
        writeSet();
        writeTable(1, {{1, 2}, {2, 3}, {3, 2}, {4, 9}, {5, 2}}, "07-03-2001");
        writeTable(2, {{5, 0}, {4, 9}, {3, 0}, {2, 0}, {1, 0}}, "08-03-2001");
        open();
    }
    fs::path folder() const { return home.path() / "DAT" / "#0000001"; }
    static QStringList column(QTableWidget* grid, int c, int rows) {
        QStringList texts;
        for (int r = 0; r < rows; ++r) texts.append(grid->item(r, c)->text());
        return texts;
    }

    test::TempHome home;
    std::unique_ptr<core::TQstTest> questions;
    std::unique_ptr<core::Workstation> ws;
    std::unique_ptr<TfrmQtView> view;
    QStringList warnings;
};

TEST_F(HandScoreViewTest, ShowsTheDecisionOverEveryChartWithATable) {
    openTwoCharts();
    view->show();
    EXPECT_EQ(test::unnamedControls(*view), "");
    EXPECT_EQ(view->windowTitle(), "Viewing examination results : Examinee Petrov / #0000001  ( EXAM_01 )");
    EXPECT_TRUE(view->chartBox(1)->isEnabled() && view->chartBox(1)->isChecked());
    EXPECT_TRUE(view->chartBox(2)->isEnabled() && view->chartBox(2)->isChecked());
    EXPECT_FALSE(view->chartBox(3)->isEnabled() || view->chartBox(3)->isChecked());
    EXPECT_EQ(view->chartDate(2)->text(), "08-03-2001");
    EXPECT_EQ(view->chartDate(3)->text(), "");
    EXPECT_TRUE(view->tableType()->isEnabled());

    ASSERT_EQ(view->questionList()->count(), 5);
    EXPECT_EQ(view->questionList()->item(1)->text(), " 2. I1.-.Question 2?");
    EXPECT_EQ(view->questionList()->item(0)->foreground().color(), QColor(Qt::red));  // QColor1

    // Several charts: relevant and informative questions in set order.
    EXPECT_EQ(column(view->questionGrid(), 1, 5), (QStringList{"1", "2", "3", "5", ""}));
    EXPECT_EQ(column(view->questionGrid(), 2, 4), (QStringList{" R1", " I1", " R2", " R3"}));
    EXPECT_EQ(view->questionGrid()->item(20, 0)->text(), "SUM :");
    EXPECT_EQ(column(view->scoreGrid(), 0, 2), (QStringList{"+2", "+2"}));
    EXPECT_EQ(view->scoreGrid()->item(0, 0)->foreground().color(), QColor(Qt::yellow));
    EXPECT_EQ(view->scoreGrid()->item(20, 3)->text(), "+6");
    EXPECT_EQ(view->scoreGrid()->item(20, 3)->background().color(), QColor(128, 128, 128));
    // The informative question's total carries its own decision: +3 > 2.
    EXPECT_EQ(view->totalGrid()->item(1, 0)->text(), "+3 No Deception");
    EXPECT_EQ(view->totalGrid()->item(20, 0)->text(), "+6");

    EXPECT_EQ(view->decisionTable()->item(0, 1)->text(), "Candid (NDI)");
    EXPECT_EQ(view->decisionTable()->item(2, 0)->text(), "R   Rel. quest. score");
    EXPECT_EQ(column(view->decisionTable(), 4, 3), (QStringList{"? (INC) ?", "+2", "+6"}));
    EXPECT_EQ(view->decisionTable()->item(2, 1)->foreground().color(), QColor(0, 128, 0));
    EXPECT_EQ(view->decisionTable()->item(2, 8)->text(), "-54");
    EXPECT_EQ(view->decisionTable()->item(2, 8)->foreground().color(), QColor(Qt::red));
    EXPECT_EQ(view->decisionLabel()->text(), "\nInconclusion");
}

TEST_F(HandScoreViewTest, DigitKeysInvolveChartsAndTheTableTypeChangesTheDecision) {
    openTwoCharts();
    view->show();
    QApplication::setActiveWindow(view.get());
    view->scoreGrid()->setFocus();

    // Chart 1 alone: its presentation order, V = 6 > 3.
    test::pressKey(view->scoreGrid(), Qt::Key_2, Qt::NoModifier, "2");
    EXPECT_FALSE(view->chartBox(2)->isChecked());
    EXPECT_EQ(column(view->questionGrid(), 1, 5), (QStringList{"1", "2", "3", "5", ""}));
    EXPECT_EQ(view->decisionTable()->item(2, 4)->text(), "+3");
    EXPECT_EQ(view->decisionLabel()->text(), "\nNo Deception");

    // Chart 2 alone: its order, reversed; nothing scored.
    test::pressKey(view->scoreGrid(), Qt::Key_1, Qt::NoModifier, "1");
    test::pressKey(view->questionList(), Qt::Key_2, Qt::NoModifier, "2");
    EXPECT_FALSE(view->chartBox(1)->isChecked());
    EXPECT_EQ(column(view->questionGrid(), 1, 5), (QStringList{"5", "3", "2", "1", ""}));
    EXPECT_EQ(view->totalGrid()->item(20, 0)->text(), "0");
    // An unavailable chart does not change; keys with modifiers are no digit keys.
    test::pressKey(view->scoreGrid(), Qt::Key_3, Qt::NoModifier, "3");
    test::pressKey(view->scoreGrid(), Qt::Key_1, Qt::AltModifier, "1");
    EXPECT_FALSE(view->chartBox(3)->isChecked());
    EXPECT_FALSE(view->chartBox(1)->isChecked());

    // Both again: Backster is inconclusive at 6, Matte (NDI above 5) is not.
    test::pressKey(view->scoreGrid(), Qt::Key_1, Qt::NoModifier, "1");
    EXPECT_EQ(view->decisionLabel()->text(), "\nInconclusion");
    view->matteButton()->click();
    EXPECT_EQ(view->decisionTable()->item(2, 1)->text(), "");
    EXPECT_EQ(column(view->decisionTable(), 3, 3).mid(1), (QStringList{"+6", "+6"}));
    EXPECT_EQ(column(view->decisionTable(), 5, 3).mid(1), (QStringList{"-9", "-9"}));
    EXPECT_EQ(view->decisionLabel()->text(), "\nNo Deception");
    view->chartBox(2)->click();
    EXPECT_FALSE(view->chartBox(2)->isChecked());
    EXPECT_EQ(view->decisionTable()->item(2, 4)->text(), "+2");

    test::pressKey(view->scoreGrid(), Qt::Key_Escape);
    EXPECT_FALSE(view->isVisible());
    EXPECT_TRUE(warnings.isEmpty());
}

TEST_F(HandScoreViewTest, WithoutThreeRelevantQuestionsTheTableIsBackster) {
    writeSet({" R1", " I1", " R2"});
    writeTable(1, {{1, -1}, {2, -5}, {3, 0}});
    open();
    EXPECT_FALSE(view->tableType()->isEnabled());
    EXPECT_TRUE(view->backsterButton()->isChecked());
    // One chart, two relevant questions: limits +2 and -4; the informative -5 < -2.
    EXPECT_EQ(view->decisionTable()->item(2, 4)->text(), "+2");
    EXPECT_EQ(view->totalGrid()->item(1, 0)->text(), "-5 Deception");
    EXPECT_EQ(view->totalGrid()->item(1, 0)->data(Qt::UserRole + 3).value<QColor>(), QColor(Qt::red));
    EXPECT_EQ(view->totalGrid()->item(0, 0)->foreground().color(), QColor(Qt::cyan));
}

TEST_F(HandScoreViewTest, ADuplicatedQuestionIsWarnedAndTheWindowCloses) {
    writeSet();
    writeTable(1, {{1, 0}, {2, 0}});
    writeTable(2, {{1, 0}, {3, 0}, {1, 0}});
    const auto written = fs::last_write_time(folder() / "exam_01.qt2");
    open();
    view->show();
    QApplication::processEvents();
    EXPECT_EQ(warnings, QStringList{"Chart 2 has duplicated question 1 (  R1 )"});
    EXPECT_FALSE(view->isVisible());
    EXPECT_EQ(view->result(), QDialog::Rejected);
    EXPECT_EQ(fs::last_write_time(folder() / "exam_01.qt2"), written);
}

TEST_F(HandScoreViewTest, TheCommandShowsTheCurrentExamAndReportsWhatCannotBeRead) {
    openTwoCharts();
    view.reset();
    core::ui::TfrmMain main(*ws);
    ws->records().makeCurrent(ws->records().examinees().at(0));
    ws->records().current().examNumber = 1;
    ws->records().current().chart = 1;
    QStringList errors;
    main.setErrorFunction([&errors](const QString&, const QString& text) { errors.append(text); });
    QStringList titles;
    HandResultsSteps steps;
    steps.showView = [&](const fs::path& stem) {
        EXPECT_EQ(stem, folder() / "EXAM_01");
        TfrmQtView opened(*ws, stem, &main);
        titles.append(opened.windowTitle());
    };
    installHandResultsCommand(main, *ws, steps);
    main.runCommand(core::Command::HandResults);
    ASSERT_EQ(titles.size(), 1);
    EXPECT_TRUE(titles[0].endsWith("( EXAM_01 )"));
    EXPECT_TRUE(errors.isEmpty());

    // A results table cut short: the command's message and the reason.
    test::writeLines(folder() / "exam_01.qt2", {"short"});
    ws->records().current().examNumber = 1;
    ws->records().current().chart = 1;
    main.runCommand(core::Command::HandResults);
    EXPECT_EQ(titles.size(), 1);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith("Not enough system resources to view exam results\n")) << errors[0].toStdString();
}

}  // namespace
}  // namespace lumo::scoring::ui
