#include "admin/ui/system_parameters_command.h"

#include "admin/system_parameters.h"
#include "admin/ui/frm_system_file.h"
#include "core/main_window_state.h"
#include "core/settings_list.h"
#include "core/ui/main_window.h"
#include "core/workstation.h"

namespace lumo::admin::ui {

void installSystemParametersCommand(core::ui::TfrmMain& main, core::Workstation& workstation) {
    SystemParametersCommandSteps steps;
    steps.runDialog = [&main, &workstation](core::SettingsList& copy) {
        TfrmSystemFile dialog(workstation, copy, &main);
        return dialog.exec() == QDialog::Accepted;
    };
    installSystemParametersCommand(main, workstation, std::move(steps));
}

void installSystemParametersCommand(core::ui::TfrmMain& main, core::Workstation& workstation,
                                    SystemParametersCommandSteps steps) {
    // The frame reports any error with the command's message and refreshes the status.
    main.setCommandHandler(core::Command::SystemParameters, [&main, &workstation, steps = std::move(steps)] {
        core::SettingsList copy = workstation.settings().list();
        if (!steps.runDialog(copy)) return;
        applySystemParameters(workstation.settings(), copy);
        main.applyLanguage();
    });
}

}  // namespace lumo::admin::ui
