#pragma once

#include <filesystem>

namespace lumo::platform {

// Seeds a new data home from the installed defaults (<prefix>/share/lumo
// beside an installed program, else the copy carried inside the program):
// the settings file, QST, BNK, the help pages and an empty DAT.
// Existing files are left as they are. With `sampleExaminee` a first
// examinee is registered too, for the demo home. EInOutError on failure.
void seedDataHome(const std::filesystem::path& home, bool sampleExaminee);

}  // namespace lumo::platform
