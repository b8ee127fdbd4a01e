#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace lumo::admin {

// Thin wrappers of the system's file calls. They report failure instead of
// raising, so every caller raises the message its format prescribes.
class InputFile {
public:
    InputFile() = default;
    explicit InputFile(const std::filesystem::path& path) { open(path); }
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool open(const std::filesystem::path& path);
    bool isOpen() const { return fd_ >= 0; }
    std::optional<std::uint64_t> size() const;
    // Reads exactly n bytes; false at the end of the file or on an error.
    bool read(void* buffer, std::size_t n);
    // Reads up to n bytes; the count, 0 at the end, nullopt on an error.
    std::optional<std::size_t> readSome(void* buffer, std::size_t n);
    // Reads exactly n bytes at `offset`, leaving the position for read() as it was.
    bool readAt(std::uint64_t offset, void* buffer, std::size_t n);
    void close();

private:
    int fd_ = -1;
};

class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates the file, or empties an existing one.
    bool create(const std::filesystem::path& path);
    // Opens an existing file for writing at any offset, without emptying it.
    bool openExisting(const std::filesystem::path& path);
    bool isOpen() const { return fd_ >= 0; }
    bool write(const void* buffer, std::size_t n);
    bool writeAt(std::uint64_t offset, const void* buffer, std::size_t n);
    // Flushes to the medium: a volume on a removable disk must really be there.
    bool sync();
    // False when the last writes could not be completed.
    bool close();

private:
    int fd_ = -1;
};

// The whole file; nullopt when it cannot be opened or read.
std::optional<std::string> readWholeFile(const std::filesystem::path& path);

inline std::uint32_t getLe32(const std::uint8_t* bytes) {
    return std::uint32_t(bytes[0]) | (std::uint32_t(bytes[1]) << 8) | (std::uint32_t(bytes[2]) << 16) |
           (std::uint32_t(bytes[3]) << 24);
}
inline void putLe32(std::uint8_t* bytes, std::uint32_t value) {
    bytes[0] = static_cast<std::uint8_t>(value);
    bytes[1] = static_cast<std::uint8_t>(value >> 8);
    bytes[2] = static_cast<std::uint8_t>(value >> 16);
    bytes[3] = static_cast<std::uint8_t>(value >> 24);
}
inline void appendLe32(std::string& out, std::uint32_t value) {
    std::uint8_t bytes[4];
    putLe32(bytes, value);
    out.append(reinterpret_cast<const char*>(bytes), 4);
}

// Deletes a file if it is there; errors are of no interest to the cleanup.
void removeQuietly(const std::filesystem::path& path);

}  // namespace lumo::admin
