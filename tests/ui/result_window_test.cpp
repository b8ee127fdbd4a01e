#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTableWidget>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "core/clock.h"
#include "core/settings.h"
#include "core/test_home.h"
#include "core/workstation.h"
#include "platform/print_job.h"
#include "scoring/ui/frm_result.h"
#include "scoring/ui/result_grid.h"
#include "scoring/ui/result_printing.h"
#include "scoring/workspace.h"
#include "ui/accessible_names.h"
#include "ui/menu_letters.h"
#include "ui/test_window_events.h"

namespace lumo::scoring::ui {
namespace {

namespace fs = std::filesystem;

// Two charts of R1, C1, N1, R2: chart 1 marks every feature of R1 +1, chart 2 -1.
class ResultWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::installSettings(home.path());
        workspace.allocateLazily();
    }
    void open(int method = 1, const std::string& language = "ENG") {
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>(core::Date{2026, 12, 9}));
        ws->initialise();
        ws->settings().list().setValue("Language", language);
        ws->settings().list().setValue("PrinterName", "<PDF>");
        ExamInfo& exam = workspace.exam();
        exam = ExamInfo{};
        exam.examinee = "Petrov";
        exam.operatorName = "Operator 1";
        exam.method = method;
        exam.questionCount = 4;
        const std::vector<std::string> signs = {" R1", " C1", " N1", " R2"};
        for (int q = 1; q <= 4; ++q) {
            exam.questions[static_cast<std::size_t>(q)] = {signs[q - 1], "-", "Question " + std::to_string(q) + "?", " "};
        }
        workspace.chartCount = 2;
        for (int c = 1; c <= 2; ++c) {
            workspace.chart(c) = ChartHeader{};
            workspace.chart(c).rowCount = 4;
            workspace.chart(c).date = "07-03-2001";
            for (int r = 1; r <= 4; ++r) {
                workspace.row(c, r) = RowInfo{};
                workspace.row(c, r).question = r;
                for (int f = 0; f <= kTotalSlot; ++f) {
                    const float mark = r == 1 && f >= 1 && f <= kFeatureCount ? (c == 1 ? 1.0f : -1.0f) : 0.0f;
                    workspace.stressMarks()(c, r, f) = mark;
                    workspace.lieMarks()(c, r, f) = mark;
                    workspace.features()(c, r, f) = 10.0f * f;
                }
            }
            for (int q = 0; q <= core::kMaxQuestions; ++q) workspace.setArtefact(c, q, false);
        }
        window = std::make_unique<TfrmResult>(*ws, workspace);
        window->setConfirmFunction([this](const QString& text) {
            questions.append(text);
            return answer;
        });
    }
    QString summary(int row, int column) const { return window->summaryGrid()->item(row, column)->text(); }

    test::TempHome home;
    ScoringWorkspace workspace;
    std::unique_ptr<core::Workstation> ws;
    std::unique_ptr<TfrmResult> window;
    QStringList questions;
    bool answer = false;
};

TEST_F(ResultWindowTest, OpensOnTheStressSummaryOfEveryChart) {
    open();
    window->show();
    EXPECT_EQ(test::unnamedControls(*window), "");
    EXPECT_EQ(window->windowTitle(), "Exam Results");
    EXPECT_TRUE(window->chartBox(1)->isChecked() && window->chartBox(2)->isChecked());
    EXPECT_FALSE(window->chartBox(3)->isVisible() || window->chartBox(3)->isEnabled());
    EXPECT_EQ(window->chartBox(1)->objectName(), "chkChart0");
    EXPECT_EQ(window->priorList()->currentText(), "0.5");
    EXPECT_TRUE(window->stressButton()->isChecked());
    EXPECT_FALSE(window->action(ResultView::Summary)->isEnabled());
    EXPECT_TRUE(window->action(ResultView::Params)->isEnabled());
    EXPECT_TRUE(window->action(ResultView::Lie)->isEnabled());

    QTableWidget* grid = window->summaryGrid();
    ASSERT_EQ(grid->columnCount(), 9);
    ASSERT_EQ(grid->rowCount(), 3 + 4);
    EXPECT_EQ(summary(0, 0), "TYPE");
    EXPECT_EQ(summary(0, 1), "STRESS");
    // The fixed cells merge: TYPE down the three header rows, STRESS across the band.
    EXPECT_EQ(grid->rowSpan(0, 0), 3);
    EXPECT_EQ(grid->columnSpan(0, 1), 8);
    EXPECT_EQ(grid->columnSpan(1, 2), 2);  // SUMMARY over score and probability
    EXPECT_EQ(summary(3, 0), " R1");
    EXPECT_EQ(summary(3, 2), "0.00");  // +12 and -12 average out
    EXPECT_EQ(summary(3, 1), "2");
    EXPECT_EQ(window->leftLabel()->text(), "RELAX");
    EXPECT_EQ(window->rightLabel()->text(), "STRESS");
    EXPECT_EQ(window->lieCaption()->text(), " < -1.4 < -2.1 < -3.6");
    EXPECT_EQ(window->truthCaption()->text(), "3.0 > 1.8 > 1.2 > ");
    // The type cell is painted in its type's colour through the item's role.
    const core::Rgb relevant = core::QuestionTypes(ws->settings()).signToColour(" R1");
    EXPECT_EQ(grid->item(3, 0)->background().color(), QColor(relevant.red, relevant.green, relevant.blue));
}

