#include "admin/volumes.h"

#include <algorithm>
#include <cstdio>
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

void writeVolume(const fs::path& folder, const std::string& fileCode, int index, int count,
                 std::string_view compressed, const core::Texts& texts, const ChunkProgress& progress) {
    const fs::path path = folder / volumeName(fileCode, index);
    const auto fail = [&](int id) {
        removeQuietly(path);
        throw EInOutError(texts(id));
    };
    OutputFile out;
    if (!out.create(path)) fail(txt::VolumeWritingLabel);
    std::uint8_t label[4];
    putLe32(label, static_cast<std::uint32_t>(count));
    if (!out.write(label, 4)) fail(txt::VolumeWritingLabel);
    const std::uint64_t start = shareStart(index);
    const std::uint64_t length = shareLength(index, compressed.size());
    const int chunks = chunksOf(length);
    int done = 0;
    for (std::uint64_t offset = 0; offset < length; offset += kCopyChunk) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(kCopyChunk, length - offset));
        if (!out.write(compressed.data() + start + offset, n)) fail(txt::SolidWritingData);
        if (progress) progress(++done, chunks);
    }
    if (!out.sync() || !out.close()) fail(txt::SolidWritingData);
    if (progress && done == 0) progress(1, 1);
}

bool volumeMatches(const fs::path& folder, const std::string& fileCode, int index, int count,
                   std::string_view compressed) {
    const std::optional<std::string> volume = readWholeFile(core::resolvePath(folder, volumeName(fileCode, index)));
    const std::uint64_t length = shareLength(index, compressed.size());
    if (!volume || volume->size() != 4 + length) return false;
    if (getLe32(reinterpret_cast<const std::uint8_t*>(volume->data())) != static_cast<std::uint32_t>(count)) {
        return false;
    }
    return std::string_view(*volume).substr(4) == compressed.substr(shareStart(index), length);
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
