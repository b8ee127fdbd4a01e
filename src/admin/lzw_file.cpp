#include "admin/lzw_file.h"

#include <algorithm>
#include <new>
#include <optional>
#include <system_error>
#include <vector>

#include "admin/binary_io.h"
#include "admin/byte_stream.h"
#include "admin/lzrw1.h"
#include "core/cp1251.h"
#include "core/settings.h"
#include "core/text_format.h"
#include "core/texts/admin.h"

namespace lumo::admin {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kAutoThreshold = 98303;  // larger inputs are sampled
constexpr std::size_t kLengthBytes = 2;        // before every LZRW1/KH block

void putHeader(ByteSink& out, LzwMethod method, std::uint64_t size) {
    std::uint8_t header[kLzwHeaderSize];
    putLe32(header, method == LzwMethod::Lzrw1Kh ? kLzrw1KhTag : kLzhufTag);
    putLe32(header + 4, static_cast<std::uint32_t>(size));
    out.put(header, kLzwHeaderSize);
}

// Reads up to two blocks into the compressor, compresses them together and
// writes them with their lengths.
class Lzrw1BodyWriter {
public:
    Lzrw1BodyWriter(ByteSource& in, ByteSink& out) : in_(in), out_(out) {
        for (Lane& lane : lanes_) lane.block.resize(kLengthBytes + kLzrw1WorkSize);
    }

    // Takes n <= kLzrw1BlockSize bytes of the input into lane k; false when the input ends first.
    bool take(int k, std::size_t n) {
        lanes_[k].size = n;
        return in_.read(compressor_.input(k), n) == n;
    }
    void writeOne() { put(lanes_[0], compressor_.compressInput(lanes_[0].size, body(0))); }
    void writeTwo() {
        const auto lengths = compressor_.compressInputs(lanes_[0].size, body(0), lanes_[1].size, body(1));
        put(lanes_[0], lengths[0]);
        put(lanes_[1], lengths[1]);
    }

private:
    struct Lane {
        std::vector<std::uint8_t> block;  // the length, then the compressed block
        std::size_t size = 0;
    };

    std::uint8_t* body(int k) { return lanes_[k].block.data() + kLengthBytes; }
    void put(Lane& lane, std::size_t length) {
        lane.block[0] = static_cast<std::uint8_t>(length & 0xFF);
        lane.block[1] = static_cast<std::uint8_t>(length >> 8);
        out_.put(lane.block.data(), kLengthBytes + length);
    }

    ByteSource& in_;
    ByteSink& out_;
    Lzrw1Compressor compressor_;
    std::array<Lane, 2> lanes_;
};

bool encodeLzrw1Body(ByteSource& in, std::uint64_t size, ByteSink& out, const CodecProgress& progress) {
    Lzrw1BodyWriter writer(in, out);
    std::uint64_t pos = 0;
    const auto blockAt = [&](std::uint64_t at) {
        return static_cast<std::size_t>(std::min<std::uint64_t>(kLzrw1BlockSize, size - at));
    };
    // Every block but the last holds a full 32 KB; the last may hold nothing.
    for (;;) {
        const std::size_t first = blockAt(pos);
        if (!writer.take(0, first)) return false;
        if (first < kLzrw1BlockSize) {
            writer.writeOne();
            pos += first;
            if (progress) progress(pos, out.written());
            return true;
        }
        const std::size_t second = blockAt(pos + first);
        if (!writer.take(1, second)) return false;
        writer.writeTwo();
        pos += first + second;
        if (progress) progress(pos, out.written());
        if (second < kLzrw1BlockSize) return true;
    }
}

LzwFault decodeLzrw1Body(ByteSource& in, std::uint64_t size, ByteSink& out, const CodecProgress& progress) {
    // A stored length reaches 65 535 at most; a decoded block 32 KB.
    std::vector<std::uint8_t> packed(0xFFFF);
    std::vector<std::uint8_t> block(kLzrw1BlockSize);
    std::uint64_t read = kLzwHeaderSize;
    std::uint64_t decoded = 0;
    for (;;) {
        std::uint8_t lengthBytes[kLengthBytes];
        if (in.read(lengthBytes, kLengthBytes) != kLengthBytes) return LzwFault::Truncated;
        const std::size_t length = std::size_t(lengthBytes[0]) | (std::size_t(lengthBytes[1]) << 8);
        if (in.read(packed.data(), length) != length) return LzwFault::Truncated;
        read += kLengthBytes + length;
        std::size_t produced = 0;
        switch (lzrw1DecompressBlock(packed.data(), length, block.data(), block.size(), produced)) {
            case DecodeStatus::Ok: break;
            case DecodeStatus::Truncated: return LzwFault::Truncated;
            case DecodeStatus::Corrupt: return LzwFault::Corrupt;
        }
        // More output than the header promises is corruption; stop before passing it on.
        if (produced > size - decoded) return LzwFault::Corrupt;
        out.put(block.data(), produced);
        decoded += produced;
        if (progress) progress(read, decoded);
        if (produced < kLzrw1BlockSize) break;
    }
    return decoded == size ? LzwFault::None : LzwFault::Corrupt;
}

LzwFault faultOf(DecodeStatus status) {
    switch (status) {
        case DecodeStatus::Ok: break;
        case DecodeStatus::Truncated: return LzwFault::Truncated;
        case DecodeStatus::Corrupt: return LzwFault::Corrupt;
    }
    return LzwFault::None;
}

}  // namespace

