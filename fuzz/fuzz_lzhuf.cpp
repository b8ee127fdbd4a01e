// LZHUF: arbitrary bytes as a stream with a stated size must be refused or
// decoded within bounds; whatever is compressed must come back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "admin/lzhuf.h"
#include "admin/lzw_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumo::admin;
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    if (size >= 3) {
        // The first three bytes give the size to decode (up to 16 MB).
        const std::size_t stated = data[0] | (data[1] << 8) | (std::size_t(data[2]) << 16);
        std::string out;
        const DecodeStatus status = lzhufDecompress(bytes.substr(3), stated, out);
        if (status == DecodeStatus::Ok && out.size() != stated) std::abort();
    }
    const LzwDecoded framed = decodeLzw("!HZL" + bytes);
    (void)framed;

    const LzwDecoded back = decodeLzw(encodeLzw(bytes, LzwMethod::Lzhuf));
    if (back.fault != LzwFault::None || back.data != bytes) std::abort();
    return 0;
}
