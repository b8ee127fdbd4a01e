#pragma once

#include <functional>

#include "recording/test_run.h"

namespace lumo::core {
class Workstation;
}
namespace lumo::core::ui {
class TfrmMain;
}

namespace lumo::authoring::ui {

// Plugs every authoring command into the main window (templates, the
// question base, exams and question orders) and joins their windows: the
// method chooser feeds New template, the base chooser serves Load from Base,
// the exam editor serves the exam commands, and all of them print question
// lists on the printer of the system parameters. `runTest` runs the test
// window the Test menu and the order chooser start.
void installAuthoringCommands(core::ui::TfrmMain& main, core::Workstation& workstation,
                              std::function<void(const recording::TestRunSetup& setup)> runTest);

}  // namespace lumo::authoring::ui
