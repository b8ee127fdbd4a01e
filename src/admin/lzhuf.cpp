#include "admin/lzhuf.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "admin/adaptive_huffman.h"
#include "admin/bit_stream.h"
#include "admin/byte_stream.h"

namespace lumo::admin {

namespace {

constexpr std::size_t kWindow = 4096;
constexpr std::size_t kMaxMatch = 60;
constexpr std::size_t kThreshold = 2;  // matches longer than this are worth a copy
constexpr int kFirstLengthSymbol = 256 - static_cast<int>(kThreshold) - 1;  // + length
constexpr int kLowBits = 6;
constexpr std::size_t kReportEvery = 64 * 1024;
constexpr std::size_t kDrainAt = 64 * 1024;  // compressed bytes held before they go to the sink

// The fixed prefix code of a distance's upper 6 bits: short codes for near
// distances. Canonical codes of these lengths, assigned in value order.
struct PositionCode {
    std::array<std::uint8_t, 64> length{};
    std::array<std::uint8_t, 64> code{};
    // Canonical decoding: per code length, the first code, its value and how many.
    std::array<int, 9> firstCode{};
    std::array<int, 9> firstValue{};
    std::array<int, 9> count{};

    PositionCode() {
        constexpr std::array<int, 9> perLength = {0, 0, 0, 1, 3, 8, 12, 24, 16};
        int value = 0;
        int next = 0;
        for (int len = 1; len <= 8; ++len) {
            firstCode[len] = next;
            firstValue[len] = value;
            count[len] = perLength[len];
            for (int i = 0; i < perLength[len]; ++i, ++value, ++next) {
                length[value] = static_cast<std::uint8_t>(len);
                code[value] = static_cast<std::uint8_t>(next);
            }
            next <<= 1;
        }
    }

    void encode(std::size_t position, BitWriter& out) const {
        const std::size_t high = position >> kLowBits;
        out.put(code[high], length[high]);
        out.put(static_cast<std::uint32_t>(position & ((1u << kLowBits) - 1)), kLowBits);
    }

    // The position, or -1 for a prefix no distance has (never produced by
    // the encoder, but all 8-bit prefixes are in fact taken).
    int decode(BitReader& in) const {
        int prefix = 0;
        for (int len = 1; len <= 8; ++len) {
            prefix = (prefix << 1) | static_cast<int>(in.bit());
            if (count[len] > 0 && prefix - firstCode[len] < count[len] && prefix >= firstCode[len]) {
                const int high = firstValue[len] + prefix - firstCode[len];
                return (high << kLowBits) | static_cast<int>(in.bits(kLowBits));
            }
        }
        return -1;
    }
};

const PositionCode& positionCode() {
    static const PositionCode table;
    return table;
}

// Finds the longest earlier match within the window through chains of
// positions that share a 3-byte hash. Holds the window and the look-ahead of
// the input, read from the source in chunks; positions count from the start.
class MatchFinder {
public:
    MatchFinder(ByteSource& in, std::uint64_t size)
        : in_(in), size_(size), buffer_(kBuffer), head_(kHeads, -1), previous_(kWindow, -1) {}

    struct Match {
        std::size_t length = 0;
        std::size_t distance = 0;
    };

    // The input ended before its size; what was coded so far is all it gave.
    bool shortOfInput() const { return short_; }
    std::uint64_t size() const { return size_; }
    // A byte of the look-ahead or of the window behind the last position found.
    std::uint8_t at(std::size_t pos) const { return buffer_[pos - base_]; }

