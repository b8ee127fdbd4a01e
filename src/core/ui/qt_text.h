#pragma once

#include "platform/qt_text.h"

namespace lumo::core::ui {

using platform::qs;

}  // namespace lumo::core::ui
