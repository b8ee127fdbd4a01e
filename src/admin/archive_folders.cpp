#include "admin/archive_folders.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>
#include <system_error>

#include "admin/binary_io.h"
#include "admin/volumes.h"
#include "core/cp1251.h"
#include "core/paths.h"
#include "core/settings.h"
#include "core/texts/admin.h"

namespace lumo::admin {

namespace fs = std::filesystem;

namespace {

// The mount table writes blanks and a few other characters as "\ooo".
std::string unescapeMountField(std::string_view field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string_view digits = field.substr(i + 1, 3);
            if (std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '7'; })) {
                out.push_back(static_cast<char>((digits[0] - '0') * 64 + (digits[1] - '0') * 8 + (digits[2] - '0')));
                i += 3;
                continue;
            }
        }
        out.push_back(field[i]);
    }
    return out;
}

// "sdb1" -> "sdb", "mmcblk0p1" -> "mmcblk0", "nvme0n1p2" -> "nvme0n1".
std::string wholeDisk(std::string name) {
    const bool partitionedWithP = name.rfind("mmcblk", 0) == 0 || name.rfind("nvme", 0) == 0;
    if (partitionedWithP) {
        const std::size_t p = name.find_last_of('p');
        if (p != std::string::npos && p + 1 < name.size() && name.find_first_not_of("0123456789", p + 1) == std::string::npos &&
            p > 0 && std::isdigit(static_cast<unsigned char>(name[p - 1]))) {
            name.erase(p);
        }
        return name;
    }
    while (!name.empty() && std::isdigit(static_cast<unsigned char>(name.back()))) name.pop_back();
    return name;
}

bool removableDevice(const std::string& device, const fs::path& sysBlock) {
    if (device.rfind("/dev/", 0) != 0) return false;
    const std::string disk = wholeDisk(fs::path(device).filename().string());
    const std::optional<std::string> flag = readWholeFile(sysBlock / disk / "removable");
    return flag && !flag->empty() && (*flag)[0] == '1';
}

bool mediaMountPoint(const std::string& mountPoint) {
    return mountPoint.rfind("/media/", 0) == 0 || mountPoint.rfind("/run/media/", 0) == 0;
}

std::vector<std::string> entriesOf(const fs::path& folder, bool wantFolders) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (wantFolders) {
            if (!name.empty() && name[0] != '.' && it->is_directory(ec)) names.push_back(name);
        } else if (it->is_regular_file(ec)) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

MountSources systemMountSources() {
    MountSources sources;
    if (std::optional<std::string> table = readWholeFile("/proc/self/mounts")) sources.mountTable = std::move(*table);
    const char* home = std::getenv("HOME");
    sources.home = home != nullptr && *home != '\0' ? fs::path(home) : fs::current_path();
    return sources;
}

std::vector<ArchiveDrive> listArchiveDrives(const MountSources& sources, const core::Texts& texts) {
    std::vector<ArchiveDrive> drives;
    std::istringstream lines(sources.mountTable);
    std::string line;
    char next = 'A';
    while (std::getline(lines, line) && next <= 'Z') {
        std::istringstream fields(line);
        std::string device;
        std::string mountPoint;
        if (!(fields >> device >> mountPoint)) continue;
        mountPoint = unescapeMountField(mountPoint);
        if (!removableDevice(device, sources.sysBlock) && !mediaMountPoint(mountPoint)) continue;
        if (std::any_of(drives.begin(), drives.end(), [&](const ArchiveDrive& d) { return d.root == mountPoint; })) {
            continue;
        }
        drives.push_back({next, mountPoint, true, std::string(1, next) + ":  " + texts(txt::ArchDirRemovable) + "  " + mountPoint});
        next = next == 'B' ? 'D' : static_cast<char>(next + 1);
    }
    drives.push_back({'C', sources.home, false, "C:  " + texts(txt::ArchDirHomeFolder) + "  " + sources.home.string()});
    return drives;
}

bool promptsForDisks(char driveLetter) {
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(driveLetter)));
    return letter == 'A' || letter == 'B';
}

bool compressesNext(const core::TSubj& subject) {
    return subject.archive == " ";
}

fs::path withTrailingSeparator(fs::path folder) {
    if (!folder.empty() && !folder.string().ends_with('/')) folder += '/';
    return folder;
}

std::vector<std::string> subfolders(const fs::path& folder) {
    return entriesOf(folder, true);
}

std::vector<std::string> filesIn(const fs::path& folder) {
    return entriesOf(folder, false);
}

ArchiveFolderChooser::ArchiveFolderChooser(std::vector<ArchiveDrive> drives, core::TSubj subject)
    : drives_(std::move(drives)), subject_(std::move(subject)) {
    // The home folder (the last entry) until the examiner picks a disk.
    if (!drives_.empty()) selectDrive(static_cast<int>(drives_.size()) - 1);
}

void ArchiveFolderChooser::selectDrive(int index) {
    if (index < 0 || index >= static_cast<int>(drives_.size())) return;
    drive_ = index;
    folder_ = drives_[static_cast<std::size_t>(index)].root;
}

bool ArchiveFolderChooser::overwriteQuestionNeeded() const {
    if (!compressesNext(subject_) || folder_.empty()) return false;
    std::error_code ec;
    return fs::exists(core::resolvePath(folder_, volumeName(subject_.fileCode, 0)), ec);
}

char ArchiveFolderChooser::driveLetter() const {
    return drive_ < 0 ? 'C' : drives_[static_cast<std::size_t>(drive_)].letter;
}

fs::path ArchiveFolderChooser::target() const {
    return withTrailingSeparator(folder_);
}

}  // namespace lumo::admin
