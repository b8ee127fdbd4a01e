#include "admin/lzrw1.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace lumo::admin {

namespace {

constexpr std::size_t kMinCopy = 3;
constexpr std::size_t kMaxCopy = 18;
constexpr std::size_t kMaxDistance = 4095;
constexpr std::size_t kMinRun = 16;
constexpr std::size_t kMaxRun = 4095;
constexpr int kGroupItems = 16;

inline std::uint32_t load32(const std::uint8_t* p) {
    std::uint32_t value;
    std::memcpy(&value, p, 4);
    return value;
}
inline std::uint64_t load64(const std::uint8_t* p) {
    std::uint64_t value;
    std::memcpy(&value, p, 8);
    return value;
}

// The three bytes at p, the first one highest; reads four.
inline std::uint32_t keyOf(const std::uint8_t* p) {
    if constexpr (std::endian::native == std::endian::little) return __builtin_bswap32(load32(p)) >> 8;
    return load32(p) >> 8;
}

inline std::size_t hashOf(std::uint32_t key) {
    return (key * 2654435761u) >> 20 & 0xFFF;
}

// Bytes equal at the start of two words whose XOR is `diff` (not 0).
inline std::size_t equalBytes(std::uint64_t diff) {
    if constexpr (std::endian::native == std::endian::little) return std::countr_zero(diff) / 8;
    return std::countl_zero(diff) / 8;
}

// How far the bytes at a and b agree, from the first 3 up to kMaxCopy; may
// read kMaxCopy bytes from either.
inline std::size_t matchLength(const std::uint8_t* a, const std::uint8_t* b) {
    // Two words cover bytes 3 ... 17; the first differing byte ends the match.
    if (const std::uint64_t diff = load64(a + 3) ^ load64(b + 3)) return 3 + equalBytes(diff);
    if (const std::uint64_t diff = load64(a + 10) ^ load64(b + 10)) return 10 + equalBytes(diff);
    return kMaxCopy;
}

// Writes the items of one block behind their control words.
class ItemWriter {
public:
    explicit ItemWriter(std::uint8_t* out) : out_(out) {}

    // Bytes written so far after the flag byte.
    std::size_t size() const { return pos_ - 1; }

    // A copy when `isCopy`, else the literal `byte`. Chosen without a branch,
    // which on data that half matches would be mispredicted half the time;
    // the second byte is written either way and a literal's is written over.
    void literalOrCopy(bool isCopy, std::uint8_t byte, std::size_t distance, std::size_t length) {
        startItem(isCopy);
        out_[pos_] = isCopy ? static_cast<std::uint8_t>(distance >> 4) : byte;
        out_[pos_ + 1] = static_cast<std::uint8_t>(((distance & 0xF) << 4) | ((length - kMinCopy) & 0xF));
        pos_ += 1 + std::size_t{isCopy};
    }
    void run(std::size_t length, std::uint8_t byte) {
        startItem(true);
        const std::size_t stored = length - kMinRun;
        out_[pos_++] = 0;
        out_[pos_++] = static_cast<std::uint8_t>(stored >> 8);
        out_[pos_++] = static_cast<std::uint8_t>(stored & 0xFF);
        out_[pos_++] = byte;
    }
    // Stores the last control word; its unused low bits stay 0.
    void finish() {
        if (items_ > 0) storeControl();
    }

private:
    void startItem(bool copyOrRun) {
        if (items_ == kGroupItems) {
            storeControl();
            items_ = 0;
        }
        if (items_ == 0) {
            controlPos_ = pos_;
            pos_ += 2;
            control_ = 0;
        }
        control_ |= static_cast<std::uint16_t>(unsigned{copyOrRun} << (kGroupItems - 1 - items_));
        ++items_;
    }
    void storeControl() {
        out_[controlPos_] = static_cast<std::uint8_t>(control_ >> 8);
        out_[controlPos_ + 1] = static_cast<std::uint8_t>(control_ & 0xFF);
    }

