#include "admin/volumes.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "admin/binary_io.h"
#include "admin/solid_file.h"
#include "core/errors.h"
#include "core/paths.h"
#include "core/settings.h"
#include "core/texts/admin.h"

namespace lumo::admin {

namespace fs = std::filesystem;

namespace {

std::uint64_t shareStart(int index) {
    return static_cast<std::uint64_t>(index) * kVolumeDataSize;
}

std::uint64_t shareLength(int index, std::uint64_t size) {
    const std::uint64_t start = shareStart(index);
    return start >= size ? 0 : std::min(kVolumeDataSize, size - start);
}

int chunksOf(std::uint64_t length) {
    return static_cast<int>(std::max<std::uint64_t>(1, (length + kCopyChunk - 1) / kCopyChunk));
}

}  // namespace

std::string volumeName(const std::string& fileCode, int index) {
    char extension[8];
    std::snprintf(extension, sizeof extension, ".%03d", index % kMaxVolumes);
    return fileCode + extension;
}

int volumeCount(std::uint64_t size) {
    return static_cast<int>(std::max<std::uint64_t>(1, (size + kVolumeDataSize - 1) / kVolumeDataSize));
}

void writeVolume(const fs::path& folder, const std::string& fileCode, int index, int count, InputFile& compressed,
                 const core::Texts& texts, const ChunkProgress& progress) {
    const fs::path path = folder / volumeName(fileCode, index);
    const auto fail = [&](int id) {
        removeQuietly(path);
        throw EInOutError(texts(id));
    };
    const std::optional<std::uint64_t> size = compressed.size();
    if (!size) fail(txt::SolidReadingData);
    OutputFile out;
    if (!out.create(path)) fail(txt::VolumeWritingLabel);
    std::uint8_t label[4];
    putLe32(label, static_cast<std::uint32_t>(count));
    if (!out.write(label, 4)) fail(txt::VolumeWritingLabel);
    const std::uint64_t start = shareStart(index);
    const std::uint64_t length = shareLength(index, *size);
    const int chunks = chunksOf(length);
    std::vector<char> chunk(kCopyChunk);
    int done = 0;
    for (std::uint64_t offset = 0; offset < length; offset += kCopyChunk) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(kCopyChunk, length - offset));
        if (!compressed.readAt(start + offset, chunk.data(), n)) fail(txt::SolidReadingData);
        if (!out.write(chunk.data(), n)) fail(txt::SolidWritingData);
        if (progress) progress(++done, chunks);
    }
    if (!out.sync() || !out.close()) fail(txt::SolidWritingData);
    if (progress && done == 0) progress(1, 1);
}

bool volumeMatches(const fs::path& folder, const std::string& fileCode, int index, int count, InputFile& compressed) {
    InputFile volume;
    const std::optional<std::uint64_t> size = compressed.size();
    if (!size || !volume.open(core::resolvePath(folder, volumeName(fileCode, index)))) return false;
    const std::uint64_t length = shareLength(index, *size);
    std::uint8_t label[4];
    if (volume.size() != 4 + length || !volume.read(label, 4) || getLe32(label) != static_cast<std::uint32_t>(count)) {
        return false;
    }
    std::vector<char> written(kCopyChunk);
    std::vector<char> original(kCopyChunk);
    for (std::uint64_t offset = 0; offset < length; offset += kCopyChunk) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(kCopyChunk, length - offset));
        if (!volume.read(written.data(), n) || !compressed.readAt(shareStart(index) + offset, original.data(), n) ||
            std::memcmp(written.data(), original.data(), n) != 0) {
            return false;
        }
    }
    return true;
}

VolumeSource::VolumeSource(fs::path folder, std::string fileCode, int count)
    : folder_(std::move(folder)), fileCode_(std::move(fileCode)), count_(count) {}

VolumeSource::~VolumeSource() = default;

bool VolumeSource::openNext() {
    volume_.reset();
    if (next_ >= count_) return false;
    auto volume = std::make_unique<InputFile>();
    std::uint8_t label[4];
    if (!volume->open(core::resolvePath(folder_, volumeName(fileCode_, next_))) || !volume->read(label, 4)) {
        failed_ = true;
        return false;
    }
    ++next_;
    volume_ = std::move(volume);
    return true;
}

std::size_t VolumeSource::read(std::uint8_t* buffer, std::size_t n) {
    std::size_t done = 0;
    while (done < n && !failed_) {
        if (!volume_ && !openNext()) break;
        const std::optional<std::size_t> got = volume_->readSome(buffer + done, n - done);
        if (!got) {
            failed_ = true;
            break;
        }
        done += *got;
        if (*got == 0) volume_.reset();  // this volume is through: the next one follows
    }
    return done;
}

int readVolume(const fs::path& folder, const std::string& fileCode, int index, int expectedCount, OutputFile& joined,
               const core::Texts& texts, const ChunkProgress& progress) {
    const std::string name = volumeName(fileCode, index);
    InputFile in;
    if (!in.open(core::resolvePath(folder, name))) throw EInOutError(texts(txt::ArchiveMissingFile) + name);
    const auto size = in.size();
    std::uint8_t label[4];
    if (!size || !in.read(label, 4)) throw EInOutError(texts(txt::VolumeReadingLabel));
    const auto count = static_cast<std::int32_t>(getLe32(label));
    if (expectedCount != 0 && count != expectedCount) throw EInOutError(texts(txt::ArchiveForeignVolume));
    if (count < 1 || count > kMaxVolumes || index >= count) throw EInOutError(texts(txt::VolumeReadingLabel));
    // Every volume but the last is full; the last holds at least one byte.
    const std::uint64_t length = *size - 4;
    const bool last = index == count - 1;
    if (length > kVolumeDataSize || length == 0 || (!last && length != kVolumeDataSize)) {
        throw EInOutError(texts(txt::SolidReadingData));
    }
    std::vector<char> chunk(kCopyChunk);
    const int chunks = chunksOf(length);
    int done = 0;
    for (std::uint64_t offset = 0; offset < length; offset += kCopyChunk) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(kCopyChunk, length - offset));
        if (!in.read(chunk.data(), n)) throw EInOutError(texts(txt::SolidReadingData));
        if (!joined.writeAt(shareStart(index) + offset, chunk.data(), n)) {
            throw EInOutError(texts(txt::SolidWritingData));
        }
        if (progress) progress(++done, chunks);
    }
    return count;
}

}  // namespace lumo::admin
