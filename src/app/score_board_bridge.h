#pragma once

#include "recording/score_board.h"
#include "scoring/ui/frm_edit.h"

namespace lumo::core {
class Settings;
class Workstation;
}  // namespace lumo::core
namespace lumo::scoring {
class ScoringWorkspace;
}

namespace lumo::app {

// The score board of kept row `row` of chart `chart`, from the scoring
// workspace: the row's stress marks of features 1 ... 12, the feature titles
// and missing-value texts of the language, breathing rate (feature 2), pulse
// rate (feature 8) and the mean skin resistance reading. The chart editor and
// the score board do not know each other; the program joins them here.
recording::ScoreBoardInput scoreBoardInput(const scoring::ScoringWorkspace& workspace, const core::Settings& settings,
                                           int row, int chart);

// The chart editor's way to the score board.
scoring::ui::ScoreBoardOpener scoreBoardOpener(core::Workstation& workstation,
                                               const scoring::ScoringWorkspace& workspace);

}  // namespace lumo::app
