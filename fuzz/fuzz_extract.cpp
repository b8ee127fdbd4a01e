// The solid file extractor: arbitrary bytes as a solid file must be refused
// with an error or extracted, and nothing may ever be written outside the
// examinee folder.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "admin/solid_file.h"
#include "core/errors.h"
#include "core/settings.h"
#include "core/string_table.h"

namespace {

namespace fs = std::filesystem;

struct Workspace {
    Workspace() {
        std::string pattern = (fs::temp_directory_path() / "lumo-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        base = pattern;
        // The examinee folder sits two levels down, so "../" escapes stay inside the base.
        folder = base / "DAT" / "#0000001";
    }
    ~Workspace() {
        std::error_code ec;
        fs::remove_all(base, ec);
    }
    fs::path base;
    fs::path folder;
    lumo::core::StringTable table;
    lumo::core::Settings settings{fs::path()};
    lumo::core::Texts texts{table, settings};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Workspace space;
    fs::remove_all(space.base / "DAT");
    fs::create_directories(space.folder);
    const fs::path solid = space.base / "solid";
    {
        std::ofstream out(solid, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    try {
        lumo::admin::extractSolidFile(solid, space.folder, space.texts);
    } catch (const lumo::LumoError&) {
        // Refused: the error texts of the format.
    }
    // Only the examinee folder may have changed.
    for (const auto& entry : fs::recursive_directory_iterator(space.base)) {
        const fs::path relative = entry.path().lexically_relative(space.base);
        const std::string first = relative.begin()->string();
        if (first == "solid") continue;
        if (relative == fs::path("DAT") || relative == fs::path("DAT") / "#0000001") continue;
        if (entry.path().parent_path() != space.folder || !entry.is_regular_file()) std::abort();
    }
    return 0;
}
