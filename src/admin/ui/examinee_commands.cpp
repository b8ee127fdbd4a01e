#include "admin/ui/examinee_commands.h"

#include <QMessageBox>
#include <memory>

#include "admin/examinee_commands.h"
#include "admin/ui/frm_subj_edit.h"
#include "admin/ui/frm_subj_new.h"
#include "admin/ui/frm_subjects.h"
#include "core/main_window_state.h"
#include "core/ui/main_window.h"
#include "core/ui/qt_text.h"
#include "core/workstation.h"
#include "platform/message_box.h"

namespace lumo::admin::ui {

using core::ui::qs;

namespace {

ExamineeCommandSteps defaultSteps(core::ui::TfrmMain& main, core::Workstation& ws) {
    ExamineeCommandSteps steps;
    steps.warn = [&main, &ws](const QString& text) {
        platform::showMessage(&main, QMessageBox::Warning, main.windowTitle(), text, ws.texts());
    };
    steps.runChooser = [&main, &ws] {
        TfrmSubjects chooser(ws, &main);
        chooser.exec();
    };
    steps.runNewExaminee = [&main, &ws] {
        TfrmSubjNew dialog(ws, &main);
        dialog.exec();
    };
    steps.runEditor = [&main, &ws] {
        TfrmSubjEdit editor(ws, &main);
        editor.exec();
    };
    return steps;
}

admin::ExamineeCommandSteps engineSteps(core::ui::TfrmMain& main, const ExamineeCommandSteps& steps) {
    admin::ExamineeCommandSteps engine;
    engine.warn = [&steps](const std::string& text) { steps.warn(qs(text)); };
    engine.reopenExamineeMenu = [&main](int downCount) { main.reopenMenu(core::Menu::Examinee, downCount); };
    engine.runChooser = steps.runChooser;
    engine.runNewExaminee = steps.runNewExaminee;
    engine.runEditor = steps.runEditor;
    return engine;
}

}  // namespace

void installExamineeCommands(core::ui::TfrmMain& main, core::Workstation& workstation) {
    installExamineeCommands(main, workstation, defaultSteps(main, workstation));
}

void installExamineeCommands(core::ui::TfrmMain& main, core::Workstation& workstation, ExamineeCommandSteps steps) {
    // The three handlers share the steps.
    const auto shared = std::make_shared<ExamineeCommandSteps>(std::move(steps));
    main.setCommandHandler(core::Command::ChooseExaminee, [&main, &workstation, shared] {
        admin::runChooseExamineeCommand(workstation, engineSteps(main, *shared));
    });
    main.setCommandHandler(core::Command::NewExaminee, [&main, &workstation, shared] {
        admin::runNewExamineeCommand(workstation, engineSteps(main, *shared));
    });
    main.setCommandHandler(core::Command::EditExaminee, [&main, &workstation, shared] {
        admin::runEditExamineeCommand(workstation, engineSteps(main, *shared));
    });
}

}  // namespace lumo::admin::ui
