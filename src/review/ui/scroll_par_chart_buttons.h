#pragma once

#include <QWidget>
#include <array>

class QButtonGroup;
class QLabel;
class QToolButton;

namespace lumo::review::ui {

// "Charts :" and the labels "1." ... "9.", each followed by a small chart
// button; exactly one button of the group is down. A click, also on the
// button already down, reports its chart; setting a button down does not.
class TParChartButtons : public QWidget {
    Q_OBJECT

public:
    TParChartButtons(const QString& caption, QWidget* parent = nullptr);

    QToolButton* button(int digit) const { return buttons_[static_cast<std::size_t>(digit)]; }
    // Chart d exists: its button can be pressed.
    void setAvailable(int digit, bool available);
    // The button of chart d down (the others up), without reporting a click.
    void setDown(int digit);
    int down() const;
    // The button of chart d is enabled: it goes down and acts as clicked.
    bool clickDigit(int digit);

signals:
    void chartClicked(int digit);

private:
    QLabel* caption_;
    QButtonGroup* group_;
    std::array<QToolButton*, 10> buttons_{};  // index 1 ... 9
};

// The chart a plain digit key names: '1' ... '9' give 1 ... 9, any other key 0.
int chartOfDigitKey(int key, Qt::KeyboardModifiers modifiers);

}  // namespace lumo::review::ui
