#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "admin/byte_stream.h"

namespace lumo::admin {

// Bits packed most significant first; the last byte is padded with zeros.
class BitWriter {
public:
    explicit BitWriter(std::string& out) : out_(out) {}

    // The low `count` bits of `bits` (count <= 32), the highest of them first.
    void put(std::uint32_t bits, int count) {
        buffer_ = (buffer_ << count) | (bits & ((count == 32) ? 0xFFFFFFFFu : ((1u << count) - 1)));
        pending_ += count;
        while (pending_ >= 8) {
            pending_ -= 8;
            out_.push_back(static_cast<char>((buffer_ >> pending_) & 0xFF));
        }
    }
    void flush() {
        if (pending_ > 0) out_.push_back(static_cast<char>((buffer_ << (8 - pending_)) & 0xFF));
        pending_ = 0;
        buffer_ = 0;
    }

private:
    std::string& out_;
    std::uint64_t buffer_ = 0;
    int pending_ = 0;
};

// Reads what BitWriter wrote, from a source in chunks. Reading past the end
// gives zeros and marks the reader exhausted, so a decoder checks once per
// symbol instead of per bit.
class BitReader {
public:
    explicit BitReader(ByteSource& in) : in_(in), chunk_(kChunk) {}

    unsigned bit() {
        if (available_ == 0) refill();
        --available_;
        return static_cast<unsigned>((buffer_ >> available_) & 1u);
    }
    std::uint32_t bits(int count) {
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i) value = (value << 1) | bit();
        return value;
    }
    bool exhausted() const { return exhausted_; }
    // True when the bits not yet read of the current byte are all zero (the padding).
    bool restIsZero() const { return (buffer_ & ((1u << available_) - 1)) == 0; }
    std::uint64_t bytesRead() const { return taken_; }
    // True when every byte of the source has been taken.
    bool atEnd() { return next_ == end_ && !fetch(); }

private:
    static constexpr std::size_t kChunk = 64 * 1024;

    bool fetch() {
        next_ = 0;
        end_ = in_.read(chunk_.data(), chunk_.size());
        return end_ > 0;
    }
    void refill() {
        if (next_ < end_ || fetch()) {
            buffer_ = chunk_[next_++];
            ++taken_;
        } else {
            buffer_ = 0;
            exhausted_ = true;
        }
        available_ = 8;
    }

    ByteSource& in_;
    std::vector<std::uint8_t> chunk_;
    std::size_t next_ = 0;
    std::size_t end_ = 0;
    std::uint64_t taken_ = 0;
    std::uint32_t buffer_ = 0;
    int available_ = 0;
    bool exhausted_ = false;
};

}  // namespace lumo::admin
