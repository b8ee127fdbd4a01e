#pragma once

#include <QString>
#include <functional>

namespace lumo::core {
class Workstation;
}
namespace lumo::core::ui {
class TfrmMain;
}

namespace lumo::admin::ui {

// The steps of the three examinee commands that show windows; the defaults
// run the real ones, tests replace them.
struct ExamineeCommandSteps {
    std::function<void(const QString& text)> warn;
    std::function<void()> runChooser;
    std::function<void()> runNewExaminee;
    std::function<void()> runEditor;
};

// Plugs Choose / delete examinee, New examinee and Edit examinee into the
// main window; a refused command reopens the Examinee menu on its item.
void installExamineeCommands(core::ui::TfrmMain& main, core::Workstation& workstation);
void installExamineeCommands(core::ui::TfrmMain& main, core::Workstation& workstation, ExamineeCommandSteps steps);

}  // namespace lumo::admin::ui
