#include "authoring/ui/authoring_commands.h"

#include <QApplication>

#include "authoring/ui/bank_commands.h"
#include "authoring/ui/exam_commands.h"
#include "authoring/ui/frm_exam_edit.h"
#include "authoring/ui/frm_method.h"
#include "authoring/ui/question_list_printing.h"
#include "authoring/ui/template_commands.h"
#include "core/ui/main_window.h"
#include "core/workstation.h"

namespace lumo::authoring::ui {

namespace {

// The window a dialog opened from inside another one belongs to.
QWidget* activeParent(QWidget& fallback) {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return &fallback;
}

}  // namespace

void installAuthoringCommands(core::ui::TfrmMain& main, core::Workstation& workstation,
                              std::function<void(const recording::TestRunSetup& setup)> runTest) {
    const PrintFunction print = [&workstation](QWidget* parent, const std::string& heading,
                                               const std::vector<std::string>& lines) {
        printQuestionList(parent, workstation, heading, lines);
    };

    TemplateCommandSteps templates;
    templates.chooseMethod = [&main, &workstation] { return chooseMethod(activeParent(main), workstation); };
    templates.loadFromBase = [&main, &workstation](const std::vector<std::string>& lines) {
        return chooseFromBase(activeParent(main), workstation, lines);
    };
    templates.print = print;
    installTemplateCommands(main, workstation, std::move(templates));

    installQuestionBaseCommand(main, workstation);

    ExamCommandSteps exams = defaultExamCommandSteps(main, workstation);
    exams.runTest = std::move(runTest);
    exams.editExam = [&workstation, print](QWidget* parent, const std::filesystem::path& examFile, bool structureMode) {
        return editExam(parent, workstation, examFile, structureMode, ExamEditorHooks{print});
    };
    installExamCommands(main, workstation, std::move(exams));
}

}  // namespace lumo::authoring::ui
