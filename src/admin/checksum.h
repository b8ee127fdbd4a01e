#pragma once

#include <cstdint>
#include <string_view>

namespace lumo::admin {

// CRC-32 (the reflected 0xEDB88320 polynomial); `crc` continues an earlier sum.
std::uint32_t crc32(std::string_view bytes, std::uint32_t crc = 0);

}  // namespace lumo::admin
