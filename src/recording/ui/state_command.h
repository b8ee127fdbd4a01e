#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "recording/state_estimate.h"

namespace lumo::core {
class Workstation;
}
namespace lumo::core::ui {
class TfrmMain;
}

namespace lumo::recording::ui {

// The steps of the State command that show windows; the defaults run the real
// ones, tests replace them.
struct StateCommandSteps {
    // Opens the unit's link and runs the state window modally: the statistics
    // when it ended with OK.
    std::function<std::optional<StateStatistics>()> runState;
    // The summary window, modally.
    std::function<void(const StateStatistics& statistics)> runSummary;
    // The error box of the summary, which has a message of its own.
    std::function<void(const QString& text)> showError;
};

// Plugs the main window's State command in: the state estimate window and,
// when it ends with OK, the summary of its statistics.
void installStateCommand(core::ui::TfrmMain& main, core::Workstation& workstation);
void installStateCommand(core::ui::TfrmMain& main, core::Workstation& workstation, StateCommandSteps steps);

}  // namespace lumo::recording::ui
