// LZRW1/KH: arbitrary bytes as a .lzw body and as a single block must be
// refused or decoded without touching memory outside the buffers; whatever
// is compressed must come back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "admin/lzrw1.h"
#include "admin/lzw_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumo::admin;
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    std::vector<std::uint8_t> out(kLzrw1BlockSize);
    std::size_t produced = 0;
    lzrw1DecompressBlock(data, size, out.data(), out.size(), produced);
    if (produced > out.size()) std::abort();

    const LzwDecoded framed = decodeLzw("WRZL" + bytes);
    if (framed.fault == LzwFault::None && framed.data.size() != (size >= 4 ? (data[0] | data[1] << 8 | data[2] << 16 | std::uint32_t(data[3]) << 24) : 0u)) {
        std::abort();
    }

    const LzwDecoded back = decodeLzw(encodeLzw(bytes, LzwMethod::Lzrw1Kh));
    if (back.fault != LzwFault::None || back.data != bytes) std::abort();
    return 0;
}
