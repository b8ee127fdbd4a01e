#include "authoring/ui/template_commands.h"

#include <filesystem>
#include <memory>
#include <system_error>

#include "authoring/question_editor.h"
#include "authoring/template_chooser.h"
#include "authoring/ui/frm_qst_edit.h"
#include "core/errors.h"
#include "core/main_window_state.h"
#include "core/text_format.h"
#include "core/texts/authoring.h"
#include "core/texts/core.h"
#include "core/ui/main_window.h"
#include "core/workstation.h"
#include "platform/message_box.h"
#include "platform/qt_text.h"

namespace lumo::authoring::ui {

namespace fs = std::filesystem;
using core::Command;
using platform::qs;

namespace {

void fillDefaults(TemplateCommandSteps& steps, core::ui::TfrmMain& main, core::Workstation& ws) {
    if (!steps.editTemplate) {
        steps.editTemplate = [&main, &ws, base = steps.loadFromBase, print = steps.print](QuestionEditor& editor) {
            TfrmQstNew window(editor, ws, base, print, &main);
            return window.exec() == QDialog::Accepted;
        };
    }
    if (!steps.chooseTemplate) {
        steps.chooseTemplate = [&main, &ws, print = steps.print](TemplateChooser& chooser, QuestionEditor& editor) {
            TfrmQstEdit window(chooser, editor, ws, print, &main);
            return window.exec() == QDialog::Accepted;
        };
    }
    if (!steps.confirm) {
        steps.confirm = [&main, &ws](const QString& text) {
            return platform::askYesNo(&main, main.windowTitle(), text, ws.texts());
        };
    }
}

// After a save the strip shows the template with its tab selected.
void showSaved(core::ui::TfrmMain& main, const QuestionEditor& editor) {
    main.state().refreshStatus();
    main.state().selectTemplateNamed(editor.file().filename().string());
}

void newTemplate(core::ui::TfrmMain& main, core::Workstation& ws, const TemplateCommandSteps& steps) {
    QuestionEditor editor(ws);
    const std::optional<TemplateSkeleton> skeleton =
        core::runCommandStep(txt::CmdNoResourcesMethodChooser, [&steps] { return steps.chooseMethod(); });
    if (!skeleton) return;
    editor.setSkeleton(*skeleton);
    if (steps.editTemplate(editor)) showSaved(main, editor);
}

void editTemplates(core::ui::TfrmMain& main, core::Workstation& ws, const TemplateCommandSteps& steps) {
    TemplateChooser chooser(ws);
    QuestionEditor editor(ws);
    std::string saved;
    while (steps.chooseTemplate(chooser, editor)) {
        if (steps.editTemplate(editor)) saved = editor.file().filename().string();
        chooser.refresh();
    }
    if (!saved.empty()) {
        main.state().refreshStatus();
        main.state().selectTemplateNamed(saved);
    }
}

void editSelectedTemplate(core::ui::TfrmMain& main, core::Workstation& ws, const TemplateCommandSteps& steps) {
    const fs::path file = main.state().selectedTemplateFile();
    if (file.empty()) return;
    QuestionEditor editor(ws);
    editor.loadTemplate(file);
    if (steps.editTemplate(editor)) showSaved(main, editor);
}

void deleteTemplate(core::ui::TfrmMain& main, core::Workstation& ws, const TemplateCommandSteps& steps) {
    const fs::path file = main.state().selectedTemplateFile();
    if (file.empty() || !steps.confirm(qs(ws.texts()(txt::CmdDeleteTemplateConfirm)))) return;
    std::error_code error;
    fs::remove(file, error);
    if (error) {
        throw EInOutError(core::formatText(ws.texts()(txt::TplCannotDelete), {file.filename().string()}) + "\n" +
                          error.message());
    }
}

}  // namespace

void installTemplateCommands(core::ui::TfrmMain& main, core::Workstation& workstation, TemplateCommandSteps steps) {
    fillDefaults(steps, main, workstation);
    auto shared = std::make_shared<const TemplateCommandSteps>(std::move(steps));
    if (shared->chooseMethod) {
        main.setCommandHandler(Command::NewTemplate,
                               [&main, &workstation, shared] { newTemplate(main, workstation, *shared); });
    }
    main.setCommandHandler(Command::EditTemplate,
                           [&main, &workstation, shared] { editTemplates(main, workstation, *shared); });
    main.setCommandHandler(Command::EditSelectedTemplate,
                           [&main, &workstation, shared] { editSelectedTemplate(main, workstation, *shared); });
    main.setCommandHandler(Command::DeleteTemplate,
                           [&main, &workstation, shared] { deleteTemplate(main, workstation, *shared); });
}

}  // namespace lumo::authoring::ui
