#include "scoring/ui/exam_results_command.h"

#include <QMessageBox>

#include "core/main_window_state.h"
#include "core/ui/main_window.h"
#include "core/ui/qt_text.h"
#include "core/workstation.h"
#include "platform/message_box.h"
#include "scoring/exam_results.h"

namespace lumo::scoring::ui {

using core::ui::qs;

void installExamResultsCommand(core::ui::TfrmMain& main, core::Workstation& workstation, ScoringWorkspace& workspace,
                               ScoreBoardOpener openScoreBoard) {
    ExamResultsCommandSteps steps;
    steps.warn = [&main, &workstation](const QString& text) {
        platform::showMessage(&main, QMessageBox::Warning, main.windowTitle(), text, workstation.texts());
    };
    steps.error = [&main, &workstation](const QString& text) {
        platform::showMessage(&main, QMessageBox::Critical, main.windowTitle(), text, workstation.texts());
    };
    steps.runEditor = [](TfrmEdit& editor) {
        editor.setWindowState(editor.windowState() | Qt::WindowMaximized);
        editor.exec();
    };
    installExamResultsCommand(main, workstation, workspace, std::move(openScoreBoard), std::move(steps));
}

void installExamResultsCommand(core::ui::TfrmMain& main, core::Workstation& workstation, ScoringWorkspace& workspace,
                               ScoreBoardOpener openScoreBoard, ExamResultsCommandSteps steps) {
    main.setCommandHandler(core::Command::ExamResults, [&main, &workstation, &workspace,
                                                        openScoreBoard = std::move(openScoreBoard),
                                                        steps = std::move(steps)] {
        ExamResultsSteps command;
        command.warn = [&steps](const std::string& text) { steps.warn(qs(text)); };
        command.error = [&steps](const std::string& text) { steps.error(qs(text)); };
        command.runEditor = [&](const ExamFiles& files) {
            TfrmEdit editor(workstation, workspace, files, openScoreBoard, &main);
            if (editor.start()) steps.runEditor(editor);
        };
        runExamResultsCommand(workstation, workspace, command);
    });
}

}  // namespace lumo::scoring::ui
