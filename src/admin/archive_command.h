#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "core/examinee.h"

namespace lumo::core {
class Workstation;
}

namespace lumo::admin {

// The drive letter and folder the chooser gave.
struct ArchiveTarget {
    char driveLetter = 'C';
    std::filesystem::path folder;
};

// What the archive command shows; the command's wiring gives the real
// windows, tests answer them.
struct ArchiveCommandSteps {
    std::function<bool(const std::string& text)> confirm;  // Yes/No
    std::function<void()> declined;                         // the examiner answered No
    std::function<std::optional<ArchiveTarget>(const core::TSubj& subject)> chooseFolder;
    std::function<void(const core::TSubj& subject, const ArchiveTarget& target)> runArchiver;
};

// The main window's archive command for the current examinee: asks whether to
// compress or decompress (by its archive flag), lets the examiner choose the
// folder, runs the archiver on it with a trailing separator, and then starts
// afresh with the examinee: no current exam or chart, its record and exams
// read again. Nothing happens without a current examinee.
void runArchiveCommand(core::Workstation& workstation, const ArchiveCommandSteps& steps);

}  // namespace lumo::admin
