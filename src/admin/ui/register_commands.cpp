#include "admin/ui/register_commands.h"

#include "admin/ui/frm_crime_edit.h"
#include "admin/ui/frm_users.h"
#include "core/main_window_state.h"
#include "core/ui/main_window.h"
#include "core/workstation.h"

namespace lumo::admin::ui {

void installCrimesCommand(core::ui::TfrmMain& main, core::Workstation& workstation) {
    installCrimesCommand(main, workstation, {[&main, &workstation] {
                             TfrmCrimeEdit editor(workstation, &main);
                             editor.exec();
                         }});
}

void installCrimesCommand(core::ui::TfrmMain& main, core::Workstation&, CrimesCommandSteps steps) {
    main.setCommandHandler(core::Command::Crimes, [steps = std::move(steps)] { steps.runCrimeEditor(); });
}

void installOperatorsCommand(core::ui::TfrmMain& main, core::Workstation& workstation) {
    installOperatorsCommand(main, workstation, {[&main, &workstation] {
                                TfrmUsers dialog(workstation, &main);
                                dialog.exec();
                            }});
}

void installOperatorsCommand(core::ui::TfrmMain& main, core::Workstation&, OperatorsCommandSteps steps) {
    main.setCommandHandler(core::Command::Operators, [steps = std::move(steps)] { steps.runOperatorDialog(); });
}

}  // namespace lumo::admin::ui
