#pragma once

#include <string>
#include <string_view>

namespace lumo::core {

// The record scrambling routine of the operator file and the unit password:
// a byte-wise additive scramble with the key "QUENTARB" over the
// Windows-1251 bytes of a text. The length never changes.
std::string scrambleBytes(std::string_view plain);
std::string unscrambleBytes(std::string_view scrambled);

}  // namespace lumo::core
