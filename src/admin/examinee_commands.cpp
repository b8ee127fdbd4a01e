#include "admin/examinee_commands.h"

#include <algorithm>

#include "core/main_window_state.h"
#include "core/texts/core.h"
#include "core/workstation.h"

namespace lumo::admin {

namespace {

int examineeItemIndex(core::Command command) {
    const auto items = core::MainWindowState::menuItems(core::Menu::Examinee);
    const auto at = std::find(items.begin(), items.end(), command);
    return at == items.end() ? 0 : static_cast<int>(at - items.begin());
}

}  // namespace

void runChooseExamineeCommand(core::Workstation& workstation, const ExamineeCommandSteps& steps) {
    if (workstation.records().examinees().empty()) {
        steps.warn(workstation.texts()(txt::CmdNoExamineesToChoose));
        steps.reopenExamineeMenu(examineeItemIndex(core::Command::ChooseExaminee));
        return;
    }
    steps.runChooser();
}

void runNewExamineeCommand(core::Workstation& workstation, const ExamineeCommandSteps& steps) {
    const int limit = workstation.settings().list().integer("MaxSubj");
    if (static_cast<int>(workstation.records().examinees().size()) >= limit) {
        steps.warn(workstation.texts()(txt::CmdExamineeLimit));
        steps.reopenExamineeMenu(examineeItemIndex(core::Command::NewExaminee));
        return;
    }
    steps.runNewExaminee();
}

void runEditExamineeCommand(core::Workstation& workstation, const ExamineeCommandSteps& steps) {
    steps.runEditor();
    core::Records& records = workstation.records();
    if (!records.current().isSet()) return;
    const int position = records.examinees().indexOf(records.current().record.fileCode);
    records.makeCurrent(position >= 0 ? records.examinees().at(static_cast<std::size_t>(position))
                                      : records.current().record);
}

}  // namespace lumo::admin
