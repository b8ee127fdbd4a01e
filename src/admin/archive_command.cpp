#include "admin/archive_command.h"

#include "admin/archive_folders.h"
#include "core/texts/core.h"
#include "core/workstation.h"

namespace lumo::admin {

void runArchiveCommand(core::Workstation& workstation, const ArchiveCommandSteps& steps) {
    core::Records& records = workstation.records();
    if (!records.current().isSet()) return;
    const core::TSubj subject = records.current().record;
    const int question = compressesNext(subject) ? txt::CmdCompressConfirm : txt::CmdDecompressConfirm;
    if (!steps.confirm(workstation.texts()(question))) {
        steps.declined();
        return;
    }
    std::optional<ArchiveTarget> target = steps.chooseFolder(subject);
    if (!target) return;
    target->folder = withTrailingSeparator(target->folder);
    steps.runArchiver(subject, *target);
    // The archiver changed the files and the flag.
    records.current().examNumber = 0;
    records.current().chart = 0;
    const int position = records.examinees().indexOf(subject.fileCode);
    records.makeCurrent(position >= 0 ? records.examinees().at(static_cast<std::size_t>(position))
                                      : records.current().record);
}

}  // namespace lumo::admin