CompressMode compressModeFromSetting(std::string_view value) {
    const std::string mode = core::upperAscii(value);
    if (mode == "FAST") return CompressMode::Fast;
    if (mode == "GOOD") return CompressMode::Good;
    return CompressMode::Auto;
}

std::optional<std::array<std::uint64_t, 2>> adviceSampleOffsets(std::uint64_t size) {
    if (size <= kAutoThreshold) return std::nullopt;
    return std::array<std::uint64_t, 2>{size / 3 / kLzrw1BlockSize * kLzrw1BlockSize,
                                        2 * size / 3 / kLzrw1BlockSize * kLzrw1BlockSize};
}

LzwMethod adviseFromSamples(const std::uint8_t* first, const std::uint8_t* second) {
    Lzrw1Compressor compressor;
    std::vector<std::uint8_t> out(kLzrw1WorkSize);
    const std::size_t compressed = compressor.compressBlock(first, kLzrw1BlockSize, out.data()) +
                                   compressor.compressBlock(second, kLzrw1BlockSize, out.data());
    // Below 40 % of the 64 KB sampled.
    return compressed * 5 < 2 * 2 * kLzrw1BlockSize ? LzwMethod::Lzrw1Kh : LzwMethod::Lzhuf;
}

LzwMethod adviseMethod(std::string_view data) {
    const auto offsets = adviceSampleOffsets(data.size());
    if (!offsets) return LzwMethod::Lzhuf;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.data());
    return adviseFromSamples(bytes + (*offsets)[0], bytes + (*offsets)[1]);
}

LzwMethod methodFor(CompressMode mode, std::string_view data) {
    switch (mode) {
        case CompressMode::Fast: return LzwMethod::Lzrw1Kh;
        case CompressMode::Good: return LzwMethod::Lzhuf;
        case CompressMode::Auto: break;
    }
    return adviseMethod(data);
}

bool encodeLzw(ByteSource& in, std::uint64_t size, LzwMethod method, ByteSink& out, const CodecProgress& progress) {
    putHeader(out, method, size);
    if (method == LzwMethod::Lzrw1Kh) return encodeLzrw1Body(in, size, out, progress);
    // The body's progress counts from its own start; the header is in `out` already.
    return lzhufCompress(in, size, out, progress);
}

std::string encodeLzw(std::string_view data, LzwMethod method, const CodecProgress& progress) {
    std::string out;
    MemorySource source(data);
    StringSink sink(out);
    encodeLzw(source, data.size(), method, sink, progress);
    return out;
}

LzwOutcome decodeLzw(ByteSource& in, ByteSink& out, const CodecProgress& progress) {
    LzwOutcome result;
    std::uint8_t header[kLzwHeaderSize];
    const std::size_t got = in.read(header, kLzwHeaderSize);
    const std::uint32_t tag = got >= 4 ? getLe32(header) : 0;
    if (tag != kLzrw1KhTag && tag != kLzhufTag) {
        result.fault = LzwFault::NotCompressed;
        return result;
    }
    result.method = tag == kLzrw1KhTag ? LzwMethod::Lzrw1Kh : LzwMethod::Lzhuf;
    if (got < kLzwHeaderSize) {
        result.fault = LzwFault::Truncated;
        return result;
    }
    const std::uint64_t size = getLe32(header + 4);
    if (result.method == LzwMethod::Lzrw1Kh) {
        result.fault = decodeLzrw1Body(in, size, out, progress);
    } else {
        result.fault = faultOf(lzhufDecompress(in, size, out, [&](std::uint64_t read, std::uint64_t written) {
            if (progress) progress(read + kLzwHeaderSize, written);
        }));
    }
    return result;
}

