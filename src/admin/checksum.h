#pragma once

#include <cstdint>
#include <string_view>

#include "admin/byte_stream.h"

namespace lumo::admin {

// CRC-32 (the reflected 0xEDB88320 polynomial); `crc` continues an earlier sum.
std::uint32_t crc32(std::string_view bytes, std::uint32_t crc = 0);

// Sums what it is given: a stream checked without being kept.
class Crc32Sink : public ByteSink {
public:
    std::uint32_t crc() const { return crc_; }

protected:
    void write(const std::uint8_t* bytes, std::size_t n) override {
        crc_ = crc32(std::string_view(reinterpret_cast<const char*>(bytes), n), crc_);
    }

private:
    std::uint32_t crc_ = 0;
};

}  // namespace lumo::admin
