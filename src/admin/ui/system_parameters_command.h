#pragma once

#include <functional>

namespace lumo::core {
class SettingsList;
class Workstation;
}
namespace lumo::core::ui {
class TfrmMain;
}

namespace lumo::admin::ui {

// The step of the system parameters command that shows the dialog on the
// working copy; true on OK. The default runs TfrmSystemFile, tests replace it.
struct SystemParametersCommandSteps {
    std::function<bool(core::SettingsList& copy)> runDialog;
};

// Plugs the main window's System parameters command in: the dialog on a copy
// of the settings; on OK the copy replaces them, they are saved and loaded
// again and the main window repeats its language setup.
void installSystemParametersCommand(core::ui::TfrmMain& main, core::Workstation& workstation);
void installSystemParametersCommand(core::ui::TfrmMain& main, core::Workstation& workstation,
                                    SystemParametersCommandSteps steps);

}  // namespace lumo::admin::ui
