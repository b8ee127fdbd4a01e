#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/test_home.h"
#include "core/texts/recording.h"
#include "core/ui/main_window.h"
#include "core/workstation.h"
#include "device/device_script.h"
#include "device/simulated_link.h"
#include "recording/ui/frm_baevsky.h"
#include "recording/ui/frm_state.h"
#include "recording/ui/paint_panels.h"
#include "recording/ui/state_command.h"
#include "ui/accessible_names.h"
#include "ui/test_window_bench.h"
#include "ui/test_window_events.h"

namespace lumo::recording::ui {
namespace {

using test::pressKey;

// A data home seeded from the shipped defaults, the state window over a link
// on a virtual clock, its boxes answered by the test.
class StateWindowTest : public ::testing::Test {
protected:
    StateWindowTest() {
        test::installSettings(home.path());
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>());
        ws->initialise();
    }

    TfrmState& open(device::SerialLink& link) {
        window = std::make_unique<TfrmState>(*ws, link, priority);
        StateWindowDialogs dialogs;
        dialogs.showError = [this](const std::string& text) { errors.push_back(text); };
        dialogs.showReport = [this](const std::string& text) { reports.push_back(text); };
        dialogs.showFailure = [this](const std::string& text) { failures.push_back(text); };
        window->setDialogs(dialogs);
        window->show();
        QApplication::processEvents();
        return *window;
    }
    void wait(std::int64_t milliseconds) {
        simulated.run(milliseconds);
        QApplication::processEvents();
    }
    void russian() {
        ws->settings().list().setValue("Language", "RUS");
    }

    test::TempHome home;
    std::unique_ptr<core::Workstation> ws;
    // The links outlive the window, whose session stops the unit when it goes.
    device::SimulatedLink simulated;
    test::ScriptedLink scripted;
    test::WindowPriority priority;
    std::unique_ptr<TfrmState> window;
    std::vector<std::string> errors, reports, failures;
};

// How many pixels of the picture have the colour.
int pixelsOf(const QImage& image, QColor colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) == colour ? 1 : 0;
    }
    return count;
}

TEST_F(StateWindowTest, MeasuresTwentySecondsOfTheSimulatedUnitAndReachesTheSummary) {
    TfrmState& state = open(simulated);
    EXPECT_EQ(test::unnamedControls(state), "");
    EXPECT_EQ(state.windowTitle(), "Subject State Estimate");
    EXPECT_EQ(state.counterLabel()->text(), "0 data received");
    EXPECT_EQ(priority.raised, 1);
    wait(20000);
    const std::uint32_t count = state.statistics().count;
    EXPECT_GT(count, 20u);
    EXPECT_EQ(state.counterLabel()->text(), QString("%1 data received").arg(count));

    // The traces in the channels' colours (pulse red, skin resistance yellow) on black.
    const QImage traces = state.traces().toImage();
    EXPECT_GT(pixelsOf(traces, Qt::red), 100);
    EXPECT_GT(pixelsOf(traces, Qt::yellow), 100);
    EXPECT_GT(pixelsOf(traces, Qt::black), traces.width() * traces.height() / 2);
    // The histogram: one red bar and the main tone's percentage over it.
    const BoardPicture histogram = state.histogramPicture();
    int red = 0;
    bool percent = false;
    for (const BoardItem& item : histogram.items) {
        if (const auto* bar = std::get_if<BoardRect>(&item)) red += bar->fill == core::Rgb{255, 0, 0} ? 1 : 0;
        if (const auto* text = std::get_if<BoardText>(&item)) percent = percent || text->text.back() == '%';
    }
    EXPECT_EQ(red, 1);
    EXPECT_TRUE(percent);
    const QImage panel = state.histogramPanel()->grab().toImage();
    EXPECT_GT(pixelsOf(panel, Qt::red), 20);

    // Space starts afresh; the restart button does the same.
    pressKey(&state, Qt::Key_Space);
    EXPECT_EQ(state.statistics().count, 0u);
    EXPECT_EQ(state.counterLabel()->text(), "0 data received");
    wait(6000);
    EXPECT_GT(state.statistics().count, 6u);
    state.restartButton()->click();
    EXPECT_EQ(state.statistics().count, 0u);
    wait(10000);
    EXPECT_TRUE(errors.empty());

    // Esc: the report box, then OK; the priority is back before the box shows.
    pressKey(&state, Qt::Key_Escape);
    EXPECT_EQ(priority.restored, 1);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].rfind("Pulse Mean Frequency = ", 0), 0u);
    QApplication::processEvents();
    EXPECT_FALSE(state.isVisible());
    EXPECT_EQ(state.result(), QDialog::Accepted);
    EXPECT_EQ(priority.restored, 1);

    TfrmBaevsky summary(*ws, state.statistics());
    EXPECT_EQ(summary.windowTitle(), "Examinee State - Press Any Key When Ready To Exit");
    const AutonomicIndices& indices = summary.indices();
    EXPECT_EQ(summary.indexLabel(0)->text(), QString("Frequency = %1 %").arg(shownPercent(indices.frequency)));
    EXPECT_EQ(summary.indexLabel(1)->text(), QString("Main tone prob = %1 %").arg(shownPercent(indices.mainTone)));
    EXPECT_EQ(summary.indexLabel(2)->text(), QString("Stability = %1 %").arg(shownPercent(indices.stability)));
    EXPECT_EQ(summary.indexLabel(3)->text(), QString("Blood volume = %1 %").arg(shownPercent(indices.bloodVolume)));
    const VerdictTexts verdict = verdictTexts(summary.verdict());
    EXPECT_EQ(summary.adviceLabel()->text().toStdString(), ws->texts()(verdict.advice));
    summary.show();
    QApplication::processEvents();
    const ScaleBar bar = summary.scaleBarOf(1);
    EXPECT_GE(bar.markerX, bar.zones[0].left);
    EXPECT_LE(bar.markerX, bar.zones[2].right);
    EXPECT_EQ(summary.outline().polygon.size(), 26u);
    // The default marker is an ellipse: black pixels on the scale.
    EXPECT_TRUE(summary.marker().ellipse);
    EXPECT_GT(pixelsOf(summary.scalePanel(1)->grab().toImage(), Qt::black), 10);
    pressKey(&summary, Qt::Key_A);
    EXPECT_FALSE(summary.isVisible());
    EXPECT_EQ(summary.result(), QDialog::Accepted);
}

