#include "platform/key_script_player.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <iostream>

// Qt's own way of giving a synthetic key to the shortcut map first (exported by
// QtGui; its test library uses it the same way).
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int k, Qt::KeyboardModifiers mods,
                                               const QString& text, bool autorep, ushort count);

namespace lumo::platform {

namespace {

// Steps follow each other after the program has had time to react.
constexpr int kStepPeriodMs = 40;

QString windowName(const QWidget* window) {
    if (window == nullptr) return QStringLiteral("(none)");
    if (qobject_cast<const QMessageBox*>(window) != nullptr) return QStringLiteral("box");
    return window->objectName().isEmpty() ? QString::fromLatin1(window->metaObject()->className())
                                          : window->objectName();
}

void sendKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    const ulong stamp = static_cast<ulong>(QDateTime::currentMSecsSinceEpoch());
    if (qt_sendShortcutOverrideEvent(target, stamp, key, modifiers, text, false, 1)) return;
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &release);
}

QWidget* keyTarget() {
    QWidget* window = activeTopWindow();
    if (window == nullptr) return nullptr;
    QWidget* focus = window->focusWidget();
    return focus != nullptr && focus->window() == window ? focus : window;
}

bool showsText(QWidget* window, const QString& text) {
    if (const auto* box = qobject_cast<QMessageBox*>(window)) {
        if (box->text().contains(text)) return true;
    }
    if (window->windowTitle().contains(text)) return true;
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        if (label->isVisible() && label->text().contains(text)) return true;
    }
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (button->isVisible() && button->text().contains(text)) return true;
    }
    return false;
}

}  // namespace

QWidget* activeTopWindow() {
    if (QWidget* popup = QApplication::activePopupWidget()) return popup;
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    // Some platforms (the offscreen one) leave the activation with a dialog
    // that has closed, or give it back to no one: the window left open takes
    // the keys then.
    if (QWidget* active = QApplication::activeWindow(); active != nullptr && active->isVisible()) return active;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->windowType() == Qt::Window && window->parentWidget() == nullptr) {
            window->activateWindow();
            return window;
        }
    }
    return nullptr;
}

KeyScriptPlayer::KeyScriptPlayer(std::vector<core::KeyScriptStep> steps, std::filesystem::path pictureFolder,
                                 QObject* parent)
    : QObject(parent), steps_(std::move(steps)), pictureFolder_(std::move(pictureFolder)), timer_(new QTimer(this)) {
    timer_->setInterval(kStepPeriodMs);
    connect(timer_, &QTimer::timeout, this, &KeyScriptPlayer::tick);
}

void KeyScriptPlayer::start() {
    timer_->start();
}

void KeyScriptPlayer::tick() {
    if (next_ >= steps_.size()) {
        timer_->stop();
        return;
    }
    const core::KeyScriptStep& step = steps_[next_];
    if (step.kind == core::KeyScriptStep::Kind::Wait && !perform(step)) return;
    ++next_;
    waitingSince_ = -1;
    if (step.kind == core::KeyScriptStep::Kind::Wait) return;
    // A key may open a modal window whose loop runs until it closes. A timer
    // does not fire again inside its own handler, so the step runs from the
    // event queue instead: the ticks from inside that loop go on with the
    // next steps.
    QMetaObject::invokeMethod(this, [this, step] { perform(step); }, Qt::QueuedConnection);
}

bool KeyScriptPlayer::perform(const core::KeyScriptStep& step) {
    using Kind = core::KeyScriptStep::Kind;
    const QString argument = QString::fromStdString(step.argument);
    QWidget* window = activeTopWindow();
    switch (step.kind) {
        case Kind::Wait: {
            if (window != nullptr && window->isVisible() && windowName(window) == argument) return true;
            const qint64 now = QDateTime::currentMSecsSinceEpoch();
            if (waitingSince_ < 0) waitingSince_ = now;
            if (now - waitingSince_ > static_cast<qint64>(step.seconds * 1000)) {
                fail(step, "the window " + argument + " did not come; the active one is " + windowName(window));
            }
            return false;
        }
        case Kind::Expect:
            if (window == nullptr || !showsText(window, argument)) {
                fail(step, windowName(window) + " does not show \"" + argument + "\"");
            }
            return true;
        case Kind::Key: {
            const QKeySequence sequence = QKeySequence::fromString(argument, QKeySequence::PortableText);
            if (sequence.isEmpty()) fail(step, "no such key: " + argument);
            const QKeyCombination combination = sequence[0];
            const int key = static_cast<int>(combination.key());
            const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
            // Printable keys carry their text, as the window system gives it.
            QString text;
            if (key >= 0x20 && key <= 0xFFFF && QChar::isPrint(static_cast<char32_t>(key)) &&
                !(modifiers & (Qt::ControlModifier | Qt::AltModifier))) {
                text = QChar(key).toLower();
            } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                text = QStringLiteral("\r");
            }
            for (int i = 0; i < step.count; ++i) {
                QWidget* target = keyTarget();
                if (target == nullptr) fail(step, "no window takes keys");
                sendKey(target, key, modifiers, text);
            }
            return true;
        }
        case Kind::Type:
            for (const QChar c : argument) {
                QWidget* target = keyTarget();
                if (target == nullptr) fail(step, "no window takes keys");
                const int key = c.isLetter() && c.unicode() < 0x80 ? c.toUpper().unicode() : static_cast<int>(Qt::Key_unknown);
                sendKey(target, c == QLatin1Char(' ') ? static_cast<int>(Qt::Key_Space) : key, Qt::NoModifier, QString(c));
            }
            return true;
        case Kind::Focus: {
            QWidget* control = window != nullptr ? window->findChild<QWidget*>(argument) : nullptr;
            if (control == nullptr) fail(step, windowName(window) + " has no control " + argument);
            control->setFocus(Qt::TabFocusReason);
            return true;
        }
        case Kind::Shot: {
            if (window == nullptr) fail(step, "no window to picture");
            const std::filesystem::path file = pictureFolder_ / step.argument;
            if (!window->grab().save(QString::fromStdString(file.string()), "PNG")) {
                fail(step, "cannot save " + QString::fromStdString(file.string()));
            }
            return true;
        }
    }
    return true;
}

void KeyScriptPlayer::fail(const core::KeyScriptStep& step, const QString& why) const {
    std::cerr << "lumo: key script line " << step.line << ": " << why.toStdString() << std::endl;
    std::_Exit(3);
}

}  // namespace lumo::platform
