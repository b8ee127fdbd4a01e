#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string_view>

class QDialog;
class QLabel;
class QTimer;
class QWidget;

namespace lumo::core {
class Texts;
}

namespace lumo::platform {

// The conventions every dialog of the workstation shares: a hint panel that
// shows the long hint of the control under the pointer or with the focus,
// fields white while they have the focus and silver otherwise, the pointer
// moved onto a field that takes the focus away from it, labels that name
// their fields for screen readers, and, where names are typed, the keyboard
// layout indicator ("FONT :" with "L A T", "C Y R" or "? ? ?", every 100 ms).
// Enter and Esc stay the dialog's own (its default button and reject()).
class DialogConventions : public QObject {
    Q_OBJECT

public:
    DialogConventions(QDialog& dialog, const core::Texts& texts);

    // The panel the dialog puts at the bottom of its layout.
    QLabel* hintPanel() const { return hintPanel_; }
    QString hintPanelText() const;

    // Tool-tip and hint panel text from a "short|long" hint.
    void setHint(QWidget* control, std::string_view hint);
    // A list or edit field: white with the focus, silver without.
    void addField(QWidget* field);
    // A label naming `field` (its buddy): the field's accessible name is the
    // caption without its access key marker.
    QLabel* makeLabel(std::string_view caption, QWidget* field);
    void nameField(QLabel* label, QWidget* field);

    // The keyboard indicator, created on the first call; its value is
    // refreshed every 100 ms from `probe` (the input method's layout by default).
    QWidget* keyboardIndicator();
    void setLayoutProbe(std::function<int()> probe) { probe_ = std::move(probe); }
    QString keyboardIndicatorText() const;
    // Refreshes the indicator now (the timer does so every 100 ms).
    void refreshKeyboardIndicator();

    // The colours of the fields.
    static QColor enteredColor();
    static QColor leftColor();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void paintField(QWidget* field, bool focused);

    QDialog& dialog_;
    const core::Texts& texts_;
    QLabel* hintPanel_;
    QWidget* indicator_ = nullptr;
    QLabel* indicatorValue_ = nullptr;
    QTimer* indicatorTimer_ = nullptr;
    std::function<int()> probe_;
};

// A caption without its access key marker ("Examiner &Name :" -> "Examiner Name :").
QString withoutAccessKey(const QString& caption);

}  // namespace lumo::platform
