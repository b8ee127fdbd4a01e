#include "recording/ui/test_command.h"

#include <QMessageBox>
#include <memory>

#include "core/exam_list.h"
#include "core/main_window_state.h"
#include "core/paths.h"
#include "core/texts/core.h"
#include "core/ui/main_window.h"
#include "core/workstation.h"
#include "device/serial_link.h"
#include "platform/realtime_priority.h"
#include "platform/serial_ports.h"
#include "recording/ui/frm_test.h"
#include "recording/ui/qt_test_timers.h"

namespace lumo::recording::ui {

namespace {

TestCommandSteps defaultSteps(core::ui::TfrmMain& main, core::Workstation& ws) {
    TestCommandSteps steps;
    steps.warn = [&main](const QString& text) { QMessageBox::warning(&main, main.windowTitle(), text); };
    steps.runTest = [&main, &ws](const TestRunSetup& setup) {
        const device::UnitPortChoice port = device::unitPortFromSettings(ws.settings().list());
        std::unique_ptr<device::SerialLink> link =
            platform::makeUnitLink(port, [&ws](int id) { return ws.texts()(id); });
        QtTestTimers timers;
        platform::RealtimePriority priority;
        TfrmTest window(ws, *link, timers, priority, setup, &main);
        window.setWindowState(window.windowState() | Qt::WindowFullScreen);
        window.exec();
    };
    return steps;
}

void runTestCommand(core::Workstation& ws, const TestCommandSteps& steps) {
    core::Records& records = ws.records();
    core::CurrentExaminee& current = records.current();
    const core::TExam* exam = current.currentExam();
    if (!current.isSet() || exam == nullptr) return;
    const int chart = exam->chartCount + 1;
    if (chart >= 10) {
        current.chart = 9;
        steps.warn(QString::fromStdString(ws.texts()(txt::CmdNoMoreCharts)));
        return;
    }
    current.chart = chart;
    TestRunSetup setup;
    const std::filesystem::path folder = records.examineeFolder(current.record.fileCode);
    setup.examFile = core::resolvePath(folder, core::examFileName(current.examNumber));
    setup.sequence = kDefaultSequence;
    setup.chart = chart;
    const core::TSubj subject = current.record;
    try {
        steps.runTest(setup);
    } catch (...) {
        records.makeCurrent(subject);
        throw;
    }
    // The test may have added a chart: the exams are read afresh.
    records.makeCurrent(subject);
}

}  // namespace

void installTestCommand(core::ui::TfrmMain& main, core::Workstation& workstation) {
    installTestCommand(main, workstation, defaultSteps(main, workstation));
}

void installTestCommand(core::ui::TfrmMain& main, core::Workstation& workstation, TestCommandSteps steps) {
    main.setCommandHandler(core::Command::RunExam,
                           [&workstation, steps = std::move(steps)] { runTestCommand(workstation, steps); });
}

}  // namespace lumo::recording::ui
