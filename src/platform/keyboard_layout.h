#pragma once

namespace lumo::platform {

// The keyboard layout probe of the dialogs that take typed names:
// 1 Cyrillic, 0 Latin, 2 unknown, from the input method's locale.
int probeKeyboardLayout();

}  // namespace lumo::platform