TEST_F(ResultWindowTest, ChartBoxesRecomputeAndTheLieViewSwitches) {
    open();
    window->show();
    test::pressKey(window->chartBox(2), Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_FALSE(window->chartBox(2)->isChecked());
    EXPECT_EQ(summary(3, 2), "12.00");
    EXPECT_EQ(summary(3, 1), "1");
    EXPECT_EQ(window->summaryGrid()->item(3, 2)->foreground().color(), QColor(0, 255, 0));  // above B+
    test::pressKey(window->chartBox(2), Qt::Key_Space, Qt::NoModifier, " ");
    test::pressKey(window->chartBox(1), Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_EQ(summary(3, 2), "-12.00");
    EXPECT_EQ(window->summaryGrid()->item(3, 2)->foreground().color(), QColor(255, 0, 0));
    workspace.setArtefact(2, 1, true);
    test::pressKey(window->chartBox(1), Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_EQ(summary(3, 0), " R1(A)");

    test::pressKey(window->lieButton(), Qt::Key_Space, Qt::NoModifier, " ");
    ASSERT_TRUE(window->lieButton()->isChecked());
    EXPECT_EQ(window->summaryGrid()->columnCount(), 10);
    EXPECT_EQ(window->summaryGrid()->rowCount(), 3 + 4 + 1);
    EXPECT_EQ(summary(0, 1), "L I E");
    EXPECT_EQ(summary(5, 2), "");  // N1 is not in the lie view
    EXPECT_EQ(window->leftLabel()->text(), "TRUTH");
    EXPECT_TRUE(summary(7, 0).contains("ERGO"));
    EXPECT_FALSE(window->conclusionLabel()->text().isEmpty());
}

TEST_F(ResultWindowTest, TheLieViewIsUnavailableForMethodFive) {
    open(5);
    EXPECT_FALSE(window->lieButton()->isEnabled());
    EXPECT_FALSE(window->action(ResultView::Lie)->isEnabled());
    window->action(ResultView::Stress)->trigger();
    EXPECT_EQ(window->view(), ResultView::Stress);
    EXPECT_FALSE(window->action(ResultView::Stress)->isEnabled());
    EXPECT_TRUE(window->action(ResultView::Summary)->isEnabled());
    EXPECT_FALSE(window->action(ResultView::Lie)->isEnabled());
    window->showTable(ResultView::Lie);
    EXPECT_EQ(window->view(), ResultView::Stress);
}

TEST_F(ResultWindowTest, TablesShowTheirCellsAndTheSummaryResets) {
    open();
    window->show();
    test::pressKey(window->lieButton(), Qt::Key_Space, Qt::NoModifier, " ");
    window->action(ResultView::Params)->trigger();
    QTableWidget* grid = window->tableGrid();
    EXPECT_EQ(grid->accessibleName(), "Absolute ordered primary parameters table");
    EXPECT_EQ(grid->item(3, 0)->text(), "Chart");
    EXPECT_EQ(grid->item(4, 0)->text(), "1-1");
    EXPECT_EQ(grid->item(4, 2)->text(), "10");
    EXPECT_EQ(grid->item(4, 3)->text(), "20.0");
    window->action(ResultView::Lie)->trigger();
    EXPECT_EQ(grid->item(4, 2)->text(), "1.00");
    EXPECT_EQ(test::unnamedControls(*window), "");

    window->action(ResultView::Summary)->trigger();
    EXPECT_EQ(window->view(), ResultView::Summary);
    EXPECT_TRUE(window->stressButton()->isChecked());
    EXPECT_EQ(window->summaryGrid()->columnCount(), 9);
}

TEST_F(ResultWindowTest, AListChangeRedrawsOnlyAfterADrawSinceActivation) {
    open();
    window->show();
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(window.get(), &activate);
    test::pressKey(window->fpList(), Qt::Key_Down);
    ASSERT_EQ(window->fpList()->currentText(), "0.15");
    EXPECT_EQ(window->lieCaption()->text(), " < -1.4 < -2.1 < -3.6");  // taken at the next redraw
    test::pressKey(window->chartBox(2), Qt::Key_Space, Qt::NoModifier, " ");
    const QString redrawn = window->lieCaption()->text();
    EXPECT_NE(redrawn, " < -1.4 < -2.1 < -3.6");
    // Drawn since the activation: the next change shows at once.
    test::pressKey(window->fpList(), Qt::Key_Down);
    EXPECT_NE(window->lieCaption()->text(), redrawn);
}

TEST_F(ResultWindowTest, EscapeAsksAndEditChartGoesBack) {
    open();
    window->show();
    test::pressKey(window.get(), Qt::Key_Escape);
    EXPECT_EQ(questions, QStringList{"Return to the main menu?"});
    EXPECT_TRUE(window->isVisible());
    answer = true;
    test::pressKey(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->exitKind(), ResultWindowExit::MainMenu);

    open();
    window->show();
    test::pressKey(window.get(), Qt::Key_Escape, Qt::ShiftModifier);
    EXPECT_TRUE(window->isVisible());
    window->editChartAction()->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->exitKind(), ResultWindowExit::EditChart);
    EXPECT_EQ(questions.size(), 2);
}

TEST_F(ResultWindowTest, AltAndTheLetterReachEveryMenuItem) {
    for (const std::string language : {"ENG", "RUS"}) {
        open(1, language);
        const QMenuBar* bar = window->findChild<QMenuBar*>("mmMain");
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(test::menuBarLetterProblems(*bar, true), "") << language;
    }

    open();
    int prints = 0;
    window->setPrintFunction([&prints] { ++prints; });
    window->show();
    QApplication::setActiveWindow(window.get());
    test::pressKey(window.get(), Qt::Key_P, Qt::AltModifier, "p");
    EXPECT_EQ(prints, 1);
    test::pressKey(window.get(), Qt::Key_E, Qt::AltModifier, "e");
    EXPECT_EQ(questions, QStringList{"Return to the main menu?"});
    // The tables submenu opens, and its own letters pick a table.
    test::pressKey(window.get(), Qt::Key_T, Qt::AltModifier, "t");
    QMenu* tables = window->findChild<QMenu*>("mnuTabl");
    ASSERT_TRUE(tables->isVisible());
    test::pressKey(tables, Qt::Key_P, Qt::NoModifier, "p");
    EXPECT_EQ(window->view(), ResultView::Params);
    test::pressKey(window.get(), Qt::Key_C, Qt::AltModifier, "c");
    EXPECT_EQ(window->exitKind(), ResultWindowExit::EditChart);

    // Russian letters are the Cyrillic ones of the captions.
    open(1, "RUS");
    window->show();
    QApplication::setActiveWindow(window.get());
    test::pressKey(window.get(), 0x0420, Qt::AltModifier, QString::fromUtf8("р"));  // Редактирование
    EXPECT_EQ(window->exitKind(), ResultWindowExit::EditChart);
}

TEST_F(ResultWindowTest, MergedSpansJoinEqualFixedNeighbours) {
    const auto spans = mergedSpans({{"A", "B", "B"}, {"A", "C", "D"}, {"x", "C", "C"}}, 2);
    // A down the first column, B across; C of a header row does not reach into the body.
    ASSERT_EQ(spans.size(), 2u);
    EXPECT_EQ(spans[0].rows, 2);
    EXPECT_EQ(spans[0].columns, 1);
    EXPECT_EQ(spans[1].row, 0);
    EXPECT_EQ(spans[1].columns, 2);
}

TEST_F(ResultWindowTest, PrintsTheSummaryIntoAPdfFile) {
    open();
    platform::PrintSteps steps;
    QStringList errors;
    const fs::path pdf = home.path() / "results.pdf";
    steps.printers = [] { return QStringList{}; };
    steps.pdfFile = [&pdf](QWidget*, const QString&, const QString&) { return QString::fromStdString(pdf.string()); };
    steps.error = [&errors](QWidget*, const QString&, const QString& text) { errors.append(text); };
    ASSERT_TRUE(printResults(window.get(), *ws, workspace, window->decision(), ResultView::Summary, steps));
    EXPECT_TRUE(errors.isEmpty());
    const std::string bytes = test::readFile(pdf);
    EXPECT_EQ(bytes.substr(0, 4), "%PDF");
}

}  // namespace
}  // namespace lumo::scoring::ui
