#pragma once

#include <functional>
#include <string>

namespace lumo::core {
class Workstation;
}

namespace lumo::admin {

// What the three examinee commands show; the wiring gives the real windows,
// tests answer them.
struct ExamineeCommandSteps {
    std::function<void(const std::string& text)> warn;
    // Reopens the Examinee menu with the item `downCount` places below its first one active.
    std::function<void(int downCount)> reopenExamineeMenu;
    std::function<void()> runChooser;       // the chosen examinee is made current by the chooser
    std::function<void()> runNewExaminee;   // a created examinee is current afterwards
    std::function<void()> runEditor;
};

// Choose / delete examinee: with nobody registered a warning and the menu again.
void runChooseExamineeCommand(core::Workstation& workstation, const ExamineeCommandSteps& steps);
// New examinee: at MaxSubj examinees a warning and the menu again.
void runNewExamineeCommand(core::Workstation& workstation, const ExamineeCommandSteps& steps);
// Edit examinee: the editor, then the current examinee's record and exams read again.
void runEditExamineeCommand(core::Workstation& workstation, const ExamineeCommandSteps& steps);

}  // namespace lumo::admin
