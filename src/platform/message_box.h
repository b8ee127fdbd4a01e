#pragma once

#include <QMessageBox>
#include <QString>

namespace lumo::core {
class Texts;
}

namespace lumo::platform {

// The message boxes of the workstation: their buttons speak the language of
// the texts (OK, Cancel, Yes, No, Abort, Retry); the answer is the button pressed.
QMessageBox::StandardButton showMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                        const QString& text, const core::Texts& texts,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok);
// The same box, its top-left corner at `topLeft` (screen coordinates) instead
// of centred over the parent: where a report must leave the window it speaks
// of in view.
QMessageBox::StandardButton showMessageAt(QWidget* parent, const QPoint& topLeft, QMessageBox::Icon icon,
                                          const QString& title, const QString& text, const core::Texts& texts);
// A Yes/No question; true for Yes.
bool askYesNo(QWidget* parent, const QString& title, const QString& text, const core::Texts& texts);

}  // namespace lumo::platform
