#pragma once

#include <QString>
#include <filesystem>
#include <functional>
#include <optional>

#include "recording/test_run.h"

class QDialog;
class QWidget;

namespace lumo::core {
class Workstation;
}
namespace lumo::core::ui {
class TfrmMain;
}

namespace lumo::authoring::ui {

class TfrmTestOrder;

// The steps of the exam commands that show windows. defaultExamCommandSteps
// gives the real ones for all but the exam editor.
struct ExamCommandSteps {
    // The exam editor (parent, exam file, structure mode): true when it saved.
    // No default: while it is empty, Prepare to exam, Edit exam and the
    // chooser's Create and Edit buttons stay disabled.
    std::function<bool(QWidget* parent, const std::filesystem::path& examFile, bool structureMode)> editExam;
    // The test window (launchTestWindow).
    std::function<void(const recording::TestRunSetup& setup)> runTest;
    // Runs the exam chooser, the order dialog or the name box modally.
    std::function<int(QDialog& dialog)> execDialog;
    // The input box (title, prompt, proposal); nothing when cancelled.
    std::function<std::optional<QString>(const QString& title, const QString& prompt, const QString& proposal)> askText;
    std::function<bool(const QString& text)> confirm;  // Yes/No
    std::function<void(const QString& text)> warn;
    std::function<void(const QString& text)> inform;
    std::function<void(const QString& text)> error;
};

ExamCommandSteps defaultExamCommandSteps(core::ui::TfrmMain& main, core::Workstation& workstation);

// Plugs in Prepare to exam (sbQst2Test), Edit exam, Edit and Choose question
// order, Delete exam, Convert to template and the Test menu, and makes the
// question order dialog that serves them for the whole run (the main window
// owns it). The exam strip's selection points that dialog at the exam and
// resets the chosen order to 1. The examine button (sbTestExams) is the test
// command's; it reads the same chosen order.
TfrmTestOrder& installExamCommands(core::ui::TfrmMain& main, core::Workstation& workstation, ExamCommandSteps steps);

}  // namespace lumo::authoring::ui