    std::uint8_t* out_;
    std::size_t pos_ = 1;  // after the flag byte
    std::size_t controlPos_ = 0;
    std::uint16_t control_ = 0;
    int items_ = 0;
};

// Bytes a copy of whole words writes: the longest copy, rounded up.
constexpr std::size_t kCopyWords = 24;

// Copies kCopyWords bytes, word after word: `from` is at least one word
// before `to` or in another buffer. What lands past the item's end is
// written over by the next items or lies beyond the block.
inline void copyWords(std::uint8_t* to, const std::uint8_t* from) {
    std::memcpy(to, from, 8);
    std::memcpy(to + 8, from + 8, 8);
    std::memcpy(to + 16, from + 16, 8);
}

// Copies `count` bytes from `distance` back; `room` bytes may be written.
inline void copyMatch(std::uint8_t* to, std::size_t distance, std::size_t count, std::size_t room) {
    const std::uint8_t* from = to - distance;
    if (distance >= 8 && room >= kCopyWords) {
        copyWords(to, from);
        return;
    }
    // Byte by byte: a near copy repeats the bytes it produces.
    for (std::size_t i = 0; i < count; ++i) to[i] = from[i];
}

}  // namespace

namespace {

// One block on its way through the compressor, an item at a time.
class BlockCompression {
public:
    // `in` has room behind its n bytes, so every comparison can read whole
    // words; what lies past the input is never taken into an item.
    BlockCompression(const std::uint8_t* in, std::size_t n, std::uint16_t* table, std::uint8_t* out)
        : in_(in), n_(std::min(n, kLzrw1BlockSize)), table_(table), out_(out), items_(out) {
        std::fill(table, table + kLzrw1TableSize, kLzrw1Empty);
    }

    // The largest item with its control word takes 6 bytes; stop before the
    // output could reach the size of the stored block.
    bool active() const { return src_ < n_ && items_.size() + 6 < n_; }

    void step() {
        const std::uint8_t byte = in_[src_];
        const std::size_t left = n_ - src_;
        if (left >= kMinRun && in_[src_ + kMinRun - 1] == byte && in_[src_ + 1] == byte) {
            std::size_t run = 1;
            const std::size_t limit = std::min(left, kMaxRun);
            while (run < limit && in_[src_ + run] == byte) ++run;
            if (run >= kMinRun) {
                items_.run(run, byte);
                src_ += run;
                return;
            }
        }
        if (left < kMinCopy) {
            items_.literalOrCopy(false, byte, 0, kMinCopy);
            ++src_;
            return;
        }
        const std::uint32_t key = keyOf(in_ + src_);
        const std::size_t slot = hashOf(key);
        const std::size_t candidate = table_[slot];
        table_[slot] = static_cast<std::uint16_t>(src_);
        // An empty slot reads some position of the block and is then refused.
        const std::uint8_t* earlier = in_ + (candidate & (kLzrw1BlockSize - 1));
        const bool isCopy =
            (candidate != kLzrw1Empty) & (src_ - candidate <= kMaxDistance) & (keyOf(earlier) == key);
        const std::size_t length = std::min({matchLength(earlier, in_ + src_), left, kMaxCopy});
        items_.literalOrCopy(isCopy, byte, src_ - candidate, length);
        src_ += isCopy ? length : 1;
    }

    // The block's length, stored when the items would not make it smaller.
    std::size_t finish() {
        items_.finish();
        if (src_ < n_ || items_.size() >= n_) {
            out_[0] = kLzrw1Stored;
            if (n_ > 0) std::memcpy(out_ + 1, in_, n_);
            return n_ + 1;
        }
        out_[0] = kLzrw1Compressed;
        return items_.size() + 1;
    }

private:
    const std::uint8_t* in_;
    std::size_t n_;
    std::uint16_t* table_;
    std::uint8_t* out_;
    ItemWriter items_;
    std::size_t src_ = 0;
};

}  // namespace

Lzrw1Compressor::Lzrw1Compressor()
    : tables_(2 * kLzrw1TableSize), padded_(2 * kPaddedSize) {}

std::uint8_t* Lzrw1Compressor::input(int lane) {
    return padded_.data() + static_cast<std::size_t>(lane) * kPaddedSize;
}

std::size_t Lzrw1Compressor::compressInput(std::size_t n, std::uint8_t* out) {
    BlockCompression block(input(0), n, tables_.data(), out);
    while (block.active()) block.step();
    return block.finish();
}

