#pragma once

#include <filesystem>
#include <functional>

namespace lumo::core {
class Workstation;
}
namespace lumo::core::ui {
class TfrmMain;
}

namespace lumo::review::ui {

// The window the Analyse polygram command shows; the default runs the
// scrolling review modally, tests replace it.
struct AnalyseSteps {
    std::function<void(const std::filesystem::path& chartFile)> showView;
};

// Plugs the main window's Analyse polygram command in (the Results item and
// the chart strip's sbScrollRes): the scrolling review of the current chart.
// A failure while opening reaches the main window's error box with the
// command's message. `quitHelp` tells the help viewer to quit when the
// review closes.
void installAnalyseCommand(core::ui::TfrmMain& main, core::Workstation& workstation,
                           std::function<void()> quitHelp = {});
void installAnalyseCommand(core::ui::TfrmMain& main, core::Workstation& workstation, AnalyseSteps steps);

}  // namespace lumo::review::ui
