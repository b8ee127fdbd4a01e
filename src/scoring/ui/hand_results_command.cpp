#include "scoring/ui/hand_results_command.h"

#include "core/main_window_state.h"
#include "core/ui/main_window.h"
#include "core/workstation.h"
#include "scoring/hand_score_exam.h"
#include "scoring/ui/frm_qt_view.h"

namespace lumo::scoring::ui {

void installHandResultsCommand(core::ui::TfrmMain& main, core::Workstation& workstation) {
    HandResultsSteps steps;
    steps.showView = [&main, &workstation](const std::filesystem::path& stem) {
        TfrmQtView view(workstation, stem, &main);
        view.exec();
    };
    installHandResultsCommand(main, workstation, std::move(steps));
}

void installHandResultsCommand(core::ui::TfrmMain& main, core::Workstation& workstation, HandResultsSteps steps) {
    main.setCommandHandler(core::Command::HandResults, [&workstation, steps = std::move(steps)] {
        const std::filesystem::path stem = handResultsStem(workstation.records());
        if (!stem.empty()) steps.showView(stem);
    });
}

}  // namespace lumo::scoring::ui
