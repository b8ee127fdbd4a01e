#include <gtest/gtest.h>

#include <QComboBox>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <filesystem>
#include <fstream>

#include "core/settings.h"
#include "core/ui/main_window.h"
#include "core/workstation.h"
#include "formats/chart.h"
#include "formats/screen_settings.h"
#include "recording/ui/channel_edit.h"
#include "recording/ui/chart_display.h"
#include "recording/ui/frm_test.h"
#include "recording/ui/paint_panels.h"
#include "recording/ui/test_command.h"
#include "scoring/scoring_run.h"
#include "scoring/workspace.h"
#include "ui/accessible_names.h"
#include "ui/test_window_bench.h"
#include "ui/test_window_events.h"

namespace lumo::recording::ui {
namespace {

using test::pressKey;

class SilentScoring final : public scoring::ScoringView {
public:
    void showWarning(const std::string& text) override { problems.push_back(text); }
    void showError(const std::string& text) override { problems.push_back(text); }
    std::vector<std::string> problems;
};

// Space after settling, then the opening 15 s.
void startToReady(test::TestWindowBench& bench) {
    ASSERT_TRUE(bench.waitUntil([&] { return bench.run().sampleCounter() >= TestRun::kSettlingCounts; }, 120000));
    pressKey(bench.window.get(), Qt::Key_Space);
    ASSERT_EQ(bench.run().phase(), TestPhase::Opening);
    ASSERT_TRUE(bench.waitUntil([&] { return bench.run().phase() == TestPhase::Ready; }, 20000));
}

// Ask, end after 1 s, answer after another, wait out the question time.
void present(test::TestWindowBench& bench, bool yes) {
    QWidget* w = bench.window.get();
    bench.wait(300);  // the onset in a packet of its own, not summed with the ready mark
    pressKey(w, Qt::Key_Space);
    ASSERT_EQ(bench.run().phase(), TestPhase::Question);
    bench.wait(1000);
    pressKey(w, Qt::Key_Space);
    ASSERT_EQ(bench.run().phase(), TestPhase::AnswerWait);
    bench.wait(1000);
    pressKey(w, yes ? Qt::Key_Right : Qt::Key_Left);
    ASSERT_EQ(bench.run().phase(), TestPhase::Reaction);
    ASSERT_TRUE(bench.waitUntil([&] { return bench.run().phase() == TestPhase::Ready; }, 60000));
}

TEST(TestWindowTest, RecordsAChartWithKeyEventsThatLoadsAndScores) {
    test::TestWindowBench bench;
    TfrmTest& window = bench.open();
    EXPECT_EQ(bench.priority.raised, 1);
    EXPECT_NE(window.windowTitle().indexOf("#0000001 / exam_01 / CHART_01 ( Ivanov )"), -1);
    EXPECT_EQ(window.questionList()->count(), 12);
    EXPECT_EQ(window.timeText(), "600");

    startToReady(bench);
    EXPECT_FALSE(window.speedList()->isEnabled()) << "the speed is fixed once the test runs";
    EXPECT_EQ(window.messageText(), "Ask\nquestion");
    // Four distinct questions, an artefact during a reaction, then the label
    // of channel 0 dragged and its gain changed while recording.
    for (int q = 0; q < 4; ++q) {
        if (q == 2) {
            bench.wait(300);
            pressKey(&window, Qt::Key_Space);
            bench.wait(1000);
            pressKey(&window, Qt::Key_Space);
            bench.wait(500);
            pressKey(&window, Qt::Key_Left);
            bench.wait(300);
            pressKey(&window, Qt::Key_F5);
            ASSERT_TRUE(bench.waitUntil([&] { return bench.run().phase() == TestPhase::Ready; }, 60000));
            continue;
        }
        present(bench, q % 2 == 0);
    }
    EXPECT_EQ(bench.run().distinctQuestions(), 4);
    EXPECT_TRUE(window.questionList()->item(0)->text().endsWith("1"));

    TChannelEdit* pulse = window.channelLabel(0);
    const int dragBefore = window.display()->model().dragOffset(0);
    test::mouseButton(pulse, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(10, 5));
    QMouseEvent move(QEvent::MouseMove, QPointF(10, 25), pulse->mapToGlobal(QPointF(10, 25)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pulse, &move);
    test::mouseButton(pulse, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(10, 25));
    EXPECT_EQ(window.display()->model().dragOffset(0), dragBefore + 20);
    pulse->setValue(7);
    EXPECT_EQ(window.display()->model().gain(0), 7);
    pulse->setValue(0);
    EXPECT_EQ(pulse->value(), 7) << "a channel cannot be switched off while recording";

    // Esc in Ready: confirmation, keep, the 15 s of closing, the chart saved.
    pressKey(&window, Qt::Key_Escape);
    EXPECT_EQ(bench.confirmations.size(), 1u);
    EXPECT_EQ(bench.keepDialogs, 1);
    EXPECT_EQ(bench.run().phase(), TestPhase::Closing);
    ASSERT_TRUE(bench.waitUntil([&] { return bench.run().outcome() != TestOutcome::Running; }, 30000));
    EXPECT_TRUE(bench.closed());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(bench.run().outcome(), TestOutcome::Saved);
    EXPECT_TRUE(bench.errors.empty()) << bench.errors.front();
    EXPECT_EQ(bench.priority.restored, 1);

    formats::TLumoChart_7_1 chart;
    chart.LoadFromFile(bench.folder / "exam_01.ch1");
    EXPECT_GT(chart.count, 32u * 60);
    int onsets = 0, artefacts = 0;
    for (std::size_t i = 0; i < chart.count; ++i) {
        const int mark = chart.mark(i);
        if (mark >= 30000 || mark < 1000) continue;
        const int digit = (mark / 1000) % 10;
        onsets += digit == 1 ? 1 : 0;
        artefacts += digit == 6 ? 1 : 0;
    }
    EXPECT_EQ(onsets, 4);
    EXPECT_EQ(artefacts, 1);

    const formats::ScreenSettings screen = formats::readScreenSettingsFile(bench.folder / "exam_01.sc1");
    ASSERT_GE(screen.events.size(), 10u) << "the start's eight, the drag and the gain";
    const auto pulseEvents = screen.channelEvents(0);
    EXPECT_EQ(pulseEvents.back().gain, 77);

    // The settings keep the moved band and the gain for the next test.
    const core::SettingsList& list = bench.workstation->settings().list();
    EXPECT_EQ(list.value("DefScrGain0"), "7");

    bench.workstation->records().reloadExams();
    const core::TExam* exam = &bench.workstation->records().current().exams.at(0);
    EXPECT_EQ(exam->chartCount, 1);
    scoring::ScoringWorkspace workspace;
    workspace.allocate();
    SilentScoring view;
    const scoring::ScoreResult scored =
        scoring::ScoreExam(workspace, bench.workstation->settings(), bench.workstation->texts(),
                           scoring::examFiles(bench.folder, 1, 1), view);
    EXPECT_TRUE(scored.success);
    EXPECT_TRUE(view.problems.empty());
}

TEST(TestWindowTest, KeysOfTheWindowPauseAltF4AndTheResistancePanel) {
    test::TestWindowBench bench;
    TfrmTest& window = bench.open();
    EXPECT_EQ(test::unnamedControls(window), "");
    bench.wait(3000);
    EXPECT_EQ(window.messageText(), "Sensors\ntuning");
    EXPECT_TRUE(window.progressBar()->value() > 0);
    // Alt+F4 is Esc: in settling the examiner is asked, and No keeps the window.
    bench.answerConfirm = false;
    pressKey(&window, Qt::Key_F4, Qt::AltModifier);
    EXPECT_EQ(bench.confirmations.size(), 1u);
    EXPECT_TRUE(window.isVisible());
    // The close box asks the same.
    window.close();
    EXPECT_EQ(bench.confirmations.size(), 2u);
    EXPECT_TRUE(window.isVisible());

    // Paused: nothing is recorded and only F9 counts.
    pressKey(&window, Qt::Key_F9);
    EXPECT_TRUE(bench.run().paused());
    EXPECT_EQ(window.messageText(), "Pause\n(F9)");
    const std::int32_t counter = bench.run().sampleCounter();
    bench.wait(2000);
    EXPECT_EQ(bench.run().sampleCounter(), counter);
    pressKey(&window, Qt::Key_Escape);
    EXPECT_EQ(bench.confirmations.size(), 2u);
    pressKey(&window, Qt::Key_F9);
    EXPECT_FALSE(bench.run().paused());
    EXPECT_EQ(window.messageText(), "Sensors\ntuning");

    // A click on the message panel shows the skin resistance, a second click the message.
    EXPECT_FALSE(window.showsResistance());
    bench.wait(500);
    QWidget* panel = window.findChildren<TWrapPanel*>().front();
    test::click(panel, Qt::LeftButton, QPoint(5, 5));
    EXPECT_TRUE(window.showsResistance());
    EXPECT_TRUE(window.resistanceText().startsWith("R "));
    test::click(window.findChildren<TWrapPanel*>().at(1), Qt::LeftButton, QPoint(5, 5));
    EXPECT_FALSE(window.showsResistance());

    // Esc answered Yes in settling discards the chart and closes with Cancel.
    bench.answerConfirm = true;
    pressKey(&window, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(bench.run().outcome(), TestOutcome::Discarded);
    EXPECT_FALSE(std::filesystem::exists(bench.folder / "exam_01.ch1"));
    EXPECT_EQ(bench.priority.restored, 1);
}

TEST(TestWindowTest, SpeedListChangesTheDisplayAndIsKeptForTheNextTest) {
    test::TestWindowBench bench;
    TfrmTest& window = bench.open();
    const double standard = window.display()->model().step();
    window.speedList()->setCurrentIndex(3);
    EXPECT_DOUBLE_EQ(window.display()->model().step(), 4 * standard);
    EXPECT_EQ(bench.run().speedEntry(), 3);
    bench.answerConfirm = true;
    pressKey(&window, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(bench.workstation->settings().list().value("Test_Speed"), "4");
}

TEST(TestWindowTest, BadDisplaySettingsCloseTheWindowWithAClearError) {
    test::TestWindowBench bench;
    bench.workstation->settings().list().setValue("Test_iMin2", "abc");
    TfrmTest& window = bench.open();
    QApplication::processEvents();
    ASSERT_EQ(bench.errors.size(), 1u);
    EXPECT_NE(bench.errors[0].find("Error initialising the unit:"), std::string::npos);
    EXPECT_NE(bench.errors[0].find("abc"), std::string::npos);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_EQ(bench.priority.raised, 0);
}

TEST(TestCommandTest, ExamineRunsTheNextChartAndRefusesATenth) {
    test::TestWindowBench bench;
    core::Workstation& ws = *bench.workstation;
    core::ui::TfrmMain main(ws);
    main.setErrorFunction([](const QString&, const QString& text) { ADD_FAILURE() << text.toStdString(); });
    std::vector<TestRunSetup> runs;
    QStringList warnings;
    TestCommandSteps steps;
    int chartAtWarning = 0;
    steps.warn = [&](const QString& text) {
        warnings.append(text);
        chartAtWarning = ws.records().current().chart;
    };
    steps.runTest = [&](const TestRunSetup& setup) {
        runs.push_back(setup);
        // The test keeps its chart: a results table appears.
        bench.open(setup.chart);
        startToReady(bench);
        for (int q = 0; q < 4; ++q) present(bench, true);
        pressKey(bench.window.get(), Qt::Key_Escape);
        bench.waitUntil([&] { return bench.run().outcome() != TestOutcome::Running; }, 30000);
    };
    installTestCommand(main, ws, steps);
    ws.records().makeCurrent(ws.records().examinees().at(0));
    main.show();
    main.refreshStatus();
    ASSERT_EQ(ws.records().current().examNumber, 1);

    main.runCommand(core::Command::RunExam);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].chart, 1);
    EXPECT_EQ(runs[0].sequence, 1);
    EXPECT_EQ(runs[0].examFile, bench.examFile);
    EXPECT_EQ(ws.records().current().exams.at(0).chartCount, 1) << "the examinee was made current again";

    // Nine charts by their results tables (charts 2 ... 9 are stubs the strip
    // does not list, so the button stays enabled): no tenth.
    for (int k = 2; k <= 9; ++k) {
        const std::string n = std::to_string(k);
        std::filesystem::copy_file(bench.folder / "exam_01.qt1", bench.folder / ("exam_01.qt" + n));
        std::ofstream(bench.folder / ("exam_01.ch" + n), std::ios::binary) << "RI\x07\x01";
    }
    ws.records().reloadExams();
    main.refreshStatus();
    main.runCommand(core::Command::RunExam);
    EXPECT_EQ(runs.size(), 1u);
    EXPECT_EQ(warnings, QStringList{"No more charts allowed to deal with the exam"});
    EXPECT_EQ(chartAtWarning, 9);
}

}  // namespace
}  // namespace lumo::recording::ui
