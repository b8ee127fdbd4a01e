#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/clock.h"
#include "core/question_set.h"
#include "core/test_home.h"
#include "core/ui/main_window.h"
#include "core/workstation.h"
#include "formats/results_table.h"
#include "scoring/ui/choose_exam_command.h"
#include "scoring/ui/frm_choose_chart.h"
#include "ui/accessible_names.h"
#include "ui/test_window_events.h"

namespace lumo::scoring::ui {
namespace {

namespace fs = std::filesystem;

// One examinee with exams of four questions (types N, C, R, N) whose charts
// have results tables.
class ChooseChartWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeMinimalIni(home.path(), {"QColor1=RED", "QColor3=LIME", "QColor4=YELLOW"});
        test::writeLines(folder() / "subject.dat",
                         {"Name=Petrov", "Operator=Operator 1", "Date=07-03-2001", "Archive= "});
    }
    fs::path folder() const { return home / "DAT" / "#0000001"; }
    static std::string stem(int exam) { return std::string("exam_") + (exam < 10 ? "0" : "") + std::to_string(exam); }

    void writeExam(int exam, const std::string& method, const std::vector<std::vector<std::pair<int, std::string>>>& charts) {
        const fs::path file = folder() / (stem(exam) + ".qs_");
        std::vector<std::string> lines = {"Examinee", "Operator 1", method, "0", "4", "Mark", "07-03-2001"};
        for (int type = 1; type <= 7; ++type) lines.push_back("0");
        const char* signs[] = {" N1", " C1", " R1", " N2"};
        for (int i = 1; i <= 4; ++i) {
            lines.insert(lines.end(), {" " + std::to_string(i), signs[i - 1], i == 3 ? "-" : "+",
                                       "Question " + std::to_string(i) + "?", "", std::to_string(i),
                                       std::to_string(i), std::to_string(i), std::to_string(i), " "});
        }
        test::writeLines(file, lines);
        const core::TQstTest questions(file, core::kExamTypeCounters);
        for (std::size_t k = 0; k < charts.size(); ++k) {
            const std::string digit = std::to_string(k + 1);
            test::writeFile(folder() / (stem(exam) + ".ch" + digit), std::string(200, '\0'));
            formats::TQtFile table(questions);
            table.SetRowCount(static_cast<int>(charts[k].size()));
            for (std::size_t r = 0; r < charts[k].size(); ++r) {
                table.SetQuestionNumber(static_cast<int>(r) + 1, charts[k][r].first);
                table.SetRowMark(static_cast<int>(r) + 1, charts[k][r].second);
            }
            table.SaveToFile(folder() / (stem(exam) + ".qt" + digit));
        }
    }
    void start(int exam = 0, int chart = 0) {
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>());
        ws->initialise();
        ws->records().makeCurrent(ws->records().examinees().at(0));
        ws->records().current().examNumber = exam;
        ws->records().current().chart = chart;
    }
    void open() {
        chooser = std::make_unique<TfrmChooseChart>(*ws, nullptr, [this](const QString& text) { errors.append(text); });
        filled = chooser->fill();
        chooser->show();
        QApplication::setActiveWindow(chooser.get());
        chooser->examList()->setFocus();
    }
    QStringList questions() const {
        QStringList lines;
        for (int i = 0; i < chooser->questionList()->count(); ++i) lines.append(chooser->questionList()->item(i)->text());
        return lines;
    }

    test::TempHome home;
    std::unique_ptr<core::Workstation> ws;
    std::unique_ptr<TfrmChooseChart> chooser;
    QStringList errors;
    bool filled = false;
};

