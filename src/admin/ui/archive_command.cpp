#include "admin/ui/archive_command.h"

#include <algorithm>

#include "admin/archive_command.h"
#include "admin/ui/archive_folder_window.h"
#include "admin/ui/archive_window.h"
#include "core/main_window_state.h"
#include "core/ui/main_window.h"
#include "core/ui/qt_text.h"
#include "core/workstation.h"
#include "platform/message_box.h"

namespace lumo::admin::ui {

using core::ui::qs;

namespace {

// The archive item's place in the Examinee menu.
int archiveItemIndex() {
    const auto items = core::MainWindowState::menuItems(core::Menu::Examinee);
    const auto at = std::find(items.begin(), items.end(), core::Command::ArchiveExaminee);
    return at == items.end() ? 0 : static_cast<int>(at - items.begin());
}

void runArchiveCommand(core::ui::TfrmMain& main, core::Workstation& ws, const ArchiveCommandSteps& steps) {
    admin::ArchiveCommandSteps command;
    command.confirm = [&steps](const std::string& text) { return steps.confirm(qs(text)); };
    command.declined = [&main] { main.reopenMenu(core::Menu::Examinee, archiveItemIndex()); };
    command.chooseFolder = steps.chooseFolder;
    command.runArchiver = steps.runArchiver;
    admin::runArchiveCommand(ws, command);
}

}  // namespace

ArchiveCommandSteps defaultArchiveCommandSteps(core::ui::TfrmMain& main, core::Workstation& ws, ArchiveDriveList drives) {
    if (!drives) drives = [&ws] { return listArchiveDrives(systemMountSources(), ws.texts()); };
    ArchiveCommandSteps steps;
    steps.confirm = [&main, &ws](const QString& text) {
        return platform::askYesNo(&main, main.windowTitle(), text, ws.texts());
    };
    steps.chooseFolder = [&main, &ws, drives = std::move(drives)](const core::TSubj& subject) -> std::optional<ArchiveTarget> {
        TfrmArchDir chooser(ws, subject, drives(), &main);
        if (chooser.exec() != QDialog::Accepted) return std::nullopt;
        return ArchiveTarget{chooser.driveLetter(), chooser.target()};
    };
    steps.runArchiver = [&main, &ws](const core::TSubj& subject, const ArchiveTarget& target) {
        TfrmArchive archiver(ws, subject, target.driveLetter, target.folder, &main);
        archiver.exec();
    };
    return steps;
}

void installArchiveCommand(core::ui::TfrmMain& main, core::Workstation& workstation, ArchiveCommandSteps steps) {
    main.setCommandHandler(core::Command::ArchiveExaminee, [&main, &workstation, steps = std::move(steps)] {
        runArchiveCommand(main, workstation, steps);
    });
}

}  // namespace lumo::admin::ui
