#include "core/scramble.h"

namespace lumo::core {

namespace {

constexpr std::string_view kKey = "QUENTARB";

unsigned char byteAt(std::string_view text, std::size_t index) {
    return static_cast<unsigned char>(text[index]);
}

}  // namespace

// Unsigned char arithmetic wraps modulo 256, which is the routine's rule.
std::string scrambleBytes(std::string_view plain) {
    std::string out(plain.size(), '\0');
    for (std::size_t i = 0; i < plain.size(); ++i) {
        // Past the key, each byte is chained to the scrambled byte one key length before it.
        const unsigned char addend = i < kKey.size() ? byteAt(kKey, i) : byteAt(out, i - kKey.size());
        out[i] = static_cast<char>(static_cast<unsigned char>(byteAt(plain, i) + addend));
    }
    return out;
}

std::string unscrambleBytes(std::string_view scrambled) {
    std::string out(scrambled.size(), '\0');
    // The addends are all scrambled bytes, so the order of the subtractions does not matter.
    for (std::size_t i = 0; i < scrambled.size(); ++i) {
        const unsigned char addend = i < kKey.size() ? byteAt(kKey, i) : byteAt(scrambled, i - kKey.size());
        out[i] = static_cast<char>(static_cast<unsigned char>(byteAt(scrambled, i) - addend));
    }
    return out;
}

}  // namespace lumo::core
