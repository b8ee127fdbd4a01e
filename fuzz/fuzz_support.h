#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <unistd.h>

namespace lumo::fuzz {

// A folder of this process under the temporary folder, made once and reused
// by every run of the target (TMPDIR=/dev/shm keeps the runs off the disk).
inline const std::filesystem::path& scratchFolder(const std::string& target) {
    static const std::filesystem::path folder = [&] {
        const auto path = std::filesystem::temp_directory_path() / ("lumo-fuzz-" + target + "-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

// Replaces the file with the fuzzer's bytes.
inline void writeInput(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// Empties a folder the previous run may have filled, keeping the folder.
inline void emptyFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    std::filesystem::create_directories(folder, ec);
}

}  // namespace lumo::fuzz
