#include "app/score_board_bridge.h"

#include <string>

#include "core/settings.h"
#include "core/workstation.h"
#include "recording/ui/frm_tablo.h"
#include "scoring/workspace.h"

namespace lumo::app {

recording::ScoreBoardInput scoreBoardInput(const scoring::ScoringWorkspace& workspace, const core::Settings& settings,
                                           int row, int chart) {
    recording::ScoreBoardInput input;
    input.selection = std::to_string(row) + "*" + std::to_string(chart);
    for (int feature = 1; feature <= recording::kBoardFeatures; ++feature) {
        const auto index = static_cast<std::size_t>(feature - 1);
        input.marks[index] = workspace.stressMarks()(chart, row, feature);
        input.titles[index] = settings.parameterName(feature);
    }
    for (int k = 0; k < core::kErrorMessageCount; ++k) {
        input.errorMessages[static_cast<std::size_t>(k)] = settings.errorMessage(k);
    }
    input.breathRate = workspace.features()(chart, row, 2);
    input.pulseRate = workspace.features()(chart, row, 8);
    input.meanResistance = workspace.row(chart, row).meanReading;
    return input;
}

scoring::ui::ScoreBoardOpener scoreBoardOpener(core::Workstation& workstation,
                                               const scoring::ScoringWorkspace& workspace) {
    return [&workstation, &workspace](QWidget* parent, int row, int chart) {
        recording::ui::showScoreBoard(parent, workstation, scoreBoardInput(workspace, workstation.settings(), row, chart));
    };
}

}  // namespace lumo::app
