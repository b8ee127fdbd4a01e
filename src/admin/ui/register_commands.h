#pragma once

#include <functional>

namespace lumo::core {
class Workstation;
}
namespace lumo::core::ui {
class TfrmMain;
}

namespace lumo::admin::ui {

// The steps of the Crimes and Operators commands that show windows; the
// defaults run the real dialogs, tests replace them.
struct CrimesCommandSteps {
    std::function<void()> runCrimeEditor;
};
struct OperatorsCommandSteps {
    std::function<void()> runOperatorDialog;
};

// Plugs the main window's Crimes command in: the crime list editor, which
// changes the settings in memory only (they reach the file at the next save).
void installCrimesCommand(core::ui::TfrmMain& main, core::Workstation& workstation);
void installCrimesCommand(core::ui::TfrmMain& main, core::Workstation& workstation, CrimesCommandSteps steps);

// Plugs the main window's Operators command in: the operator dialog.
void installOperatorsCommand(core::ui::TfrmMain& main, core::Workstation& workstation);
void installOperatorsCommand(core::ui::TfrmMain& main, core::Workstation& workstation, OperatorsCommandSteps steps);

}  // namespace lumo::admin::ui
