#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QString>
#include <QWidget>

// Keys and mouse clicks delivered straight to a widget, as the window system would.
namespace lumo::test {

inline void pressKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                     const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(target, &release);
}

inline void typeText(QWidget* target, const QString& text) {
    for (const QChar c : text) pressKey(target, c.toUpper().unicode(), Qt::NoModifier, QString(c));
}

inline void mouseButton(QWidget* target, QEvent::Type type, Qt::MouseButton button, QPoint at) {
    const QPointF local(at);
    const QPointF global(target->mapToGlobal(at));
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, local, global, type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

inline void click(QWidget* target, Qt::MouseButton button, QPoint at) {
    mouseButton(target, QEvent::MouseButtonPress, button, at);
    mouseButton(target, QEvent::MouseButtonRelease, button, at);
}

}  // namespace lumo::test
