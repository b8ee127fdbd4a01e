#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>

class QWidget;

namespace lumo::test {

// What an examiner does at the workstation, for the tests that walk whole
// roads through the windows: keys go to the control with the focus in the
// window that takes keys now (an open menu, else the modal dialog, else the
// active window), controls are found by the names a screen reader reads, and
// a step meant for a modal window waits until that window is up.
class RoadDriver {
public:
    // With `shotFolder` set, shot() saves pictures there.
    explicit RoadDriver(std::filesystem::path shotFolder = {}, QString shotSuffix = {});

    // The window keys go to now, and its name: its object name, else its
    // class, "box" for a message box.
    static QWidget* window();
    static QString windowName(const QWidget* window);
    // The name a screen reader reads for a control.
    static QString nameOf(QWidget* control);

    // The visible control of the active window whose accessible name is
    // `name`; a test failure (naming the controls there are) when none.
    QWidget* control(const QString& name) const;
    template <class Widget>
    Widget* control(const QString& name) const {
        return qobject_cast<Widget*>(control(name));
    }

    void focus(const QString& name) const;
    // Keys to the focus widget of the active window, as the keyboard gives them.
    static void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, int count = 1);
    static void type(const QString& text);
    // The field's text replaced by typing, as select-all then typing does.
    void retype(const QString& name, const QString& text) const;
    // A button by keys: the focus onto it, then Space.
    void press(const QString& name) const;

    // Runs `step` once the modal window `name` is the active one; say it
    // before the key that opens the window. A window that does not come is a
    // fatal failure: the test cannot go on behind a dialog nobody answers.
    void inWindow(const QString& name, std::function<void(QWidget& window)> step, int timeoutMs = 30000);
    // Lets posted events run until `done` holds; false after `timeoutMs`.
    static bool waitUntil(const std::function<bool()>& done, int timeoutMs = 10000);

    // Pictures the active window as NN_name<suffix>.png in the shot folder.
    void shot(const QString& name);
    QStringList shots() const { return shots_; }

private:
    std::filesystem::path shotFolder_;
    QString shotSuffix_;
    int shotCount_ = 0;
    QStringList shots_;
};

}  // namespace lumo::test
