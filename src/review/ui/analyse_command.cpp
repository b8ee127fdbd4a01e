#include "review/ui/analyse_command.h"

#include <memory>

#include "core/main_window_state.h"
#include "core/ui/main_window.h"
#include "core/workstation.h"
#include "review/chart_files.h"
#include "review/ui/frm_scrl_res.h"

namespace lumo::review::ui {

void installAnalyseCommand(core::ui::TfrmMain& main, core::Workstation& workstation, std::function<void()> quitHelp) {
    AnalyseSteps steps;
    // The folder of the last EDF+ export is offered again for the rest of the run.
    auto exportFolder = std::make_shared<std::filesystem::path>();
    steps.showView = [&main, &workstation, quitHelp = std::move(quitHelp),
                      exportFolder](const std::filesystem::path& chartFile) {
        ScrlResSteps view;
        view.quitHelp = quitHelp;
        view.exportFolder = exportFolder;
        TfrmScrlRes review(workstation, chartFile, std::move(view), &main);
        review.exec();
    };
    installAnalyseCommand(main, workstation, std::move(steps));
}

void installAnalyseCommand(core::ui::TfrmMain& main, core::Workstation& workstation, AnalyseSteps steps) {
    main.setCommandHandler(core::Command::AnalysePolygram, [&workstation, steps = std::move(steps)] {
        if (const auto target = currentReviewChart(workstation.records())) steps.showView(target->chartFile);
    });
}

}  // namespace lumo::review::ui
