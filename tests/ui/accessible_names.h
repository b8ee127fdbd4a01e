#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QStringList>
#include <QWidget>
#include <string>

namespace lumo::test {

// The controls under `window` that a screen reader could not name, by class
// and object name, separated by commas (empty when every one has a name): buttons,
// edits, lists, spin fields and sliders whose accessible name (their own,
// their text, or their buddy label's) is empty. Hidden controls count too:
// they are named once, whichever page shows them.
inline std::string unnamedControls(QWidget& window) {
    QStringList unnamed;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLineEdit*>(widget) ||
                             qobject_cast<QComboBox*>(widget) || qobject_cast<QAbstractSpinBox*>(widget) ||
                             qobject_cast<QAbstractItemView*>(widget) || qobject_cast<QAbstractSlider*>(widget);
        // Parts Qt builds itself (a combo box's edit and list, a view's header, the scroll bars
        // of a scrolled view, the menu bar's overflow button) are named
        // through their owner.
        const QWidget* owner = widget->parentWidget();
        if (!control || widget->objectName().startsWith(QLatin1String("qt_")) ||
            qobject_cast<const QComboBox*>(owner) != nullptr || qobject_cast<const QAbstractItemView*>(owner) != nullptr ||
            (owner != nullptr && owner->objectName().startsWith(QLatin1String("qt_")))) {
            continue;
        }
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        if (face == nullptr || face->text(QAccessible::Name).trimmed().isEmpty()) {
            unnamed.append(QString::fromLatin1(widget->metaObject()->className()) + " " + widget->objectName());
        }
    }
    return unnamed.join(QStringLiteral(", ")).toStdString();
}

}  // namespace lumo::test
