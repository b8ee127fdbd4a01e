#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lumo::core {
class Texts;
}

namespace lumo::admin {

// The working file that holds every file of an examinee folder in one piece.
inline constexpr const char* kSolidFileName = "$$$.$$$";
inline constexpr std::size_t kSolidNameLength = 12;
inline constexpr std::size_t kSolidEntrySize = 17;
inline constexpr std::size_t kCopyChunk = 8192;

// One entry of the solid file's directory (name as UTF-8).
struct SolidEntry {
    std::string name;
    std::uint32_t size = 0;
};

// Called after each file with the number of files done and their count.
using FileProgress = std::function<void(int done, int total)>;

// A name that can only mean a file of the examinee folder itself: not empty,
// no path separator, not "." or "..", no control character, and not the
// solid file's own name.
bool isPlainFileName(std::string_view name);

// Writes the solid file of the files `names` of `folder`. Write and read
// errors raise EInOutError with the format's texts (a name longer than the
// format holds too); false when a listed file cannot be opened any more.
bool createSolidFile(const std::filesystem::path& folder, const std::vector<std::string>& names,
                     const std::filesystem::path& solid, const core::Texts& texts, const FileProgress& progress = {});

// Reads and checks the directory of a solid file of `fileSize` bytes whose
// start is `head`: every name plain, every size within the file. Raises
// EInOutError with the format's texts.
std::vector<SolidEntry> parseSolidDirectory(std::string_view head, std::uint64_t fileSize, const core::Texts& texts);

// Re-creates every file of the solid file in `folder`, overwriting files of
// the same name (in any letter case). The directory is checked whole before
// the first file is written; each file is written under a temporary name and
// renamed into place. Raises EInOutError; false when the solid file cannot be
// opened.
bool extractSolidFile(const std::filesystem::path& solid, const std::filesystem::path& folder,
                      const core::Texts& texts, const FileProgress& progress = {});

}  // namespace lumo::admin
