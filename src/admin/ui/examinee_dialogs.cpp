#include "admin/ui/examinee_dialogs.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QSet>

#include "platform/message_box.h"

namespace lumo::admin::ui {

DialogBoxes DialogBoxes::messageBoxes(QWidget& parent, const core::Texts& texts) {
    const auto show = [&parent, &texts](QMessageBox::Icon icon, const QString& text) {
        platform::showMessage(&parent, icon, parent.windowTitle(), text, texts);
    };
    DialogBoxes boxes;
    boxes.confirm = [&parent, &texts](const QString& text) {
        return platform::askYesNo(&parent, parent.windowTitle(), text, texts);
    };
    boxes.inform = [show](const QString& text) { show(QMessageBox::Information, text); };
    boxes.warn = [show](const QString& text) { show(QMessageBox::Warning, text); };
    boxes.error = [show](const QString& text) { show(QMessageBox::Critical, text); };
    return boxes;
}

namespace {

QString captionOf(QWidget* widget) {
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
    return {};
}

void setCaption(QWidget* widget, const QString& caption) {
    if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(caption);
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) button->setText(caption);
}

// The letter after a single "&", or a null character.
QChar accessKey(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&')) continue;
        if (caption[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return caption[i + 1].toUpper();
    }
    return {};
}

}  // namespace

void giveAccessKeys(const QList<QWidget*>& widgets) {
    QSet<QChar> taken;
    for (QWidget* widget : widgets) {
        const QChar key = accessKey(captionOf(widget));
        if (!key.isNull()) taken.insert(key);
    }
    for (QWidget* widget : widgets) {
        QString caption = captionOf(widget);
        if (!accessKey(caption).isNull() || caption.contains(QLatin1Char('&'))) continue;
        for (qsizetype i = 0; i < caption.size(); ++i) {
            const QChar letter = caption[i].toUpper();
            if (!caption[i].isLetter() || taken.contains(letter)) continue;
            taken.insert(letter);
            caption.insert(i, QLatin1Char('&'));
            setCaption(widget, caption);
            break;
        }
    }
}

bool PendingError::guard(const std::function<void()>& body, const std::function<void()>& close) {
    try {
        body();
        return true;
    } catch (...) {
        error_ = std::current_exception();
    }
    close();
    return false;
}

void PendingError::rethrow() {
    if (!error_) return;
    const std::exception_ptr error = error_;
    error_ = nullptr;
    std::rethrow_exception(error);
}

}  // namespace lumo::admin::ui