    // The best match at `pos`; `pos` is entered into the chains.
    Match find(std::size_t pos) {
        ensure(pos);
        Match best;
        if (size_ - pos < kThreshold + 1) return best;
        const std::size_t limit = static_cast<std::size_t>(std::min<std::uint64_t>(kMaxMatch, size_ - pos));
        const std::size_t slot = hashAt(pos);
        int depth = 0;
        for (long candidate = head_[slot]; candidate >= 0 && pos - std::size_t(candidate) <= kWindow &&
                                           depth < kMaxChain;
             ++depth) {
            const std::uint8_t* a = &buffer_[std::size_t(candidate) - base_];
            const std::uint8_t* b = &buffer_[pos - base_];
            if (a[best.length] == b[best.length] && a[0] == b[0]) {
                std::size_t length = 0;
                while (length < limit && a[length] == b[length]) ++length;
                if (length > best.length) {
                    best.length = length;
                    best.distance = pos - std::size_t(candidate);
                    if (length == limit) break;
                }
            }
            const long older = previous_[std::size_t(candidate) % kWindow];
            if (older >= candidate) break;  // a stale entry: the chain has ended
            candidate = older;
        }
        enter(pos, slot);
        if (best.length <= kThreshold) best.length = 0;
        return best;
    }

    // Enters a position that a match covers.
    void skip(std::size_t pos) {
        ensure(pos);
        if (size_ - pos >= kThreshold + 1) enter(pos, hashAt(pos));
    }

private:
    static constexpr std::size_t kHeads = 1u << 15;
    static constexpr int kMaxChain = 1024;
    static constexpr std::size_t kBuffer = 64 * 1024;
    // What a position needs loaded ahead of it: the longest match and the hash.
    static constexpr std::size_t kAhead = kMaxMatch + kThreshold + 1;

    void ensure(std::size_t pos) {
        if (pos + kAhead <= end_ || end_ == size_) return;
        // Keep the window behind the position, and the byte before it for the lazy step.
        const std::size_t keep = pos - base_ > kWindow + 1 ? pos - kWindow - 1 : base_;
        std::memmove(buffer_.data(), buffer_.data() + (keep - base_), end_ - keep);
        base_ = keep;
        const std::size_t room = kBuffer - (end_ - base_);
        const std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(room, size_ - end_));
        const std::size_t got = in_.read(buffer_.data() + (end_ - base_), wanted);
        end_ += got;
        // A source that ends early is taken at its word, so every look stays inside.
        if (got < wanted) {
            size_ = end_;
            short_ = true;
        }
    }
    std::size_t hashAt(std::size_t pos) const {
        const std::uint8_t* p = &buffer_[pos - base_];
        const std::uint32_t key = (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2];
        return (key * 2654435761u) >> 17;
    }
    void enter(std::size_t pos, std::size_t slot) {
        previous_[pos % kWindow] = head_[slot];
        head_[slot] = static_cast<long>(pos);
    }

    ByteSource& in_;
    std::uint64_t size_;
    std::vector<std::uint8_t> buffer_;
    std::size_t base_ = 0;  // the position of buffer_[0]
    std::size_t end_ = 0;   // the position after the last byte loaded
    bool short_ = false;
    std::vector<long> head_;
    std::vector<long> previous_;
};

}  // namespace

bool lzhufCompress(ByteSource& in, std::uint64_t size, ByteSink& sink, const CodecProgress& progress) {
    std::string out;
    BitWriter bits(out);
    AdaptiveHuffman huffman;
    MatchFinder finder(in, size);
    const PositionCode& positions = positionCode();
    const auto drain = [&] {
        sink.put(reinterpret_cast<const std::uint8_t*>(out.data()), out.size());
        out.clear();
    };
    std::size_t nextReport = kReportEvery;
    std::size_t pos = 0;
    MatchFinder::Match match = size == 0 ? MatchFinder::Match{} : finder.find(0);
    while (pos < finder.size()) {
        // One step of lazy evaluation: a longer match one byte on is worth a literal.
        if (match.length > 0 && match.length < kMaxMatch && pos + 1 < finder.size()) {
            const MatchFinder::Match next = finder.find(pos + 1);
            if (next.length > match.length) {
                huffman.encode(finder.at(pos), bits);
                ++pos;
                match = next;
                continue;
            }
            huffman.encode(kFirstLengthSymbol + static_cast<int>(match.length), bits);
            positions.encode(match.distance - 1, bits);
            for (std::size_t p = pos + 2; p < pos + match.length; ++p) finder.skip(p);
            pos += match.length;
        } else if (match.length > 0) {
            huffman.encode(kFirstLengthSymbol + static_cast<int>(match.length), bits);
            positions.encode(match.distance - 1, bits);
            for (std::size_t p = pos + 1; p < pos + match.length; ++p) finder.skip(p);
            pos += match.length;
        } else {
            huffman.encode(finder.at(pos), bits);
            ++pos;
        }
        if (pos < finder.size()) match = finder.find(pos);
        if (out.size() >= kDrainAt) drain();
        if (progress && pos >= nextReport) {
            progress(pos, sink.written() + out.size());
            nextReport = pos + kReportEvery;
        }
    }
    bits.flush();
    drain();
    if (progress) progress(pos, sink.written());
    return !finder.shortOfInput();
}

