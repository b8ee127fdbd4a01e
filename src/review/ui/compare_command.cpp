#include "review/ui/compare_command.h"

#include "core/main_window_state.h"
#include "core/ui/main_window.h"
#include "core/workstation.h"
#include "review/ui/frm_scrl_par.h"

namespace lumo::review::ui {

void installCompareCommand(core::ui::TfrmMain& main, core::Workstation& workstation) {
    CompareSteps steps;
    steps.showView = [&main, &workstation](const ReviewTarget& target) {
        TfrmScrlPar view(workstation, target, &main);
        view.exec();
    };
    installCompareCommand(main, workstation, std::move(steps));
}

void installCompareCommand(core::ui::TfrmMain& main, core::Workstation& workstation, CompareSteps steps) {
    main.setCommandHandler(core::Command::ComparePolygrams, [&workstation, steps = std::move(steps)] {
        if (const auto target = currentReviewChart(workstation.records())) steps.showView(*target);
    });
}

}  // namespace lumo::review::ui
