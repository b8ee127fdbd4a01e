#include "platform/message_box.h"

#include <QAbstractButton>
#include <utility>

#include "core/settings.h"
#include "core/texts/core.h"
#include "platform/qt_text.h"

namespace lumo::platform {

namespace {

void nameButtons(QMessageBox& box, const core::Texts& texts) {
    constexpr std::pair<QMessageBox::StandardButton, int> kCaptions[] = {
        {QMessageBox::Ok, txt::ButtonOk},       {QMessageBox::Cancel, txt::ButtonCancel},
        {QMessageBox::Yes, txt::ButtonYes},     {QMessageBox::No, txt::ButtonNo},
        {QMessageBox::Abort, txt::ButtonAbort}, {QMessageBox::Retry, txt::ButtonRetry},
    };
    for (const auto& [button, id] : kCaptions) {
        if (QAbstractButton* shown = box.button(button)) shown->setText(qs(texts(id)));
    }
}

}  // namespace

QMessageBox::StandardButton showMessage(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                        const QString& text, const core::Texts& texts,
                                        QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, title, text, buttons, parent);
    nameButtons(box, texts);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QMessageBox::StandardButton showMessageAt(QWidget* parent, const QPoint& topLeft, QMessageBox::Icon icon,
                                          const QString& title, const QString& text, const core::Texts& texts) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    nameButtons(box, texts);
    // A box moved before it is shown stays where it was put.
    box.move(topLeft);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

bool askYesNo(QWidget* parent, const QString& title, const QString& text, const core::Texts& texts) {
    return showMessage(parent, QMessageBox::Question, title, text, texts, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

}  // namespace lumo::platform