std::size_t Lzrw1Compressor::compressBlock(const std::uint8_t* in, std::size_t n, std::uint8_t* out) {
    n = std::min(n, kLzrw1BlockSize);
    if (n > 0) std::memcpy(input(0), in, n);
    return compressInput(n, out);
}

std::array<std::size_t, 2> Lzrw1Compressor::compressInputs(std::size_t firstSize, std::uint8_t* firstOut,
                                                           std::size_t secondSize, std::uint8_t* secondOut) {
    BlockCompression a(input(0), firstSize, tables_.data(), firstOut);
    BlockCompression b(input(1), secondSize, tables_.data() + kLzrw1TableSize, secondOut);
    // Each block's items wait on its own table and bytes; taken in turns the
    // two keep the processor busy while either waits.
    while (a.active() && b.active()) {
        a.step();
        b.step();
    }
    while (a.active()) a.step();
    while (b.active()) b.step();
    return {a.finish(), b.finish()};
}

DecodeStatus lzrw1DecompressBlock(const std::uint8_t* in, std::size_t length, std::uint8_t* out,
                                  std::size_t capacity, std::size_t& produced) {
    produced = 0;
    if (length == 0) return DecodeStatus::Ok;
    if (in[0] == kLzrw1Stored) {
        if (length - 1 > capacity) return DecodeStatus::Corrupt;
        if (length > 1) std::memcpy(out, in + 1, length - 1);
        produced = length - 1;
        return DecodeStatus::Ok;
    }
    if (in[0] != kLzrw1Compressed) return DecodeStatus::Corrupt;
    std::size_t src = 1;
    std::size_t dst = 0;
    while (src < length) {
        if (length - src < 2) return DecodeStatus::Truncated;
        const unsigned control = (unsigned(in[src]) << 8) | in[src + 1];
        src += 2;
        for (int item = 0; item < kGroupItems && src < length; ++item) {
            const unsigned copyBit = (control >> (kGroupItems - 1 - item)) & 1u;
            if (length - src >= kCopyWords && capacity - dst >= kCopyWords && dst >= 8) {
                // Literals and far copies without a branch between them, which
                // would be mispredicted on data that half matches: a literal
                // is a copy of one byte from the input.
                const std::size_t distance = (std::size_t(in[src]) << 4) | (in[src + 1] >> 4);
                const std::size_t count = (in[src + 1] & 0xF) + kMinCopy;
                // A copy from less than a word back, a run or a copy from before the start.
                const unsigned notFar = (distance - 8) > (dst - 8);
                if ((copyBit & notFar) == 0) {
                    // All ones for a copy: the choices are masks, not jumps.
                    const std::uintptr_t copy = std::uintptr_t{0} - copyBit;
                    const std::uintptr_t from = ((reinterpret_cast<std::uintptr_t>(out + dst) - distance) & copy) |
                                                (reinterpret_cast<std::uintptr_t>(in + src) & ~copy);
                    copyWords(out + dst, reinterpret_cast<const std::uint8_t*>(from));
                    dst += 1 + ((count - 1) & copy);
                    src += 1 + (1 & copy);
                    continue;
                }
            }
            if (copyBit == 0) {
                if (dst >= capacity) return DecodeStatus::Corrupt;
                out[dst++] = in[src++];
                continue;
            }
            if (length - src < 2) return DecodeStatus::Truncated;
            const std::size_t distance = (std::size_t(in[src]) << 4) | (in[src + 1] >> 4);
            if (distance == 0) {
                if (length - src < 4) return DecodeStatus::Truncated;
                const std::size_t run = ((std::size_t(in[src + 1]) << 8) | in[src + 2]) + kMinRun;
                if (run > capacity - dst) return DecodeStatus::Corrupt;
                std::memset(out + dst, in[src + 3], run);
                dst += run;
                src += 4;
                continue;
            }
            const std::size_t count = (in[src + 1] & 0xF) + kMinCopy;
            if (distance > dst || count > capacity - dst) return DecodeStatus::Corrupt;
            copyMatch(out + dst, distance, count, capacity - dst);
            dst += count;
            src += 2;
        }
    }
    produced = dst;
    return DecodeStatus::Ok;
}

}  // namespace lumo::admin
