#include "device/ui/calibrate_command.h"

#include "core/main_window_state.h"
#include "core/ui/main_window.h"
#include "device/ui/calibrate_window.h"

namespace lumo::device::ui {

void installCalibrateCommand(core::ui::TfrmMain& main, core::Workstation& workstation) {
    main.setCommandHandler(core::Command::Calibrate, [&main, &workstation] {
        TfrmCalibrate window(workstation, &main);
        window.exec();
    });
}

}  // namespace lumo::device::ui
