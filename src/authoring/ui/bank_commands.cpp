#include "authoring/ui/bank_commands.h"

#include "authoring/ui/frm_add_base.h"
#include "authoring/ui/frm_bank_edit.h"
#include "core/main_window_state.h"
#include "core/paths.h"
#include "core/question_set.h"
#include "core/ui/main_window.h"
#include "core/workstation.h"

namespace lumo::authoring::ui {

std::filesystem::path bankFolder(const core::Workstation& workstation) {
    return core::resolvePath(workstation.home(), "BNK");
}

void installQuestionBaseCommand(core::ui::TfrmMain& main, core::Workstation& workstation) {
    QuestionBaseSteps steps;
    steps.runManager = [&main, &workstation](const std::filesystem::path& folder) {
        TfrmBankEdit manager(folder, workstation.texts(), systemLocalTime, &main);
        manager.exec();
    };
    installQuestionBaseCommand(main, workstation, std::move(steps));
}

void installQuestionBaseCommand(core::ui::TfrmMain& main, core::Workstation& workstation, QuestionBaseSteps steps) {
    main.setCommandHandler(core::Command::QuestionBase, [&workstation, steps = std::move(steps)] {
        steps.runManager(bankFolder(workstation));
    });
}

std::optional<std::vector<std::string>> chooseFromBase(QWidget* parent, core::Workstation& workstation,
                                                       const std::vector<std::string>& templateLines) {
    TfrmAddBase chooser(bankFolder(workstation), workstation.texts(), core::QuestionTypes(workstation.settings()),
                        templateLines, parent);
    if (chooser.exec() != QDialog::Accepted) return std::nullopt;
    return chooser.templateLines();
}

}  // namespace lumo::authoring::ui
