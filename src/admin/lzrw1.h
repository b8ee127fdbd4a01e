#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumo::admin {

// LZRW1/KH works on blocks of at most this many input bytes.
inline constexpr std::size_t kLzrw1BlockSize = 32768;
// A compressed block can exceed its input by the flag byte and a few items
// before the compressor gives up and stores it; this is its working room.
inline constexpr std::size_t kLzrw1WorkSize = kLzrw1BlockSize + 16;

// First byte of a block: how the rest of it is to be read.
inline constexpr std::uint8_t kLzrw1Compressed = 64;
inline constexpr std::uint8_t kLzrw1Stored = 128;

// How a decoder found its input.
enum class DecodeStatus {
    Ok,
    Truncated,  // the data ended in the middle of an item or a code
    Corrupt,    // an item that cannot be: a copy before the start, output past its end
};

// Positions the compressor remembers per block, and the mark of none ("all ones").
inline constexpr std::size_t kLzrw1TableSize = 4096;
inline constexpr std::uint16_t kLzrw1Empty = 0xFFFF;

// The LZRW1/KH block compressor. It keeps its tables of previous positions
// between calls only to save the allocation; every block starts afresh.
class Lzrw1Compressor {
public:
    Lzrw1Compressor();

    // Compresses n <= kLzrw1BlockSize bytes into `out` (room for
    // kLzrw1WorkSize bytes) and gives the block's length: the flag byte and the
    // items, or the flag byte and the input when compression would not make
    // the block smaller.
    std::size_t compressBlock(const std::uint8_t* in, std::size_t n, std::uint8_t* out);

    // The same without the copy: a stream reads its blocks straight into the
    // compressor's two inputs (room for kLzrw1BlockSize bytes each, lanes 0
    // and 1) and compresses lane 0, or both at once, as compressBlock would
    // one after the other but in much less time.
    std::uint8_t* input(int lane);
    std::size_t compressInput(std::size_t n, std::uint8_t* out);
    std::array<std::size_t, 2> compressInputs(std::size_t firstSize, std::uint8_t* firstOut, std::size_t secondSize,
                                              std::uint8_t* secondOut);

private:
    // A block being compressed, with room for reading words past its end.
    static constexpr std::size_t kPaddedSize = kLzrw1BlockSize + 32;
    std::vector<std::uint16_t> tables_;
    std::vector<std::uint8_t> padded_;
};

// Decompresses one block of `length` bytes into `out` (room for `capacity`
// bytes); `produced` gets the number of bytes written. An empty block (no
// bytes at all) yields nothing.
DecodeStatus lzrw1DecompressBlock(const std::uint8_t* in, std::size_t length, std::uint8_t* out,
                                  std::size_t capacity, std::size_t& produced);

}  // namespace lumo::admin
