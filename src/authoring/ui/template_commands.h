#pragma once

#include <functional>
#include <optional>

#include "authoring/question_row.h"
#include "authoring/ui/frm_qst_new.h"

namespace lumo::core {
class Workstation;
}
namespace lumo::core::ui {
class TfrmMain;
}
namespace lumo::authoring {
class QuestionEditor;
class TemplateChooser;
}  // namespace lumo::authoring

namespace lumo::authoring::ui {

// The steps of the template commands that show windows. The first three
// have no default (their windows live elsewhere): without `chooseMethod`
// "New template" stays disabled, without the others their buttons do. The
// rest default to the real windows; tests replace them.
struct TemplateCommandSteps {
    // The method chooser: the skeleton of a new template, nullopt on Cancel.
    std::function<std::optional<TemplateSkeleton>()> chooseMethod;
    LoadFromBaseFunction loadFromBase;
    PrintFunction print;

    // The question editor on the editor's template; true when it was saved.
    std::function<bool(QuestionEditor& editor)> editTemplate;
    // The template chooser; true when it loaded a template into the editor.
    std::function<bool(TemplateChooser& chooser, QuestionEditor& editor)> chooseTemplate;
    // Yes/No questions of the main window.
    std::function<bool(const QString& text)> confirm;
};

// Plugs in New template, Edit template and the template strip's
// sbQstEditTemplates and sbQstDelTemplates.
void installTemplateCommands(core::ui::TfrmMain& main, core::Workstation& workstation, TemplateCommandSteps steps);

}  // namespace lumo::authoring::ui
