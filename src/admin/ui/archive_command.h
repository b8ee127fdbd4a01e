#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "admin/archive_command.h"
#include "admin/archive_folders.h"
#include "core/examinee.h"

namespace lumo::core {
class Workstation;
}
namespace lumo::core::ui {
class TfrmMain;
}

namespace lumo::admin::ui {

// The steps of the archive command that show windows; the defaults run the
// real ones, tests replace them.
struct ArchiveCommandSteps {
    std::function<bool(const QString& text)> confirm;  // Yes/No
    std::function<std::optional<ArchiveTarget>(const core::TSubj& subject)> chooseFolder;
    std::function<void(const core::TSubj& subject, const ArchiveTarget& target)> runArchiver;
};

// The drives the folder chooser offers; empty for this machine's.
using ArchiveDriveList = std::function<std::vector<ArchiveDrive>()>;

// The real steps: the question box, the folder chooser on `drives` and the
// archiver window, all over the main window.
ArchiveCommandSteps defaultArchiveCommandSteps(core::ui::TfrmMain& main, core::Workstation& workstation,
                                               ArchiveDriveList drives = {});

// Plugs the main window's archive command (runArchiveCommand) in; "No"
// reopens the Examinee menu on its archive item.
void installArchiveCommand(core::ui::TfrmMain& main, core::Workstation& workstation, ArchiveCommandSteps steps);

}  // namespace lumo::admin::ui
