#pragma once

namespace lumo::core {
class Workstation;
}
namespace lumo::core::ui {
class TfrmMain;
}

namespace lumo::device::ui {

// Plugs the main window's Calibrate command in: the calibration window, modal.
void installCalibrateCommand(core::ui::TfrmMain& main, core::Workstation& workstation);

}  // namespace lumo::device::ui