TEST_F(ChooseChartWindowTest, KeysChooseExamAndChartAndOkMakesThemCurrent) {
    writeExam(1, "3", {{{1, "+"}, {3, "-"}}});
    writeExam(2, "5", {{{2, "+"}}, {{4, ""}, {3, "+"}}, {{1, "+"}}});
    start(1, 1);
    open();
    ASSERT_TRUE(filled);
    EXPECT_EQ(chooser->windowTitle(), "Choose exam to analize . Examinee : #0000001 ( Petrov )");
    EXPECT_EQ(chooser->examList()->count(), 2);
    EXPECT_EQ(chooser->examList()->item(1)->text(), "02");
    EXPECT_EQ(chooser->examList()->currentRow(), 0);
    EXPECT_EQ(chooser->chartField()->maximum(), 1);
    EXPECT_EQ(questions(), (QStringList{"+ :  1. N1.+.Question 1?", "- :  3. R1.-.Question 3?"}));
    EXPECT_EQ(chooser->questionList()->item(1)->foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(chooser->methodLabel()->text(), "Method : Control question");
    EXPECT_EQ(chooser->okButton()->text(), "Choose");
    EXPECT_TRUE(chooser->okButton()->isDefault());
    EXPECT_EQ(test::unnamedControls(*chooser), "");
    EXPECT_EQ(chooser->chartField()->accessibleName(), "Chart # :");

    test::pressKey(chooser->examList(), Qt::Key_Down);
    EXPECT_EQ(chooser->chartField()->maximum(), 3);
    EXPECT_EQ(chooser->methodLabel()->text(), "Method : Screening");
    chooser->chartField()->setFocus();
    test::pressKey(chooser->chartField(), Qt::Key_Up);
    EXPECT_EQ(chooser->chartField()->value(), 2);
    EXPECT_EQ(questions(), (QStringList{"  :  4. N2.+.Question 4?", "+ :  3. R1.-.Question 3?"}));
    test::pressKey(chooser->chartField(), Qt::Key_Up);
    test::pressKey(chooser->chartField(), Qt::Key_Up);  // held at the last chart
    EXPECT_EQ(chooser->chartField()->value(), 3);
    test::pressKey(chooser->chartField(), Qt::Key_Return);
    EXPECT_EQ(chooser->result(), QDialog::Accepted);
    EXPECT_EQ(ws->records().current().examNumber, 2);
    EXPECT_EQ(ws->records().current().chart, 3);
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(ChooseChartWindowTest, EscapeLeavesExamAndChartAsTheyWere) {
    writeExam(1, "3", {{{1, "+"}}});
    writeExam(3, "3", {{{1, "+"}}, {{2, "+"}}});
    start(3, 2);
    open();
    EXPECT_EQ(chooser->examList()->currentRow(), 1);
    EXPECT_EQ(chooser->chartField()->value(), 2);  // restored
    test::pressKey(chooser->examList(), Qt::Key_Up);
    test::pressKey(chooser->examList(), Qt::Key_Escape);
    EXPECT_EQ(chooser->result(), QDialog::Rejected);
    EXPECT_EQ(ws->records().current().examNumber, 3);
    EXPECT_EQ(ws->records().current().chart, 2);
}

TEST_F(ChooseChartWindowTest, PresentationsKeepTheirColoursUnderAStyleSheet) {
    writeExam(1, "3", {{{4, "+"}, {1, "+"}}});
    start();
    QWidget host;
    host.setStyleSheet("QWidget { background: white; color: black; }");
    TfrmChooseChart window(*ws, &host);  // goes before its parent
    ASSERT_TRUE(window.fill());
    window.show();
    QListWidget* list = window.questionList();
    const QImage image = list->viewport()->grab().toImage();
    const QRect first = list->visualItemRect(list->item(0));
    bool yellow = false;
    for (int x = first.left(); x <= first.right(); ++x) {
        for (int y = first.top(); y <= first.bottom(); ++y) yellow = yellow || image.pixelColor(x, y) == QColor(255, 255, 0);
    }
    EXPECT_TRUE(yellow);
    EXPECT_EQ(image.pixelColor(first.left() + 1, first.top() + 1), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(image.width() - 2, image.height() - 2), QColor(Qt::black));  // below the last line
}

TEST_F(ChooseChartWindowTest, AnUnreadableTableIsReportedOnceAndTheOtherExamsStayChoosable) {
    writeExam(1, "3", {{{1, "+"}}, {{1, "+"}, {7, "+"}}});
    writeExam(2, "3", {{{2, "+"}}});
    start(1, 2);
    test::writeFile(folder() / "exam_02.qt1", "C:\\x\r\n");  // damaged after the exam list was read
    open();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], "Results table EXAM_01.QT2: row 2 names question 7; the exam has 4 questions");
    EXPECT_EQ(chooser->questionList()->count(), 0);
    chooser->questionList()->update();
    QApplication::processEvents();
    EXPECT_EQ(errors.size(), 1);
    test::pressKey(chooser->examList(), Qt::Key_Down);
    ASSERT_EQ(errors.size(), 2);
    EXPECT_NE(errors[1].indexOf("exam_02.qt1"), -1) << errors[1].toStdString();
    test::pressKey(chooser->examList(), Qt::Key_Up);
    chooser->chartField()->setValue(1);
    EXPECT_EQ(questions(), QStringList{"+ :  1. N1.+.Question 1?"});
    test::pressKey(chooser->examList(), Qt::Key_Return);
    EXPECT_EQ(chooser->result(), QDialog::Accepted);
    EXPECT_EQ(ws->records().current().chart, 1);
}

TEST_F(ChooseChartWindowTest, TheMainWindowCommandChoosesOrReopensTheResultsMenu) {
    writeExam(1, "3", {{{1, "+"}}});
    writeExam(2, "3", {{{1, "+"}}, {{2, "+"}}});
    start(1, 1);
    core::ui::TfrmMain main(*ws);
    main.setErrorFunction([](const QString&, const QString& text) { ADD_FAILURE() << text.toStdString(); });
    QStringList shown;
    ChooseExamCommandSteps steps;
    steps.inform = [&](const QString& text) { shown.append("inform:" + text); };
    steps.runChooser = [&] {
        shown.append("chooser");
        TfrmChooseChart window(*ws, &main);
        ASSERT_TRUE(window.fill());
        window.show();
        test::pressKey(window.examList(), Qt::Key_Down);
        window.chartField()->setValue(2);
        test::pressKey(window.examList(), Qt::Key_Return);
    };
    installChooseExamCommand(main, *ws, steps);
    main.show();
    ASSERT_TRUE(main.commandAction(core::Command::ChooseExam)->isEnabled());

    main.runCommand(core::Command::ChooseExam);
    EXPECT_EQ(shown, QStringList{"chooser"});
    EXPECT_EQ(ws->records().current().examNumber, 2);
    EXPECT_EQ(ws->records().current().chart, 2);
    // The frame refreshed the strips from the new current exam and chart.
    EXPECT_EQ(main.stripBar(core::Strip::Exams)->currentIndex(), 1);
    EXPECT_EQ(main.stripBar(core::Strip::Charts)->currentIndex(), 1);

    // The exams' files went while the window still listed them.
    shown.clear();
    fs::remove(folder() / "exam_01.qs_");
    fs::remove(folder() / "exam_02.qs_");
    main.runCommand(core::Command::ChooseExam);
    EXPECT_EQ(shown, QStringList{"inform:Charts not found"});
    QMenu* results = main.menu(core::Menu::Results);
    EXPECT_TRUE(results->isVisible());
    EXPECT_EQ(results->activeAction(), main.commandAction(core::Command::ChooseExam));
    results->hide();
}

}  // namespace
}  // namespace lumo::scoring::ui
