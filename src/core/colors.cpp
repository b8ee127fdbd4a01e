#include "core/colors.h"

#include <string>

#include "core/cp1251.h"
#include "core/errors.h"

namespace lumo::core {

namespace {

constexpr std::array<Rgb, 16> kColorValues = {{
    {0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0}, {0, 0, 128}, {128, 0, 128}, {0, 128, 128}, {128, 128, 128},
    {192, 192, 192}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0}, {0, 0, 255}, {255, 0, 255}, {0, 255, 255},
    {255, 255, 255},
}};

}  // namespace

Rgb colorFromName(std::string_view name) {
    const std::string upper = upperCase(name);
    for (std::size_t i = 0; i < kColorNames.size(); ++i) {
        if (kColorNames[i] == upper) return kColorValues[i];
    }
    throw EConvertError(upper + " is not valid color");
}

}  // namespace lumo::core
