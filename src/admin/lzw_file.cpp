#include "admin/lzw_file.h"

#include <algorithm>
#include <new>
#include <system_error>
#include <vector>

#include "admin/binary_io.h"
#include "admin/lzrw1.h"
#include "core/cp1251.h"
#include "core/settings.h"
#include "core/text_format.h"
#include "core/texts/admin.h"

namespace lumo::admin {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kAutoThreshold = 98303;  // larger inputs are sampled

std::size_t compressedSampleSize(Lzrw1Compressor& compressor, std::string_view data, std::size_t offset) {
    std::vector<std::uint8_t> out(kLzrw1WorkSize);
    return compressor.compressBlock(reinterpret_cast<const std::uint8_t*>(data.data()) + offset, kLzrw1BlockSize,
                                    out.data());
}

void encodeLzrw1Body(std::string_view data, std::string& out, const CodecProgress& progress) {
    Lzrw1Compressor compressor;
    std::vector<std::uint8_t> block(kLzrw1WorkSize);
    const auto* in = reinterpret_cast<const std::uint8_t*>(data.data());
    std::size_t pos = 0;
    // Every block but the last holds a full 32 KB; the last may hold nothing.
    for (;;) {
        const std::size_t n = std::min(kLzrw1BlockSize, data.size() - pos);
        const std::size_t length = compressor.compressBlock(in + pos, n, block.data());
        out.push_back(static_cast<char>(length & 0xFF));
        out.push_back(static_cast<char>(length >> 8));
        out.append(reinterpret_cast<const char*>(block.data()), length);
        pos += n;
        if (progress) progress(pos, out.size());
        if (n < kLzrw1BlockSize) break;
    }
}

LzwFault decodeLzrw1Body(std::string_view body, std::size_t size, std::string& out, const CodecProgress& progress) {
    const auto* in = reinterpret_cast<const std::uint8_t*>(body.data());
    std::vector<std::uint8_t> block(kLzrw1BlockSize);
    out.reserve(std::min<std::size_t>(size, body.size() * 1024 + kLzrw1BlockSize));
    std::size_t pos = 0;
    for (;;) {
        if (body.size() - pos < 2) return LzwFault::Truncated;
        const std::size_t length = std::size_t(in[pos]) | (std::size_t(in[pos + 1]) << 8);
        pos += 2;
        if (body.size() - pos < length) return LzwFault::Truncated;
        std::size_t produced = 0;
        switch (lzrw1DecompressBlock(in + pos, length, block.data(), block.size(), produced)) {
            case DecodeStatus::Ok: break;
            case DecodeStatus::Truncated: return LzwFault::Truncated;
            case DecodeStatus::Corrupt: return LzwFault::Corrupt;
        }
        pos += length;
        // More output than the header promises is corruption; stop before holding it.
        if (produced > size - out.size()) return LzwFault::Corrupt;
        out.append(reinterpret_cast<const char*>(block.data()), produced);
        if (progress) progress(pos + kLzwHeaderSize, out.size());
        if (produced < kLzrw1BlockSize) break;
    }
    return out.size() == size ? LzwFault::None : LzwFault::Corrupt;
}

}  // namespace

CompressMode compressModeFromSetting(std::string_view value) {
    const std::string mode = core::upperAscii(value);
    if (mode == "FAST") return CompressMode::Fast;
    if (mode == "GOOD") return CompressMode::Good;
    return CompressMode::Auto;
}

LzwMethod adviseMethod(std::string_view data) {
    if (data.size() <= kAutoThreshold) return LzwMethod::Lzhuf;
    const std::size_t first = data.size() / 3 / kLzrw1BlockSize * kLzrw1BlockSize;
    const std::size_t second = 2 * data.size() / 3 / kLzrw1BlockSize * kLzrw1BlockSize;
    Lzrw1Compressor compressor;
    const std::size_t compressed =
        compressedSampleSize(compressor, data, first) + compressedSampleSize(compressor, data, second);
    // Below 40 % of the 64 KB sampled.
    return compressed * 5 < 2 * 2 * kLzrw1BlockSize ? LzwMethod::Lzrw1Kh : LzwMethod::Lzhuf;
}

LzwMethod methodFor(CompressMode mode, std::string_view data) {
    switch (mode) {
        case CompressMode::Fast: return LzwMethod::Lzrw1Kh;
        case CompressMode::Good: return LzwMethod::Lzhuf;
        case CompressMode::Auto: break;
    }
    return adviseMethod(data);
}

std::string encodeLzw(std::string_view data, LzwMethod method, const CodecProgress& progress) {
    std::string out;
    appendLe32(out, method == LzwMethod::Lzrw1Kh ? kLzrw1KhTag : kLzhufTag);
    appendLe32(out, static_cast<std::uint32_t>(data.size()));
    if (method == LzwMethod::Lzrw1Kh) {
        out.reserve(data.size() / 2 + 64);
        encodeLzrw1Body(data, out, [&](std::uint64_t read, std::uint64_t written) {
            if (progress) progress(read, written);
        });
    } else {
        out += lzhufCompress(data, [&](std::uint64_t read, std::uint64_t written) {
            if (progress) progress(read, written + kLzwHeaderSize);
        });
    }
    return out;
}

