#pragma once

#include <QString>
#include <functional>

class QWidget;

#include "recording/test_run.h"

namespace lumo::core {
class Workstation;
}
namespace lumo::core::ui {
class TfrmMain;
}

namespace lumo::recording::ui {

// The steps of the examine command that show windows; the defaults run the
// real ones, tests replace them.
struct TestCommandSteps {
    std::function<void(const QString& text)> warn;
    // Opens the unit's link and runs the test window modally.
    std::function<void(const TestRunSetup& setup)> runTest;
};

// The real steps: warnings in a message box over the main window, and
// launchTestWindow.
TestCommandSteps defaultTestCommandSteps(core::ui::TfrmMain& main, core::Workstation& workstation);

// Opens the unit's link and runs the test window modally, full screen: the
// one launch of the test for every command that starts one.
void launchTestWindow(QWidget* parent, core::Workstation& workstation, const TestRunSetup& setup);

// Plugs the exam strip's examine command (sbTestExams) in: the test window for
// the selected exam's next chart (examineNextChart) in the chosen question order.
void installTestCommand(core::ui::TfrmMain& main, core::Workstation& workstation, TestCommandSteps steps);

}  // namespace lumo::recording::ui
