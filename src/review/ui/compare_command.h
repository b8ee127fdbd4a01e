#pragma once

#include <functional>

#include "review/chart_files.h"

namespace lumo::core {
class Workstation;
}
namespace lumo::core::ui {
class TfrmMain;
}

namespace lumo::review::ui {

// The window the compare polygrams command shows; the default runs the
// parameter scroll view modally, tests replace it.
struct CompareSteps {
    std::function<void(const ReviewTarget& target)> showView;
};

// Plugs the main window's compare polygrams command in (the Results item and
// the chart strip's sbScrollPar): the parameter scroll view of the current
// chart. A failure while opening reaches the main window's error box with
// the command's message.
void installCompareCommand(core::ui::TfrmMain& main, core::Workstation& workstation);
void installCompareCommand(core::ui::TfrmMain& main, core::Workstation& workstation, CompareSteps steps);

}  // namespace lumo::review::ui
