#pragma once

#include <functional>
#include <vector>

#include "admin/archive_folders.h"
#include "recording/test_run.h"

namespace lumo::core::ui {
class TfrmMain;
}
namespace lumo::core {
class Workstation;
}
namespace lumo::platform {
class HelpViewer;
}
namespace lumo::scoring {
class ScoringWorkspace;
}
class QWidget;

namespace lumo::app {

// The one help window of the run: made on first use, closed with the windows
// whose closing ends the help.
struct HelpViewerAccess {
    std::function<platform::HelpViewer&()> open;
    std::function<void()> close;
};

// The steps of the workstation's commands that reach outside the program.
// An empty step is the real one: the unit named in the settings on the
// window's timers, and this machine's drives.
struct WorkstationCommandSteps {
    // Opens the unit's link and runs the test window modally over `parent`.
    std::function<void(QWidget* parent, const recording::TestRunSetup& setup)> runTest;
    // The drives the archive's folder chooser offers.
    std::function<std::vector<admin::ArchiveDrive>()> archiveDrives;
};

// Plugs every command of the main window in, so that the program and the
// whole-road test wire exactly the same windows.
void installWorkstationCommands(core::ui::TfrmMain& main, core::Workstation& ws, scoring::ScoringWorkspace& workspace,
                                HelpViewerAccess help, WorkstationCommandSteps steps = {});

}  // namespace lumo::app
