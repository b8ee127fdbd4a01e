#include "admin/lzhuf.h"

#include <algorithm>
#include <array>
#include <vector>

#include "admin/adaptive_huffman.h"
#include "admin/bit_stream.h"

namespace lumo::admin {

namespace {

constexpr std::size_t kWindow = 4096;
constexpr std::size_t kMaxMatch = 60;
constexpr std::size_t kThreshold = 2;  // matches longer than this are worth a copy
constexpr int kFirstLengthSymbol = 256 - static_cast<int>(kThreshold) - 1;  // + length
constexpr int kLowBits = 6;
constexpr std::size_t kReportEvery = 64 * 1024;

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
// positions that share a 3-byte hash.
class MatchFinder {
public:
    explicit MatchFinder(std::string_view in)
        : in_(reinterpret_cast<const std::uint8_t*>(in.data())), size_(in.size()), head_(kHeads, -1),
          previous_(kWindow, -1) {}

    struct Match {
        std::size_t length = 0;
        std::size_t distance = 0;
    };

    // The best match at `pos`; `pos` is entered into the chains.
    Match find(std::size_t pos) {
        Match best;
        if (size_ - pos < kThreshold + 1) return best;
        const std::size_t limit = std::min(kMaxMatch, size_ - pos);
        const std::size_t slot = hashAt(pos);
        int depth = 0;
        for (long candidate = head_[slot]; candidate >= 0 && pos - std::size_t(candidate) <= kWindow &&
                                           depth < kMaxChain;
             ++depth) {
            const std::uint8_t* a = in_ + candidate;
            const std::uint8_t* b = in_ + pos;
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
        if (size_ - pos >= kThreshold + 1) enter(pos, hashAt(pos));
    }

private:
    static constexpr std::size_t kHeads = 1u << 15;
    static constexpr int kMaxChain = 1024;

    std::size_t hashAt(std::size_t pos) const {
        const std::uint32_t key = (std::uint32_t(in_[pos]) << 16) | (std::uint32_t(in_[pos + 1]) << 8) | in_[pos + 2];
        return (key * 2654435761u) >> 17;
    }
    void enter(std::size_t pos, std::size_t slot) {
        previous_[pos % kWindow] = head_[slot];
        head_[slot] = static_cast<long>(pos);
    }

    const std::uint8_t* in_;
    std::size_t size_;
    std::vector<long> head_;
    std::vector<long> previous_;
};

}  // namespace

std::string lzhufCompress(std::string_view in, const CodecProgress& progress) {
    std::string out;
    out.reserve(in.size() / 2 + 16);
    BitWriter bits(out);
    AdaptiveHuffman huffman;
    MatchFinder finder(in);
    const PositionCode& positions = positionCode();
    std::size_t nextReport = kReportEvery;
    std::size_t pos = 0;
    MatchFinder::Match match = in.empty() ? MatchFinder::Match{} : finder.find(0);
    while (pos < in.size()) {
        // One step of lazy evaluation: a longer match one byte on is worth a literal.
        if (match.length > 0 && match.length < kMaxMatch && pos + 1 < in.size()) {
            const MatchFinder::Match next = finder.find(pos + 1);
            if (next.length > match.length) {
                huffman.encode(static_cast<std::uint8_t>(in[pos]), bits);
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
            huffman.encode(static_cast<std::uint8_t>(in[pos]), bits);
            ++pos;
        }
        if (pos < in.size()) match = finder.find(pos);
        if (progress && pos >= nextReport) {
            progress(pos, out.size());
            nextReport = pos + kReportEvery;
        }
    }
    bits.flush();
    if (progress) progress(in.size(), out.size());
    return out;
}

DecodeStatus lzhufDecompress(std::string_view in, std::size_t size, std::string& out, const CodecProgress& progress) {
    out.clear();
    // Every symbol costs at least one bit and yields at most 60 bytes: a size
    // beyond that cannot be true, and must not be allocated up front.
    out.reserve(std::min<std::size_t>(size, in.size() * 8 * kMaxMatch + 64));
    BitReader bits(in);
    AdaptiveHuffman huffman;
    const PositionCode& positions = positionCode();
    std::size_t nextReport = kReportEvery;
    while (out.size() < size) {
        const int symbol = huffman.decode(bits);
        if (bits.exhausted()) return DecodeStatus::Truncated;
        if (symbol < 256) {
            out.push_back(static_cast<char>(symbol));
        } else {
            const std::size_t length = static_cast<std::size_t>(symbol - kFirstLengthSymbol);
            const int position = positions.decode(bits);
            if (bits.exhausted()) return DecodeStatus::Truncated;
            const std::size_t distance = static_cast<std::size_t>(position) + 1;
            if (position < 0 || distance > out.size() || length > size - out.size()) return DecodeStatus::Corrupt;
            std::size_t from = out.size() - distance;
            for (std::size_t i = 0; i < length; ++i) out.push_back(out[from + i]);
        }
        if (progress && out.size() >= nextReport) {
            progress(bits.bytesRead(), out.size());
            nextReport = out.size() + kReportEvery;
        }
    }
    if (progress) progress(bits.bytesRead(), out.size());
    // The compressor ends the stream with the last symbol: bytes left over
    // mean the stored size is smaller than what was compressed.
    return bits.bytesRead() == in.size() && bits.restIsZero() ? DecodeStatus::Ok : DecodeStatus::Corrupt;
}

}  // namespace lumo::admin
