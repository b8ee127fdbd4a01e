#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace lumo::core {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

// The sixteen colour names of the settings, in the order the dialogs offer them.
inline constexpr std::array<std::string_view, 16> kColorNames = {
    "BLACK", "MAROON", "GREEN", "OLIVE", "NAVY", "PURPLE", "TEAL", "GRAY",
    "SILVER", "RED", "LIME", "YELLOW", "BLUE", "FUCHSIA", "AQUA", "WHITE"};

// A colour name in any letter case; anything else raises EConvertError
// "<NAME> is not valid color".
Rgb colorFromName(std::string_view name);

}  // namespace lumo::core
