#pragma once

#include <filesystem>
#include <functional>

namespace lumo::core {
class Workstation;
}
namespace lumo::core::ui {
class TfrmMain;
}

namespace lumo::scoring::ui {

// The window the hand exam results command shows; the default runs the real
// one modally, tests replace it.
struct HandResultsSteps {
    std::function<void(const std::filesystem::path& stem)> showView;
};

// Plugs the main window's hand exam results command in: the hand-score view
// of the current exam. A failure while opening reaches the main window's
// error box with the command's message.
void installHandResultsCommand(core::ui::TfrmMain& main, core::Workstation& workstation);
void installHandResultsCommand(core::ui::TfrmMain& main, core::Workstation& workstation, HandResultsSteps steps);

}  // namespace lumo::scoring::ui
