#include "admin/solid_file.h"

#include <cstring>
#include <system_error>

#include "admin/binary_io.h"
#include "core/cp1251.h"
#include "core/errors.h"
#include "core/paths.h"
#include "core/settings.h"
#include "core/text_format.h"
#include "core/texts/admin.h"

namespace lumo::admin {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void fail(const core::Texts& texts, int id) {
    throw EInOutError(texts(id));
}

// A name for the messages: control characters would garble the box.
std::string printable(std::string_view name) {
    std::string shown;
    for (const char ch : name) shown.push_back(static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F ? '?' : ch);
    return shown;
}

}  // namespace

bool isPlainFileName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (const char ch : name) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x20 || byte == 0x7F || ch == '/' || ch == '\\') return false;
    }
    return !core::equalsIgnoreCase(name, kSolidFileName);
}

bool createSolidFile(const fs::path& folder, const std::vector<std::string>& names, const fs::path& solid,
                     const core::Texts& texts, const FileProgress& progress) {
    // The directory first: every name must fit its 12 characters unchanged,
    // or the file could not be given back.
    std::string directory;
    std::vector<std::uint64_t> sizes;
    for (const std::string& name : names) {
        const std::string stored = core::toCp1251(name);
        if (stored.empty() || stored.size() > kSolidNameLength || core::fromCp1251(stored) != name) {
            throw EInOutError(core::formatText(texts(txt::SolidNameTooLong), {printable(name)}));
        }
        std::error_code ec;
        const std::uintmax_t size = fs::file_size(folder / name, ec);
        if (ec) return false;
        if (size > 0x7FFFFFFFu) fail(texts, txt::SolidWritingHeader);
        char entry[kSolidEntrySize] = {};
        entry[0] = static_cast<char>(stored.size());
        std::memcpy(entry + 1, stored.data(), stored.size());
        putLe32(reinterpret_cast<std::uint8_t*>(entry + 13), static_cast<std::uint32_t>(size));
        directory.append(entry, kSolidEntrySize);
        sizes.push_back(size);
    }

    OutputFile out;
    if (!out.create(solid)) fail(texts, txt::SolidWritingHeaderSize);
    std::uint8_t count[4];
    putLe32(count, static_cast<std::uint32_t>(names.size()));
    if (!out.write(count, 4)) fail(texts, txt::SolidWritingHeaderSize);
    if (!out.write(directory.data(), directory.size())) fail(texts, txt::SolidWritingHeader);

    std::vector<char> chunk(kCopyChunk);
    for (std::size_t i = 0; i < names.size(); ++i) {
        InputFile in;
        if (!in.open(folder / names[i])) return false;
        std::uint64_t left = sizes[i];
        while (left > 0) {
            const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(left, kCopyChunk));
            if (!in.read(chunk.data(), n)) fail(texts, txt::SolidReadingData);
            if (!out.write(chunk.data(), n)) fail(texts, txt::SolidWritingData);
            left -= n;
        }
        // A file that grew since its size was taken would lose its tail.
        char extra = 0;
        const auto more = in.readSome(&extra, 1);
        if (!more || *more != 0) fail(texts, txt::SolidReadingData);
        if (progress) progress(static_cast<int>(i + 1), static_cast<int>(names.size()));
    }
    if (!out.close()) fail(texts, txt::SolidWritingData);
    return true;
}

std::vector<SolidEntry> parseSolidDirectory(std::string_view head, std::uint64_t fileSize, const core::Texts& texts) {
    if (head.size() < 4 || fileSize < 4) fail(texts, txt::SolidReadingHeaderSize);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(head.data());
    const auto count = static_cast<std::int32_t>(getLe32(bytes));
    if (count < 0) fail(texts, txt::SolidReadingHeader);
    const std::uint64_t directoryEnd = 4 + kSolidEntrySize * std::uint64_t(count);
    if (directoryEnd > fileSize || directoryEnd > head.size()) fail(texts, txt::SolidReadingHeader);
    std::vector<SolidEntry> entries;
    entries.reserve(static_cast<std::size_t>(count));
    std::uint64_t total = 0;
    for (std::int32_t k = 0; k < count; ++k) {
        const std::uint8_t* entry = bytes + 4 + kSolidEntrySize * std::size_t(k);
        const std::size_t length = entry[0];
        if (length > kSolidNameLength) fail(texts, txt::SolidReadingHeader);
        const std::string_view stored(reinterpret_cast<const char*>(entry + 1), length);
        const std::string name = core::fromCp1251(stored);
        if (!isPlainFileName(stored) || !isPlainFileName(name)) {
            throw EInOutError(core::formatText(texts(txt::SolidUnsafeName), {printable(name)}));
        }
        const auto size = static_cast<std::int32_t>(getLe32(entry + 13));
        if (size < 0) fail(texts, txt::SolidReadingData);
        total += static_cast<std::uint64_t>(size);
        entries.push_back({name, static_cast<std::uint32_t>(size)});
    }
    if (total > fileSize - directoryEnd) fail(texts, txt::SolidReadingData);
    return entries;
}

bool extractSolidFile(const fs::path& solid, const fs::path& folder, const core::Texts& texts,
                      const FileProgress& progress) {
    InputFile in;
    if (!in.open(solid)) return false;
    const auto fileSize = in.size();
    if (!fileSize) fail(texts, txt::SolidReadingHeaderSize);
    std::string head(4, '\0');
    if (!in.read(head.data(), 4)) fail(texts, txt::SolidReadingHeaderSize);
    const auto count = static_cast<std::int32_t>(getLe32(reinterpret_cast<const std::uint8_t*>(head.data())));
    if (count < 0 || 4 + kSolidEntrySize * std::uint64_t(count) > *fileSize) fail(texts, txt::SolidReadingHeader);
    head.resize(4 + kSolidEntrySize * std::size_t(count));
    if (!in.read(head.data() + 4, head.size() - 4)) fail(texts, txt::SolidReadingHeader);
    const std::vector<SolidEntry> entries = parseSolidDirectory(head, *fileSize, texts);

    const fs::path temporary = folder / "$$$.tmp";
    std::vector<char> chunk(kCopyChunk);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        OutputFile out;
        removeQuietly(temporary);  // never write through whatever lies there
        if (!out.create(temporary)) fail(texts, txt::SolidWritingData);
        std::uint64_t left = entries[i].size;
        while (left > 0) {
            const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(left, kCopyChunk));
            if (!in.read(chunk.data(), n)) {
                out.close();
                removeQuietly(temporary);
                fail(texts, txt::SolidReadingData);
            }
            if (!out.write(chunk.data(), n)) {
                out.close();
                removeQuietly(temporary);
                fail(texts, txt::SolidWritingData);
            }
            left -= n;
        }
        std::error_code ec;
        if (!out.close()) ec = std::make_error_code(std::errc::io_error);
        if (!ec) fs::rename(temporary, core::resolvePath(folder, entries[i].name), ec);
        if (ec) {
            removeQuietly(temporary);
            fail(texts, txt::SolidWritingData);
        }
        if (progress) progress(static_cast<int>(i + 1), static_cast<int>(entries.size()));
    }
    return true;
}

}  // namespace lumo::admin