LzwDecoded decodeLzw(std::string_view bytes, const CodecProgress& progress) {
    LzwDecoded result;
    if (bytes.size() < 4) {
        result.fault = LzwFault::NotCompressed;
        return result;
    }
    const auto* header = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const std::uint32_t tag = getLe32(header);
    if (tag != kLzrw1KhTag && tag != kLzhufTag) {
        result.fault = LzwFault::NotCompressed;
        return result;
    }
    result.method = tag == kLzrw1KhTag ? LzwMethod::Lzrw1Kh : LzwMethod::Lzhuf;
    if (bytes.size() < kLzwHeaderSize) {
        result.fault = LzwFault::Truncated;
        return result;
    }
    const std::size_t size = getLe32(header + 4);
    const std::string_view body = bytes.substr(kLzwHeaderSize);
    if (result.method == LzwMethod::Lzrw1Kh) {
        result.fault = decodeLzrw1Body(body, size, result.data, progress);
    } else {
        switch (lzhufDecompress(body, size, result.data, [&](std::uint64_t read, std::uint64_t written) {
                    if (progress) progress(read + kLzwHeaderSize, written);
                })) {
            case DecodeStatus::Ok: result.fault = LzwFault::None; break;
            case DecodeStatus::Truncated: result.fault = LzwFault::Truncated; break;
            case DecodeStatus::Corrupt: result.fault = LzwFault::Corrupt; break;
        }
    }
    if (result.fault != LzwFault::None) result.data.clear();
    return result;
}

// --- the component ------------------------------------------------------------

void Tlzrw1v::fail(int textId, const std::string& name) const {
    throw ELzrw1Exception(core::formatText(texts_(textId), {name}));
}

std::string Tlzrw1v::readInput(int notFoundText, int noMemoryText) {
    std::error_code ec;
    if (!fs::exists(input_, ec)) fail(notFoundText, inputName());
    const std::uintmax_t size = fs::file_size(input_, ec);
    if (ec || size > 0xFFFFFFFFu) fail(txt::LzrwCannotGetSize, inputName());
    try {
        std::optional<std::string> bytes = readWholeFile(input_);
        if (!bytes) fail(txt::LzrwReadError, inputName());
        return std::move(*bytes);
    } catch (const std::bad_alloc&) {
        fail(noMemoryText);
    }
}

void Tlzrw1v::writeOutput(std::string_view bytes) {
    OutputFile file;
    if (!file.create(output_)) fail(txt::LzrwOutputNotOpened, outputName());
    if (!file.write(bytes.data(), bytes.size()) || !file.close()) {
        file.close();
        removeQuietly(output_);
        fail(txt::LzrwWriteError, outputName());
    }
}

std::uint64_t Tlzrw1v::compress() {
    const std::string data = readInput(txt::LzrwKhInputNotFound, txt::LzrwNoMemoryCompress);
    std::string packed;
    try {
        lastMethod_ = methodFor(mode_, data);
        packed = encodeLzw(data, lastMethod_, onUpdate);
    } catch (const std::bad_alloc&) {
        fail(txt::LzrwNoMemoryCompress);
    }
    writeOutput(packed);
    if (onUpdate) onUpdate(data.size(), packed.size());
    if (onFinish) onFinish();
    return packed.size();
}

std::uint64_t Tlzrw1v::decompress() {
    const std::string packed = readInput(txt::LzrwInputNotFound, txt::LzrwNoMemoryDecompress);
    LzwDecoded decoded;
    try {
        decoded = decodeLzw(packed, onUpdate);
    } catch (const std::bad_alloc&) {
        fail(txt::LzrwNoMemoryDecompress);
    }
    lastMethod_ = decoded.method;
    const bool kh = decoded.method == LzwMethod::Lzrw1Kh;
    switch (decoded.fault) {
        case LzwFault::None: break;
        case LzwFault::NotCompressed: fail(txt::LzrwNotCompressed, inputName());
        case LzwFault::Truncated: fail(kh ? txt::LzrwKhReadError : txt::LzhReadError, inputName());
        case LzwFault::Corrupt: fail(kh ? txt::LzrwKhCorrupt : txt::LzhCorrupt);
    }
    writeOutput(decoded.data);
    if (onUpdate) onUpdate(packed.size(), decoded.data.size());
    if (onFinish) onFinish();
    return decoded.data.size();
}

LzwMethod Tlzrw1v::advise() {
    return adviseMethod(readInput(txt::LzrwKhInputNotFound, txt::LzrwNoMemoryCompress));
}

}  // namespace lumo::admin
