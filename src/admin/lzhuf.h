#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "admin/lzrw1.h"

namespace lumo::admin {

class ByteSink;
class ByteSource;

// Reports the bytes consumed and produced so far; called every few
// kilobytes so a window can move its gauge.
using CodecProgress = std::function<void(std::uint64_t read, std::uint64_t written)>;

// LZHUF: LZSS over a 4 096-byte window with matches of 3 ... 60 bytes,
// literals and match lengths coded with the adaptive Huffman code, the
// distance's upper 6 bits with a fixed prefix code and its lower 6 bits as
// they are. Both directions stream: memory stays the same for any size.

// Compresses the `size` bytes `in` delivers into `out`; false when `in`
// ended early (what it gave is then compressed, and of no use).
bool lzhufCompress(ByteSource& in, std::uint64_t size, ByteSink& out, const CodecProgress& progress = {});
std::string lzhufCompress(std::string_view in, const CodecProgress& progress = {});

// Decodes exactly `size` bytes into `out`. A stream that ends early is
// Truncated; a copy from before the start or past `size`, or bytes left over
// after `size` bytes, is Corrupt.
DecodeStatus lzhufDecompress(ByteSource& in, std::uint64_t size, ByteSink& out, const CodecProgress& progress = {});
DecodeStatus lzhufDecompress(std::string_view in, std::size_t size, std::string& out,
                             const CodecProgress& progress = {});

}  // namespace lumo::admin
