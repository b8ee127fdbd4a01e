#include "scoring/ui/choose_exam_command.h"

#include <algorithm>

#include "core/main_window_state.h"
#include "core/ui/main_window.h"
#include "core/ui/qt_text.h"
#include "core/workstation.h"
#include "platform/message_box.h"
#include "scoring/chart_choice.h"
#include "scoring/ui/frm_choose_chart.h"

namespace lumo::scoring::ui {

using core::ui::qs;

namespace {

ChooseExamCommandSteps defaultSteps(core::ui::TfrmMain& main, core::Workstation& ws) {
    ChooseExamCommandSteps steps;
    steps.inform = [&main, &ws](const QString& text) {
        platform::showMessage(&main, QMessageBox::Information, main.windowTitle(), text, ws.texts());
    };
    steps.runChooser = [&main, &ws] {
        TfrmChooseChart chooser(ws, &main);
        if (chooser.fill()) chooser.exec();
    };
    return steps;
}

// The choose exam item's place in the Results menu.
int chooseExamItemIndex() {
    const auto items = core::MainWindowState::menuItems(core::Menu::Results);
    const auto at = std::find(items.begin(), items.end(), core::Command::ChooseExam);
    return at == items.end() ? 0 : static_cast<int>(at - items.begin());
}

}  // namespace

void installChooseExamCommand(core::ui::TfrmMain& main, core::Workstation& workstation) {
    installChooseExamCommand(main, workstation, defaultSteps(main, workstation));
}

void installChooseExamCommand(core::ui::TfrmMain& main, core::Workstation& workstation,
                              ChooseExamCommandSteps steps) {
    main.setCommandHandler(core::Command::ChooseExam, [&main, &workstation, steps = std::move(steps)] {
        ChooseExamSteps command;
        command.inform = [&steps](const std::string& text) { steps.inform(qs(text)); };
        // The frame refreshes the status after the handler; the menu opens on top of it.
        command.nothingToChoose = [&main] { main.reopenMenu(core::Menu::Results, chooseExamItemIndex()); };
        command.runChooser = steps.runChooser;
        runChooseExamCommand(workstation, command);
    });
}

}  // namespace lumo::scoring::ui
