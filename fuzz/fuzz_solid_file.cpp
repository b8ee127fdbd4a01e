// The solid file against arbitrary bytes: a damaged directory is refused
// before anything is written, and whatever extracts leaves exactly the files
// the directory names, with their sizes, and no working file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "admin/solid_file.h"
#include "core/cp1251.h"
#include "core/errors.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "fuzz_support.h"

namespace {

std::set<std::string> filesOf(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename());
    return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumo;
    namespace fs = std::filesystem;
    static const core::StringTable table;
    static const core::Settings settings(fuzz::scratchFolder("solid"));
    static const core::Texts texts(table, settings);
    const fs::path solid = fuzz::scratchFolder("solid") / admin::kSolidFileName;
    const fs::path out = fuzz::scratchFolder("solid") / "out";
    fuzz::writeInput(solid, data, size);
    fuzz::emptyFolder(out);

    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<admin::SolidEntry> entries;
    bool directoryRead = true;
    try {
        entries = admin::parseSolidDirectory(bytes, size, texts);
    } catch (const LumoError&) {
        directoryRead = false;
    }
    try {
        if (!admin::extractSolidFile(solid, out, texts)) std::abort();
        if (!directoryRead) std::abort();
    } catch (const LumoError&) {
        // Files are only written once the whole directory has been checked.
        if (!directoryRead && !filesOf(out).empty()) std::abort();
        if (filesOf(out).count("$$$.tmp") != 0) std::abort();
        return 0;
    }
    // A later entry of the same name (in any letter case) replaces the file
    // under the spelling the first one gave it.
    std::vector<admin::SolidEntry> expected;
    for (const admin::SolidEntry& entry : entries) {
        auto same = std::find_if(expected.begin(), expected.end(), [&](const admin::SolidEntry& known) {
            return core::equalsIgnoreCase(known.name, entry.name);
        });
        if (same == expected.end()) {
            expected.push_back(entry);
        } else {
            same->size = entry.size;
        }
    }
    std::set<std::string> names;
    for (const admin::SolidEntry& entry : expected) {
        names.insert(entry.name);
        std::error_code ec;
        if (fs::file_size(out / entry.name, ec) != entry.size || ec) std::abort();
    }
    if (filesOf(out) != names) std::abort();
    return 0;
}
