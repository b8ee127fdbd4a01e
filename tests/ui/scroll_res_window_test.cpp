#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <sstream>

#include "core/clock.h"
#include "core/main_window_state.h"
#include "core/records.h"
#include "core/settings.h"
#include "core/test_home.h"
#include "core/ui/main_window.h"
#include "core/workstation.h"
#include "demo/demo.h"
#include "formats/results_table.h"
#include "platform/installed_data.h"
#include "recording/ui/channel_edit.h"
#include "review/chart_files.h"
#include "review/scroll_res_view.h"
#include "review/ui/analyse_command.h"
#include "review/ui/frm_scrl_res.h"
#include "review/ui/scroll_res_canvas.h"
#include "review/ui/scroll_res_printing.h"
#include "review/ui/scroll_res_strip.h"
#include "scoring/hand_score_exam.h"
#include "ui/accessible_names.h"
#include "ui/scroll_res_window.h"
#include "ui/test_window_events.h"

namespace lumo::review::ui {
namespace {

TEST_F(ScrollResWindowTest, OpensOnTheDemoChartWithEveryControlNamed) {
    TfrmScrlRes& w = open();
    EXPECT_EQ(errors, QStringList{});
    EXPECT_EQ(test::unnamedControls(w), "");
    EXPECT_TRUE(w.windowTitle().startsWith(QStringLiteral("Examinee : #")));
    EXPECT_TRUE(w.windowTitle().contains(QStringLiteral(" / EXAM_01 / CHART_01 ( ")));
    for (int d = 1; d <= 9; ++d) {
        EXPECT_EQ(w.chartButton(d)->isEnabled(), d <= 3) << d;
        EXPECT_EQ(w.chartButton(d)->isChecked(), d == 1) << d;
        EXPECT_EQ(w.chartButton(d)->text(), QString::number(d) + QLatin1Char('.'));
    }
    EXPECT_EQ(w.printButton()->text(), "Print");
    EXPECT_EQ(w.exportButton()->text(), "Export EDF+");
    EXPECT_EQ(w.exitButton()->text(), "Exit");
    EXPECT_EQ(w.pages()->tabText(0), "Calc");
    EXPECT_EQ(w.pages()->tabText(1), "Edit");
    // Readout panels are named by their channels, hand-score fields by their groups.
    EXPECT_EQ(w.handScoreField(0)->accessibleName(), "Breath");
    EXPECT_EQ(w.handScoreField(1)->accessibleName(), "GSC");
    EXPECT_EQ(w.handScoreField(2)->accessibleName(), "Cardio");
    EXPECT_EQ(w.readoutPanel(0)->accessibleName(), "Breath-Up");  // ChSeq1 = 0
    EXPECT_TRUE(w.readoutPanel(0)->text().startsWith(QStringLiteral("Breath-Up : ")));
    EXPECT_EQ(w.questionStrip()->count(), w.view().presentationCount());
    EXPECT_EQ(w.questionStrip()->currentIndex(), 0);
    EXPECT_TRUE(w.questionLine()->text().startsWith(QStringLiteral("1.")));
    // The first drawing painted the whole picture.
    EXPECT_EQ(w.canvas()->picture().size(), w.canvas()->size());
    EXPECT_EQ(w.focusWidget(), w.canvas());
}

TEST_F(ScrollResWindowTest, HandScoresAndExclusionsByKeyboardReachTheResultsTable) {
    TfrmScrlRes& w = open();
    const int relevant = presentationOf(1);
    const int control = presentationOf(3);
    ASSERT_GT(relevant, 0);
    ASSERT_GT(control, 0);

    // A control question takes no hand scores.
    stripTo(control);
    EXPECT_FALSE(w.handScoreField(0)->isEnabled());
    EXPECT_EQ(w.sumPanel()->text(), "0");
    // Del on the chart excludes it.
    w.canvas()->setFocus();
    test::pressKey(w.canvas(), Qt::Key_Delete);
    EXPECT_TRUE(w.view().presentation(control).excluded);
    EXPECT_TRUE(w.questionLine()->text().contains(QStringLiteral(".*")));
    EXPECT_EQ(w.questionStrip()->tabColour(control - 1), QColor(128, 128, 128));  // QColor7 Gray

    // +2, -1, 0 on a relevant question: hand score 4 = 1.
    stripTo(relevant);
    ASSERT_TRUE(w.handScoreField(0)->isEnabled());
    w.handScoreField(0)->setFocus();
    test::pressKey(w.handScoreField(0), Qt::Key_Up);
    test::pressKey(w.handScoreField(0), Qt::Key_Up);
    w.handScoreField(1)->setFocus();
    test::pressKey(w.handScoreField(1), Qt::Key_Down);
    w.handScoreField(2)->setFocus();
    test::pressKey(w.handScoreField(2), Qt::Key_Up);
    test::pressKey(w.handScoreField(2), Qt::Key_Down);
    EXPECT_EQ(w.sumPanel()->text(), "1");

    // Esc closes the view: both are saved, and the help viewer is told to quit.
    w.canvas()->setFocus();
    test::pressKey(w.canvas(), Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(helpQuits, 1);
    core::TQstTest exam(folder() / "exam_01.qs_", core::kExamTypeCounters, core::QuestionTypes(ws->settings()));
    const formats::TQtFile saved = table(1, exam);
    EXPECT_TRUE(saved.IsExcluded(control));
    EXPECT_EQ(saved.HandScore(relevant, 1), 2);
    EXPECT_EQ(saved.HandScore(relevant, 2), -1);
    EXPECT_EQ(saved.HandScore(relevant, 3), 0);
    EXPECT_EQ(saved.HandScore(relevant, 4), 1);

    // The hand-score decision reads them: the relevant question's total over the charts is 1.
    scoring::HandScoreExam decided(folder() / "EXAM_01", ws->settings());
    decided.decision().recompute();
    const int question = saved.QuestionNumber(relevant);
    bool found = false;
    for (const scoring::ListedQuestion& listed : decided.decision().listed()) {
        if (listed.question != question) continue;
        found = true;
        EXPECT_EQ(listed.total, 1);
    }
    EXPECT_TRUE(found);
}

TEST_F(ScrollResWindowTest, DigitsSwitchChartsAndZoomKeepsTheQuestion) {
    TfrmScrlRes& w = open();
    const int relevant = presentationOf(1);
    stripTo(relevant);
    w.handScoreField(0)->setFocus();
    test::pressKey(w.handScoreField(0), Qt::Key_Up);
    // F3 zooms, the question stays in view.
    test::pressKey(w.canvas(), Qt::Key_F3);
    EXPECT_EQ(w.view().zoom(), 5);
    const int x = static_cast<int>(w.view().positions().x(w.view().presentation(relevant).onset)) - w.view().scrollPosition();
    EXPECT_GE(x, 0);
    EXPECT_LT(x, w.view().areaWidth());
    EXPECT_EQ(w.scrollBar()->value(), w.view().scrollPosition());
    // A scroll step of 16 pixels by Ctrl+Right on the scroll bar paints only the strip.
    const int before = w.scrollBar()->value();
    w.scrollBar()->setFocus();
    test::pressKey(w.scrollBar(), Qt::Key_Right, Qt::ControlModifier);
    ASSERT_EQ(w.scrollBar()->value(), before + 16);
    EXPECT_EQ(w.canvas()->lastPainted().width(), 16);

    // "2" on the chart switches to chart 2; chart 1's table is written first.
    w.canvas()->setFocus();
    test::pressKey(w.canvas(), Qt::Key_2, Qt::NoModifier, QStringLiteral("2"));
    EXPECT_EQ(w.view().chartDigit(), 2);
    EXPECT_TRUE(w.chartButton(2)->isChecked());
    EXPECT_EQ(ws->records().current().chart, 2);
    EXPECT_TRUE(w.windowTitle().contains(QStringLiteral("CHART_02")));
    core::TQstTest exam(folder() / "exam_01.qs_", core::kExamTypeCounters, core::QuestionTypes(ws->settings()));
    EXPECT_EQ(table(1, exam).HandScore(relevant, 1), 1);
    EXPECT_TRUE(fs::exists(folder() / "exam_01.gd1"));
    // A digit of a chart that does not exist does nothing.
    test::pressKey(w.canvas(), Qt::Key_7, Qt::NoModifier, QStringLiteral("7"));
    EXPECT_EQ(w.view().chartDigit(), 2);
    test::click(w.chartButton(1), Qt::LeftButton, w.chartButton(1)->rect().center());
    EXPECT_EQ(w.view().chartDigit(), 1);
}

TEST_F(ScrollResWindowTest, GainFieldsChangeGainsAndOffsetsForOneRedrawAfterTheTimer) {
    TfrmScrlRes& w = open();
    w.pages()->setCurrentIndex(1);
    int channel = 0;
    while (channel < 8 && !w.view().channelVisible(channel)) ++channel;
    ASSERT_LT(channel, 8);
    recording::ui::TChannelEditBiDir* field = w.gainField(channel);
    ASSERT_TRUE(field->isVisible());
    EXPECT_EQ(field->accessibleName(), field->text());
    field->setFocus();
    test::pressKey(field, Qt::Key_Up);
    EXPECT_EQ(w.view().gainCode(channel), 10);
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->running);
    EXPECT_EQ(timer->interval, 750);
    const int y = field->y();
    const int offset = w.view().offset(channel);
    test::pressKey(field, Qt::Key_PageDown);
    EXPECT_EQ(w.view().offset(channel), offset + 10);
    EXPECT_EQ(field->y(), y + 10);
    EXPECT_EQ(timer->restarts, 2);
    // Nothing is drawn before the timer runs out; then everything.
    timer->fire();
    EXPECT_EQ(w.canvas()->lastPainted().width(), w.canvas()->width());
    w.exitButton()->click();
    const std::string bytes = test::readFile(folder() / "exam_01.gd1");
    ASSERT_EQ(bytes.size(), 24u);
    EXPECT_EQ(static_cast<int>(static_cast<unsigned char>(bytes[3 * static_cast<std::size_t>(channel)])), 10);
}

TEST_F(ScrollResWindowTest, PrintingAsksFirstAndWritesEveryPageIntoItsOwnPdf) {
    ws->settings().list().setValue("PrinterName", "<PDF>");
    TfrmScrlRes& w = open();
    answer = false;
    EXPECT_EQ(w.printChart(), 0);
    EXPECT_EQ(questions, QStringList{QStringLiteral("Do you really want to print the polygram ?")});
    answer = true;
    platform::PrintSteps print;
    print.printers = [] { return QStringList{}; };
    const QString pdf = QString::fromStdString((home.path() / "chart.pdf").string());
    print.pdfFile = [pdf](QWidget*, const QString&, const QString&) { return pdf; };
    print.error = [this](QWidget*, const QString&, const QString& text) { errors.append(text); };
    std::vector<std::size_t> progress;
    const int pages = printPolygram(&w, *ws, w.view(), print, [&](std::size_t printed, std::size_t points) {
        progress.push_back(printed);
        EXPECT_EQ(points, w.view().chart().count());
        return true;
    });
    EXPECT_EQ(errors, QStringList{});
    EXPECT_GE(pages, 2);
    EXPECT_EQ(static_cast<int>(progress.size()), pages);
    EXPECT_EQ(progress.back(), w.view().chart().count());
    for (int page = 1; page <= pages; ++page) {
        EXPECT_TRUE(fs::exists(pdfPageFile(pdf, page).toStdString())) << page;
    }
    EXPECT_EQ(pdfPageFile(pdf, 3).toStdString(), (home.path() / "chart-3.pdf").string());
    // Stopped after the first page: one page went out.
    const int stopped = printPolygram(&w, *ws, w.view(), print, [](std::size_t, std::size_t) { return false; });
    EXPECT_EQ(stopped, 1);
}

TEST_F(ScrollResWindowTest, PrintButtonShowsTheProgressPanelAndLeavesTheViewAsItWas) {
    ws->settings().list().setValue("PrinterName", "<PDF>");
    const QString pdf = QString::fromStdString((home.path() / "button.pdf").string());
    print = platform::PrintSteps{[] { return QStringList{}; },
                                 [pdf](QWidget*, const QString&, const QString&) { return pdf; },
                                 [this](QWidget*, const QString&, const QString& text) { errors.append(text); }};
    TfrmScrlRes& w = open();
    answer = true;
    const int position = w.view().scrollPosition();
    w.printButton()->click();
    EXPECT_EQ(questions.size(), 1);
    EXPECT_EQ(errors, QStringList{});
    EXPECT_TRUE(fs::exists(pdf.toStdString()));
    EXPECT_EQ(w.printProgress()->value(), w.printProgress()->maximum());
    EXPECT_FALSE(w.printPanel()->isVisible());
    EXPECT_TRUE(w.exitButton()->isEnabled());
    EXPECT_EQ(w.view().scrollPosition(), position);
}

TEST_F(ScrollResWindowTest, FillGainsFailuresAreShownOnceTheWindowIsUp) {
    test::writeFile(folder() / "exam_01.gd1", "\x30");
    TfrmScrlRes& w = open();
    QApplication::processEvents();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("TfrmScrlRes.FillGains\nreading gd\n")));
    EXPECT_EQ(w.view().gainCode(0), 9);
    // Switching to a chart that reads well shows nothing more.
    test::pressKey(w.canvas(), Qt::Key_3, Qt::NoModifier, QStringLiteral("3"));
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(w.view().chartDigit(), 3);
}

TEST_F(ScrollResWindowTest, TheCommandOpensTheCurrentChart) {
    core::ui::TfrmMain main(*ws);
    main.refreshStatus();
    std::vector<fs::path> shown;
    installAnalyseCommand(main, *ws, AnalyseSteps{[&](const fs::path& file) { shown.push_back(file); }});
    main.runCommand(core::Command::AnalysePolygram);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], folder() / "exam_01.ch1");
    ws->records().current().chart = 0;
    EXPECT_FALSE(currentReviewChart(ws->records()).has_value());
}

}  // namespace
}  // namespace lumo::review::ui
