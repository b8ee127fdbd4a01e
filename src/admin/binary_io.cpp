#include "admin/binary_io.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <system_error>

namespace lumo::admin {

namespace {

bool writeAll(int fd, const void* buffer, std::size_t n) {
    const auto* bytes = static_cast<const char*>(buffer);
    while (n > 0) {
        const ssize_t written = ::write(fd, bytes, n);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes += written;
        n -= static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

InputFile::~InputFile() {
    close();
}

bool InputFile::open(const std::filesystem::path& path) {
    close();
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) return false;
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
        close();
        return false;
    }
    return true;
}

std::optional<std::uint64_t> InputFile::size() const {
    struct stat info {};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0) return std::nullopt;
    return static_cast<std::uint64_t>(info.st_size);
}

std::optional<std::size_t> InputFile::readSome(void* buffer, std::size_t n) {
    if (fd_ < 0) return std::nullopt;
    auto* bytes = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < n) {
        const ssize_t got = ::read(fd_, bytes + done, n - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return std::nullopt;
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

bool InputFile::read(void* buffer, std::size_t n) {
    const auto got = readSome(buffer, n);
    return got && *got == n;
}

bool InputFile::readAt(std::uint64_t offset, void* buffer, std::size_t n) {
    if (fd_ < 0) return false;
    auto* bytes = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < n) {
        const ssize_t got = ::pread(fd_, bytes + done, n - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        done += static_cast<std::size_t>(got);
    }
    return true;
}

void InputFile::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

OutputFile::~OutputFile() {
    close();
}

bool OutputFile::create(const std::filesystem::path& path) {
    close();
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    return fd_ >= 0;
}

bool OutputFile::openExisting(const std::filesystem::path& path) {
    close();
    fd_ = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    return fd_ >= 0;
}

bool OutputFile::write(const void* buffer, std::size_t n) {
    return fd_ >= 0 && writeAll(fd_, buffer, n);
}

bool OutputFile::writeAt(std::uint64_t offset, const void* buffer, std::size_t n) {
    if (fd_ < 0 || ::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0) return false;
    return writeAll(fd_, buffer, n);
}

bool OutputFile::sync() {
    return fd_ >= 0 && ::fsync(fd_) == 0;
}

bool OutputFile::close() {
    if (fd_ < 0) return true;
    const bool ok = ::close(fd_) == 0;
    fd_ = -1;
    return ok;
}

std::optional<std::string> readWholeFile(const std::filesystem::path& path) {
    InputFile file;
    if (!file.open(path)) return std::nullopt;
    const auto size = file.size();
    if (!size) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(*size), '\0');
    const auto got = file.readSome(bytes.data(), bytes.size());
    if (!got) return std::nullopt;
    bytes.resize(*got);  // a file that shrank meanwhile is read as it now is
    return bytes;
}

void removeQuietly(const std::filesystem::path& path) {
    std::error_code ec;
    std::filesystem::remove(path, ec);
}

}  // namespace lumo::admin
