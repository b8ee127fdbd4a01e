#include "app/workstation_commands.h"

#include "admin/ui/archive_command.h"
#include "admin/ui/examinee_commands.h"
#include "admin/ui/register_commands.h"
#include "admin/ui/system_parameters_command.h"
#include "app/score_board_bridge.h"
#include "authoring/ui/authoring_commands.h"
#include "core/main_window_state.h"
#include "core/ui/main_window.h"
#include "core/workstation.h"
#include "device/ui/calibrate_command.h"
#include "platform/help_viewer.h"
#include "recording/ui/state_command.h"
#include "recording/ui/test_command.h"
#include "review/ui/analyse_command.h"
#include "review/ui/compare_command.h"
#include "scoring/ui/choose_exam_command.h"
#include "scoring/ui/exam_results_command.h"
#include "scoring/ui/hand_results_command.h"

namespace lumo::app {

void installWorkstationCommands(core::ui::TfrmMain& main, core::Workstation& ws, scoring::ScoringWorkspace& workspace,
                                HelpViewerAccess help, WorkstationCommandSteps steps) {
    if (!steps.runTest) {
        steps.runTest = [&ws](QWidget* parent, const recording::TestRunSetup& setup) {
            recording::ui::launchTestWindow(parent, ws, setup);
        };
    }
    // The Test menu and the exam strip's buttons start the same test window.
    const auto runTest = [&main, runTest = steps.runTest](const recording::TestRunSetup& setup) {
        runTest(&main, setup);
    };

    main.setCommandHandler(core::Command::HelpContents, [open = help.open] { open().openContents(); });
    main.setCommandHandler(core::Command::HelpSearch, [open = help.open] { open().openSearch(); });
    main.setCommandHandler(core::Command::HelpUsing, [open = help.open] { open().openUsingHelp(); });

    admin::ui::installArchiveCommand(main, ws,
                                     admin::ui::defaultArchiveCommandSteps(main, ws, std::move(steps.archiveDrives)));
    admin::ui::installExamineeCommands(main, ws);
    admin::ui::installCrimesCommand(main, ws);
    admin::ui::installOperatorsCommand(main, ws);
    admin::ui::installSystemParametersCommand(main, ws);
    authoring::ui::installAuthoringCommands(main, ws, runTest);
    device::ui::installCalibrateCommand(main, ws);
    recording::ui::installStateCommand(main, ws);
    recording::ui::TestCommandSteps test = recording::ui::defaultTestCommandSteps(main, ws);
    test.runTest = runTest;
    recording::ui::installTestCommand(main, ws, std::move(test));
    review::ui::installAnalyseCommand(main, ws, help.close);
    review::ui::installCompareCommand(main, ws);
    scoring::ui::installChooseExamCommand(main, ws);
    scoring::ui::installHandResultsCommand(main, ws);
    scoring::ui::installExamResultsCommand(main, ws, workspace, scoreBoardOpener(ws, workspace));
}

}  // namespace lumo::app
