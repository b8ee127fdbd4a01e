#include "platform/keyboard_layout.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QLocale>

#include "core/settings.h"

namespace lumo::platform {

int probeKeyboardLayout() {
    const QInputMethod* inputMethod = QGuiApplication::inputMethod();
    if (inputMethod == nullptr) return 2;
    return core::keyboardLayoutFromLocale(inputMethod->locale().name().toStdString());
}

}  // namespace lumo::platform
