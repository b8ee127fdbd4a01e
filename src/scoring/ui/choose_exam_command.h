#pragma once

#include <QString>
#include <functional>

namespace lumo::core {
class Workstation;
}
namespace lumo::core::ui {
class TfrmMain;
}

namespace lumo::scoring::ui {

// The steps of the choose exam command that show windows; the defaults run
// the real ones, tests replace them.
struct ChooseExamCommandSteps {
    std::function<void(const QString& text)> inform;  // information box
    std::function<void()> runChooser;                 // the chart chooser
};

// Plugs the main window's choose exam command in: the chart chooser, or
// "Charts not found" and the Results menu reopened on its first item.
void installChooseExamCommand(core::ui::TfrmMain& main, core::Workstation& workstation);
void installChooseExamCommand(core::ui::TfrmMain& main, core::Workstation& workstation,
                              ChooseExamCommandSteps steps);

}  // namespace lumo::scoring::ui
