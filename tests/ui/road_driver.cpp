#include "ui/road_driver.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <QtTest/QTest>
#include <cstdlib>
#include <iostream>

#include "platform/key_script_player.h"

namespace lumo::test {

namespace {

// The names a failed look-up offers instead.
QString namesIn(QWidget* window) {
    QStringList names;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        const QString name = RoadDriver::nameOf(widget);
        if (widget->isVisible() && !name.isEmpty()) names.append(name);
    }
    return names.join(QStringLiteral(" | "));
}

// Keys and shortcuts reach a window only while it is the active one.
QWidget* keyTarget() {
    QWidget* window = RoadDriver::window();
    if (window == nullptr) return nullptr;
    if (QApplication::activePopupWidget() == nullptr && QApplication::activeWindow() != window) {
        QApplication::setActiveWindow(window);
    }
    QWidget* focus = window->focusWidget();
    return focus != nullptr && focus->window() == window ? focus : window;
}

}  // namespace

RoadDriver::RoadDriver(std::filesystem::path shotFolder, QString shotSuffix)
    : shotFolder_(std::move(shotFolder)), shotSuffix_(std::move(shotSuffix)) {
    if (!shotFolder_.empty()) std::filesystem::create_directories(shotFolder_);
}

QWidget* RoadDriver::window() {
    return platform::activeTopWindow();
}

QString RoadDriver::nameOf(QWidget* control) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
    return face == nullptr ? QString() : face->text(QAccessible::Name).trimmed();
}

QString RoadDriver::windowName(const QWidget* window) {
    if (window == nullptr) return QStringLiteral("(none)");
    if (qobject_cast<const QMessageBox*>(window) != nullptr) return QStringLiteral("box");
    return window->objectName().isEmpty() ? QString::fromLatin1(window->metaObject()->className())
                                          : window->objectName();
}

QWidget* RoadDriver::control(const QString& name) const {
    QWidget* top = window();
    if (top == nullptr) {
        ADD_FAILURE() << "no window to look for \"" << name.toStdString() << "\" in";
        return nullptr;
    }
    // A label that reads the name of its field stands aside for the field.
    QWidget* label = nullptr;
    for (QWidget* widget : top->findChildren<QWidget*>()) {
        if (!widget->isVisible() || RoadDriver::nameOf(widget) != name.trimmed()) continue;
        if (widget->focusPolicy() != Qt::NoFocus) return widget;
        if (label == nullptr) label = widget;
    }
    if (label != nullptr) return label;
    ADD_FAILURE() << windowName(top).toStdString() << " has no control \"" << name.toStdString()
                  << "\"; it has: " << namesIn(top).toStdString();
    return nullptr;
}

void RoadDriver::focus(const QString& name) const {
    if (QWidget* widget = control(name)) widget->setFocus(Qt::TabFocusReason);
}

void RoadDriver::key(int key, Qt::KeyboardModifiers modifiers, int count) {
    for (int i = 0; i < count; ++i) {
        QWidget* target = keyTarget();
        if (target == nullptr) {
            ADD_FAILURE() << "no window takes keys";
            return;
        }
        if (key > 0xff && key <= 0xffff) {
            // A letter of another alphabet (a Russian access key) carries its text itself.
            QTest::sendKeyEvent(QTest::Click, target, static_cast<Qt::Key>(key), QString(QChar(key)).toLower(), modifiers);
        } else {
            QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
        }
    }
}

void RoadDriver::type(const QString& text) {
    for (const QChar c : text) {
        QWidget* target = keyTarget();
        if (target == nullptr) {
            ADD_FAILURE() << "no window takes keys";
            return;
        }
        const int code = c == QLatin1Char(' ')                         ? static_cast<int>(Qt::Key_Space)
                         : c.unicode() < 0x80 && c.isLetterOrNumber() ? c.toUpper().unicode()
                                                                       : static_cast<int>(Qt::Key_unknown);
        QTest::sendKeyEvent(QTest::Click, target, static_cast<Qt::Key>(code), QString(c), Qt::NoModifier);
    }
}

void RoadDriver::retype(const QString& name, const QString& text) const {
    focus(name);
    key(Qt::Key_A, Qt::ControlModifier);
    type(text);
}

void RoadDriver::press(const QString& name) const {
    focus(name);
    key(Qt::Key_Space);
}

void RoadDriver::inWindow(const QString& name, std::function<void(QWidget& window)> step, int timeoutMs) {
    auto* poll = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [=, this] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal->isVisible() && windowName(modal) == name) {
            poll->stop();
            poll->deleteLater();
            delete clock;
            QApplication::setActiveWindow(modal);
            step(*modal);
            return;
        }
        if (clock->elapsed() < timeoutMs) return;
        poll->stop();
        QWidget* shown = window();
        std::cerr << "road: the window " << name.toStdString() << " did not come; the active one is "
                  << windowName(shown).toStdString();
        if (const auto* box = qobject_cast<const QMessageBox*>(shown)) std::cerr << " saying \"" << box->text().toStdString() << "\"";
        if (shown != nullptr) std::cerr << " with " << namesIn(shown).toStdString();
        std::cerr << std::endl;
        const_cast<RoadDriver*>(this)->shot(QStringLiteral("failed"));
        std::_Exit(1);
    });
    poll->start();
}

bool RoadDriver::waitUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

void RoadDriver::shot(const QString& name) {
    if (shotFolder_.empty()) return;
    QWidget* top = window();
    if (top == nullptr) return;
    // A tab bar shown by the last step lays its tabs out while it first
    // paints and draws them on the next paint: the first grab only primes it.
    QApplication::processEvents();
    top->grab();
    QApplication::processEvents();
    const QString file = QStringLiteral("%1_%2%3.png").arg(++shotCount_, 2, 10, QLatin1Char('0')).arg(name, shotSuffix_);
    const std::filesystem::path path = shotFolder_ / file.toStdString();
    if (top->grab().save(QString::fromStdString(path.string()), "PNG")) shots_.append(file);
}

}  // namespace lumo::test