LzwDecoded decodeLzw(std::string_view bytes, const CodecProgress& progress) {
    LzwDecoded result;
    MemorySource source(bytes);
    StringSink sink(result.data);
    static_cast<LzwOutcome&>(result) = decodeLzw(source, sink, progress);
    if (result.fault != LzwFault::None) result.data.clear();
    return result;
}

// --- the component ------------------------------------------------------------

void Tlzrw1v::fail(int textId, const std::string& name) const {
    throw ELzrw1Exception(core::formatText(texts_(textId), {name}));
}

std::uint64_t Tlzrw1v::openInput(InputFile& file, int notFoundText) const {
    std::error_code ec;
    if (!fs::exists(input_, ec)) fail(notFoundText, inputName());
    if (!file.open(input_)) fail(txt::LzrwReadError, inputName());
    const std::optional<std::uint64_t> size = file.size();
    if (!size || *size > 0xFFFFFFFFu) fail(txt::LzrwCannotGetSize, inputName());
    return *size;
}

void Tlzrw1v::createOutput(OutputFile& file) const {
    if (!file.create(output_)) fail(txt::LzrwOutputNotOpened, outputName());
}

void Tlzrw1v::discardOutput(OutputFile& file, int textId, const std::string& name) const {
    file.close();
    removeQuietly(output_);
    fail(textId, name);
}

LzwMethod Tlzrw1v::adviseFor(InputFile& file, std::uint64_t size) const {
    const auto offsets = adviceSampleOffsets(size);
    if (!offsets) return LzwMethod::Lzhuf;
    std::vector<std::uint8_t> samples(2 * kLzrw1BlockSize);
    if (!file.readAt((*offsets)[0], samples.data(), kLzrw1BlockSize) ||
        !file.readAt((*offsets)[1], samples.data() + kLzrw1BlockSize, kLzrw1BlockSize)) {
        fail(txt::LzrwReadError, inputName());
    }
    return adviseFromSamples(samples.data(), samples.data() + kLzrw1BlockSize);
}

std::uint64_t Tlzrw1v::compress() {
    InputFile in;
    const std::uint64_t size = openInput(in, txt::LzrwKhInputNotFound);
    switch (mode_) {
        case CompressMode::Fast: lastMethod_ = LzwMethod::Lzrw1Kh; break;
        case CompressMode::Good: lastMethod_ = LzwMethod::Lzhuf; break;
        case CompressMode::Auto: lastMethod_ = adviseFor(in, size); break;
    }
    OutputFile out;
    createOutput(out);
    FileSource source(in);
    FileSink sink(out);
    bool complete = false;
    try {
        complete = encodeLzw(source, size, lastMethod_, sink, onUpdate);
    } catch (const std::bad_alloc&) {
        discardOutput(out, txt::LzrwNoMemoryCompress);
    }
    // A file that shrank while it was read is an error too: the size is in the header.
    if (!complete || source.failed()) discardOutput(out, txt::LzrwReadError, inputName());
    if (sink.failed() || !out.close()) discardOutput(out, txt::LzrwWriteError, outputName());
    if (onUpdate) onUpdate(size, sink.written());
    if (onFinish) onFinish();
    return sink.written();
}

std::uint64_t Tlzrw1v::decompress() {
    InputFile in;
    const std::uint64_t size = openInput(in, txt::LzrwInputNotFound);
    OutputFile out;
    createOutput(out);
    FileSource source(in);
    FileSink sink(out);
    LzwOutcome decoded;
    try {
        decoded = decodeLzw(source, sink, onUpdate);
    } catch (const std::bad_alloc&) {
        discardOutput(out, txt::LzrwNoMemoryDecompress);
    }
    lastMethod_ = decoded.method;
    if (source.failed()) discardOutput(out, txt::LzrwReadError, inputName());
    const bool kh = decoded.method == LzwMethod::Lzrw1Kh;
    switch (decoded.fault) {
        case LzwFault::None: break;
        case LzwFault::NotCompressed: discardOutput(out, txt::LzrwNotCompressed, inputName());
        case LzwFault::Truncated: discardOutput(out, kh ? txt::LzrwKhReadError : txt::LzhReadError, inputName());
        case LzwFault::Corrupt: discardOutput(out, kh ? txt::LzrwKhCorrupt : txt::LzhCorrupt);
    }
    if (sink.failed() || !out.close()) discardOutput(out, txt::LzrwWriteError, outputName());
    if (onUpdate) onUpdate(size, sink.written());
    if (onFinish) onFinish();
    return sink.written();
}

LzwMethod Tlzrw1v::advise() {
    InputFile in;
    return adviseFor(in, openInput(in, txt::LzrwKhInputNotFound));
}

}  // namespace lumo::admin
