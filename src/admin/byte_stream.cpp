#include "admin/byte_stream.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "admin/binary_io.h"

namespace lumo::admin {

std::size_t MemorySource::read(std::uint8_t* buffer, std::size_t n) {
    n = std::min(n, bytes_.size());
    if (n > 0) std::memcpy(buffer, bytes_.data(), n);
    bytes_.remove_prefix(n);
    return n;
}

std::size_t FileSource::read(std::uint8_t* buffer, std::size_t n) {
    if (failed_) return 0;
    const std::optional<std::size_t> got = file_.readSome(buffer, n);
    if (!got) failed_ = true;
    return got.value_or(0);
}

void FileSink::write(const std::uint8_t* bytes, std::size_t n) {
    if (!failed_ && !file_.write(bytes, n)) failed_ = true;
}

bool copyStream(ByteSource& in, ByteSink& out) {
    std::vector<std::uint8_t> chunk(64 * 1024);
    while (const std::size_t n = in.read(chunk.data(), chunk.size())) out.put(chunk.data(), n);
    return !in.failed();
}

}  // namespace lumo::admin
