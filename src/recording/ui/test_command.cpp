#include "recording/ui/test_command.h"

#include <memory>

#include "core/main_window_state.h"
#include "core/texts/core.h"
#include "core/ui/main_window.h"
#include "core/workstation.h"
#include "device/serial_link.h"
#include "platform/realtime_priority.h"
#include "platform/serial_ports.h"
#include "recording/next_chart.h"
#include "recording/ui/frm_test.h"
#include "recording/ui/qt_test_timers.h"
#include "platform/message_box.h"

namespace lumo::recording::ui {

namespace {

void runTestCommand(core::Workstation& ws, const TestCommandSteps& steps) {
    NextChartSteps chart;
    chart.refuse = [&] { steps.warn(QString::fromStdString(ws.texts()(txt::CmdNoMoreCharts))); };
    chart.runTest = steps.runTest;
    examineNextChart(ws.records(), ws.records().chosenOrder(), chart);
}

}  // namespace

TestCommandSteps defaultTestCommandSteps(core::ui::TfrmMain& main, core::Workstation& ws) {
    TestCommandSteps steps;
    steps.warn = [&main, &ws](const QString& text) {
        platform::showMessage(&main, QMessageBox::Warning, main.windowTitle(), text, ws.texts());
    };
    steps.runTest = [&main, &ws](const TestRunSetup& setup) { launchTestWindow(&main, ws, setup); };
    return steps;
}

void launchTestWindow(QWidget* parent, core::Workstation& ws, const TestRunSetup& setup) {
    const device::UnitPortChoice port = device::unitPortFromSettings(ws.settings().list());
    std::unique_ptr<device::SerialLink> link = platform::makeUnitLink(port, [&ws](int id) { return ws.texts()(id); });
    QtTestTimers timers;
    platform::RealtimePriority priority;
    TfrmTest window(ws, *link, timers, priority, setup, parent);
    window.setWindowState(window.windowState() | Qt::WindowFullScreen);
    window.exec();
}

void installTestCommand(core::ui::TfrmMain& main, core::Workstation& workstation, TestCommandSteps steps) {
    main.setCommandHandler(core::Command::RunExam,
                           [&workstation, steps = std::move(steps)] { runTestCommand(workstation, steps); });
}

}  // namespace lumo::recording::ui
