#pragma once

#include <filesystem>
#include <string_view>

namespace lumo::core {

// Writes the file whole: a temporary file in the same folder is written,
// flushed to disk and renamed over the old one. On any failure (disk full
// included) the old file stays as it was, the temporary file is removed, and
// EInOutError names the file.
void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace lumo::core