TEST_F(StateWindowTest, BothWindowsSpeakRussian) {
    russian();
    TfrmState& state = open(simulated);
    EXPECT_EQ(state.windowTitle(), "Оценка состояния субъекта");
    EXPECT_EQ(state.restartButton()->text(), "Заново");
    EXPECT_EQ(state.finishButton()->text(), "Завершить");
    wait(12000);
    EXPECT_EQ(state.counterLabel()->text(), QString("Получено данных : %1").arg(state.statistics().count));
    state.finishButton()->click();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].rfind("Средняя частота пульса = ", 0), 0u);
    QApplication::processEvents();

    // A marker of the settings that is not a number: the ellipse, and the setting is put right.
    ws->settings().list().setValue("ItalChar", "star");
    TfrmBaevsky summary(*ws, state.statistics());
    EXPECT_EQ(summary.windowTitle(), "Состояние субъекта - для выхода нажмите любую клавишу");
    EXPECT_TRUE(summary.marker().ellipse);
    EXPECT_EQ(ws->settings().list().value("ItalChar"), "<Default>");
    EXPECT_FALSE(summary.adviceLabel()->text().isEmpty());
    summary.show();
    QApplication::processEvents();
    test::click(&summary, Qt::LeftButton, QPoint(5, 5));
    EXPECT_FALSE(summary.isVisible());
}

TEST_F(StateWindowTest, APortThatCannotBeOpenedClosesWithCancel) {
    scripted.throwOnOpen = true;
    TfrmState& state = open(scripted);
    QApplication::processEvents();
    EXPECT_EQ(errors, std::vector<std::string>{"Maybe port number setting is wrong:\nport busy"});
    EXPECT_FALSE(state.isVisible());
    EXPECT_EQ(state.result(), QDialog::Rejected);
    EXPECT_EQ(priority.raised, 1);
    EXPECT_EQ(priority.restored, 1);
}

TEST_F(StateWindowTest, ALinkLostBeforeTheFirstSampleClosesWithCancel) {
    TfrmState& state = open(scripted);
    scripted.expire();
    QApplication::processEvents();
    EXPECT_EQ(errors, std::vector<std::string>{"No link with the unit"});
    EXPECT_FALSE(state.isVisible());
    EXPECT_EQ(state.result(), QDialog::Rejected);
    EXPECT_EQ(priority.restored, 1);
    EXPECT_FALSE(scripted.isOpen());
}

TEST_F(StateWindowTest, TheCloseBoxFinishesAndAShortMeasurementGivesNoSummary) {
    TfrmState& state = open(simulated);
    wait(4500);  // data, but at most one spectrum
    ASSERT_LE(state.statistics().count, 1u);
    state.close();
    QApplication::processEvents();
    EXPECT_TRUE(reports.empty());
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_FALSE(state.isVisible());
    EXPECT_EQ(state.result(), QDialog::Rejected);
    EXPECT_EQ(priority.restored, 1);
}

TEST_F(StateWindowTest, TheStateCommandShowsTheSummaryOnlyAfterOkAndReportsItsErrors) {
    core::ui::TfrmMain main(*ws);
    QStringList frameErrors, summaryErrors;
    main.setErrorFunction([&](const QString&, const QString& text) { frameErrors.append(text); });
    std::optional<StateStatistics> measured;
    int summaries = 0;
    StateCommandSteps steps;
    steps.runState = [&] { return measured; };
    steps.runSummary = [&](const StateStatistics& statistics) {
        ++summaries;
        TfrmBaevsky window(*ws, statistics);  // raises for too little
    };
    steps.showError = [&](const QString& text) { summaryErrors.append(text); };
    installStateCommand(main, *ws, steps);

    main.runCommand(core::Command::ExamineeState);
    EXPECT_EQ(summaries, 0) << "Cancel: no summary";
    measured = StateStatistics{};
    measured->count = 1;
    main.runCommand(core::Command::ExamineeState);
    EXPECT_EQ(summaries, 1);
    EXPECT_EQ(summaryErrors, QStringList{"Not enough system resources to view summary\n" +
                                         QString::fromStdString(ws->texts()(txt::StateTooShort))});
    steps.runState = [] () -> std::optional<StateStatistics> { throw std::runtime_error("no memory"); };
    installStateCommand(main, *ws, steps);
    main.runCommand(core::Command::ExamineeState);
    EXPECT_EQ(frameErrors, QStringList{"Not enough system resources to test Examinee ANS state\nno memory"});
}

}  // namespace
}  // namespace lumo::recording::ui
