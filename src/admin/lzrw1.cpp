#include "admin/lzrw1.h"

#include <algorithm>
#include <cstring>

namespace lumo::admin {

namespace {

constexpr std::size_t kMinCopy = 3;
constexpr std::size_t kMaxCopy = 18;
constexpr std::size_t kMaxDistance = 4095;
constexpr std::size_t kMinRun = 16;
constexpr std::size_t kMaxRun = 4095;
constexpr int kGroupItems = 16;

inline std::size_t hashOf(const std::uint8_t* p) {
    const std::uint32_t key = (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2];
    return (key * 2654435761u) >> 20 & 0xFFF;
}

// Writes the items of one block behind their control words.
class ItemWriter {
public:
    explicit ItemWriter(std::uint8_t* out) : out_(out) {}

    // Bytes written so far after the flag byte.
    std::size_t size() const { return pos_ - 1; }

    void literal(std::uint8_t byte) {
        startItem(false);
        out_[pos_++] = byte;
    }
    void copy(std::size_t distance, std::size_t length) {
        startItem(true);
        out_[pos_++] = static_cast<std::uint8_t>(distance >> 4);
        out_[pos_++] = static_cast<std::uint8_t>(((distance & 0xF) << 4) | (length - kMinCopy));
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
        if (copyOrRun) control_ |= static_cast<std::uint16_t>(0x8000u >> items_);
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

}  // namespace

std::size_t Lzrw1Compressor::compressBlock(const std::uint8_t* in, std::size_t n, std::uint8_t* out) {
    n = std::min(n, kLzrw1BlockSize);
    table_.fill(kEmpty);
    ItemWriter items(out);
    std::size_t src = 0;
    // The largest item with its control word takes 6 bytes; stop before the
    // output could reach the size of the stored block.
    while (src < n && items.size() + 6 < n) {
        const std::uint8_t byte = in[src];
        const std::size_t left = n - src;
        if (left >= kMinRun && in[src + kMinRun - 1] == byte && in[src + 1] == byte) {
            std::size_t run = 1;
            const std::size_t limit = std::min(left, kMaxRun);
            while (run < limit && in[src + run] == byte) ++run;
            if (run >= kMinRun) {
                items.run(run, byte);
                src += run;
                continue;
            }
        }
        if (left >= kMinCopy) {
            const std::size_t slot = hashOf(in + src);
            const std::size_t candidate = table_[slot];
            table_[slot] = static_cast<std::uint16_t>(src);
            if (candidate != kEmpty && src - candidate <= kMaxDistance && in[candidate] == in[src] &&
                in[candidate + 1] == in[src + 1] && in[candidate + 2] == in[src + 2]) {
                std::size_t length = kMinCopy;
                const std::size_t limit = std::min(left, kMaxCopy);
                while (length < limit && in[candidate + length] == in[src + length]) ++length;
                items.copy(src - candidate, length);
                src += length;
                continue;
            }
        }
        items.literal(byte);
        ++src;
    }
    items.finish();
    if (src < n || items.size() >= n) {
        out[0] = kLzrw1Stored;
        if (n > 0) std::memcpy(out + 1, in, n);
        return n + 1;
    }
    out[0] = kLzrw1Compressed;
    return items.size() + 1;
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
            if ((control & (0x8000u >> item)) == 0) {
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
            // Byte by byte: a copy may overlap the bytes it produces.
            for (std::size_t i = 0; i < count; ++i, ++dst) out[dst] = out[dst - distance];
            src += 2;
        }
    }
    produced = dst;
    return DecodeStatus::Ok;
}

}  // namespace lumo::admin
