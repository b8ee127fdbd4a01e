#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/examinee.h"

namespace lumo::core {
class Texts;
}

namespace lumo::admin {

// One entry of the chooser's drive list. Removable media take the letters A
// and B first, so the archiver prompts for disks there; the home folder is C.
struct ArchiveDrive {
    char letter = 'C';
    std::filesystem::path root;
    bool removable = false;
    std::string caption;  // "A:  Removable disk  /media/usb"
};

// Where the drive list comes from; the defaults read this machine.
struct MountSources {
    std::string mountTable;                    // /proc/self/mounts
    std::filesystem::path sysBlock = "/sys/block";
    std::filesystem::path home;
};
MountSources systemMountSources();

// Mounted removable media (a block device whose removable flag is set, or a
// mount below /media or /run/media), then the home folder.
std::vector<ArchiveDrive> listArchiveDrives(const MountSources& sources, const core::Texts& texts);

// Drives A and B get disk prompts.
bool promptsForDisks(char driveLetter);

// An examinee not archived yet is compressed next; an archived one is
// brought back.
bool compressesNext(const core::TSubj& subject);

// The folder with a trailing separator, as the archiver takes it.
std::filesystem::path withTrailingSeparator(std::filesystem::path folder);

// Visible sub-folders of a folder and the files in it, sorted; none when the
// folder cannot be read.
std::vector<std::string> subfolders(const std::filesystem::path& folder);
std::vector<std::string> filesIn(const std::filesystem::path& folder);

// The engine half of the drive and folder chooser.
class ArchiveFolderChooser {
public:
    ArchiveFolderChooser(std::vector<ArchiveDrive> drives, core::TSubj subject);

    const std::vector<ArchiveDrive>& drives() const { return drives_; }
    int driveIndex() const { return drive_; }
    // Chooses a drive; the folder becomes its root.
    void selectDrive(int index);
    const std::filesystem::path& folder() const { return folder_; }
    void selectFolder(const std::filesystem::path& folder) { folder_ = folder; }
    std::vector<std::string> files() const { return filesIn(folder_); }

    // OK asks "overwrite?" when a compression is about to start and the
    // folder already holds the examinee's first volume.
    bool overwriteQuestionNeeded() const;

    char driveLetter() const;
    // The chosen folder with a trailing separator.
    std::filesystem::path target() const;

private:
    std::vector<ArchiveDrive> drives_;
    core::TSubj subject_;
    int drive_ = -1;
    std::filesystem::path folder_;
};

}  // namespace lumo::admin
