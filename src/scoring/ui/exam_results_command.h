#pragma once

#include <QString>
#include <functional>

#include "scoring/scoring_run.h"
#include "scoring/ui/frm_edit.h"

namespace lumo::core {
class Workstation;
}
namespace lumo::core::ui {
class TfrmMain;
}

namespace lumo::scoring::ui {

// The boxes of the scoring run and the chart editor's run; the defaults show
// the real ones modally, tests replace them.
struct ExamResultsCommandSteps {
    std::function<void(const QString& text)> warn;
    std::function<void(const QString& text)> error;
    // Shows the started editor (the default runs it modally, full screen).
    std::function<void(TfrmEdit& editor)> runEditor;
};

// Plugs the main window's exam results command in: the scoring run of the
// current exam into `workspace`, then the chart editor, from which the
// results window and the score board (through `openScoreBoard`) follow.
void installExamResultsCommand(core::ui::TfrmMain& main, core::Workstation& workstation, ScoringWorkspace& workspace,
                               ScoreBoardOpener openScoreBoard);
void installExamResultsCommand(core::ui::TfrmMain& main, core::Workstation& workstation, ScoringWorkspace& workspace,
                               ScoreBoardOpener openScoreBoard, ExamResultsCommandSteps steps);

}  // namespace lumo::scoring::ui