namespace {

// The decoded bytes on their way to the sink, with the window kept for copies.
class DecodedWindow {
public:
    explicit DecodedWindow(ByteSink& sink) : sink_(sink), buffer_(kWindow + kChunk + kMaxMatch) {}

    std::uint64_t size() const { return total_; }
    void push(std::uint8_t byte) {
        buffer_[fill_++] = byte;
        ++total_;
    }
    // `distance` <= min(size(), kWindow); a copy may overlap the bytes it produces.
    void copy(std::size_t distance, std::size_t length) {
        std::uint8_t* to = buffer_.data() + fill_;
        const std::uint8_t* from = to - distance;
        for (std::size_t i = 0; i < length; ++i) to[i] = from[i];
        fill_ += length;
        total_ += length;
    }
    // Called after each symbol, which adds at most kMaxMatch bytes.
    void maybeDrain() {
        if (fill_ >= kWindow + kChunk) drain();
    }
    void finish() {
        sink_.put(buffer_.data() + sent_, fill_ - sent_);
        sent_ = fill_;
    }

private:
    static constexpr std::size_t kChunk = 64 * 1024;

    void drain() {
        finish();
        std::memmove(buffer_.data(), buffer_.data() + fill_ - kWindow, kWindow);
        fill_ = sent_ = kWindow;
    }

    ByteSink& sink_;
    std::vector<std::uint8_t> buffer_;
    std::size_t fill_ = 0;
    std::size_t sent_ = 0;
    std::uint64_t total_ = 0;
};

}  // namespace

DecodeStatus lzhufDecompress(ByteSource& in, std::uint64_t size, ByteSink& sink, const CodecProgress& progress) {
    BitReader bits(in);
    DecodedWindow out(sink);
    AdaptiveHuffman huffman;
    const PositionCode& positions = positionCode();
    std::uint64_t nextReport = kReportEvery;
    while (out.size() < size) {
        const int symbol = huffman.decode(bits);
        if (bits.exhausted()) return DecodeStatus::Truncated;
        if (symbol < 256) {
            out.push(static_cast<std::uint8_t>(symbol));
        } else {
            const std::size_t length = static_cast<std::size_t>(symbol - kFirstLengthSymbol);
            const int position = positions.decode(bits);
            if (bits.exhausted()) return DecodeStatus::Truncated;
            const std::size_t distance = static_cast<std::size_t>(position) + 1;
            if (position < 0 || distance > out.size() || length > size - out.size()) return DecodeStatus::Corrupt;
            out.copy(distance, length);
        }
        out.maybeDrain();
        if (progress && out.size() >= nextReport) {
            progress(bits.bytesRead(), out.size());
            nextReport = out.size() + kReportEvery;
        }
    }
    out.finish();
    if (progress) progress(bits.bytesRead(), out.size());
    // The compressor ends the stream with the last symbol: bytes left over
    // mean the stored size is smaller than what was compressed.
    return bits.restIsZero() && bits.atEnd() ? DecodeStatus::Ok : DecodeStatus::Corrupt;
}

std::string lzhufCompress(std::string_view in, const CodecProgress& progress) {
    std::string out;
    MemorySource source(in);
    StringSink sink(out);
    lzhufCompress(source, in.size(), sink, progress);
    return out;
}

DecodeStatus lzhufDecompress(std::string_view in, std::size_t size, std::string& out, const CodecProgress& progress) {
    out.clear();
    MemorySource source(in);
    StringSink sink(out);
    return lzhufDecompress(source, size, sink, progress);
}

}  // namespace lumo::admin
