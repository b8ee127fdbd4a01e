#pragma once

#include <QString>
#include <string_view>

namespace lumo::platform {

// The engine's UTF-8 texts as the widgets take them.
inline QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace lumo::platform
