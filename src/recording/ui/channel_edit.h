#pragma once

#include <QColor>
#include <QLineEdit>

class QFrame;
class QLabel;

namespace lumo::recording::ui {

// The small up/down button beside a channel label (15 x 17 pixels).
class ChannelSpinButton : public QWidget {
    Q_OBJECT

public:
    explicit ChannelSpinButton(QWidget* parent = nullptr);

signals:
    void up();
    void down();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

// The label of one chart channel: its name as the text, its display gain as
// a digit in an arrow-shaped tag pointing at the chart. The gain changes with
// Up/Down or the spin button; the owner handles the mouse (drag, centring)
// through the mouse signals.
class TChannelEdit : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(bool AutoSelect READ autoSelect WRITE setAutoSelect)
    Q_PROPERTY(QColor BkColor READ bkColor WRITE setBkColor)
    Q_PROPERTY(bool EditorEnabled READ editorEnabled WRITE setEditorEnabled)
    Q_PROPERTY(int Increment READ increment WRITE setIncrement)
    Q_PROPERTY(int MinValue READ minValue WRITE setMinValue)
    Q_PROPERTY(int MaxValue READ maxValue WRITE setMaxValue)
    Q_PROPERTY(bool CheckBounds READ checkBounds WRITE setCheckBounds)
    Q_PROPERTY(bool ReadOnly READ isValueReadOnly WRITE setValueReadOnly)
    Q_PROPERTY(int Value READ value WRITE setValue NOTIFY OnValueChange)

public:
    explicit TChannelEdit(QWidget* parent = nullptr);

    bool autoSelect() const { return autoSelect_; }
    void setAutoSelect(bool on) { autoSelect_ = on; }
    QColor bkColor() const { return bkColor_; }
    void setBkColor(const QColor& colour);
    bool editorEnabled() const { return editorEnabled_; }
    void setEditorEnabled(bool on) { editorEnabled_ = on; }
    int increment() const { return increment_; }
    void setIncrement(int step) { increment_ = step; }
    int minValue() const { return minValue_; }
    void setMinValue(int value);
    int maxValue() const { return maxValue_; }
    void setMaxValue(int value);
    bool checkBounds() const { return checkBounds_; }
    void setCheckBounds(bool on);
    // Read-only refuses the spin button and the arrow keys with a beep.
    bool isValueReadOnly() const { return valueReadOnly_; }
    void setValueReadOnly(bool on) { valueReadOnly_ = on; }
    int value() const { return value_; }
    // Clamped when CheckBounds is on; OnValueChange is raised every time.
    void setValue(int value);

    // The label place the owner gave the control.
    int tagNumber() const { return tagNumber_; }
    void setTagNumber(int tag) { tagNumber_ = tag; }

    // The tag as drawn, for the owner's pictures and for tests.
    QPixmap tagPixmap() const;
    QWidget* spinButton() const;
    QWidget* tagPanel() const;

signals:
    void OnValueChange(int value);
    // A refused key or a read-only step: the control beeped.
    void beeped();
    void mousePressed(Qt::MouseButton button, int globalY);
    void mouseMoved(int globalY);
    void mouseReleased(Qt::MouseButton button, int globalY);

protected:
    enum class TagSide { Right, Left };
    // The side the tag sits on and points to; the plain label always points right.
    virtual TagSide tagSide() const { return TagSide::Right; }
    void relayout();

    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    void step(int delta);
    void beep();
    int clamped(int value) const;
    void applyBounds(bool notify);
    void drawTag();
    int neededHeight() const;

    bool autoSelect_ = true;
    QColor bkColor_ = Qt::black;
    bool editorEnabled_ = true;
    int increment_ = 1;
    int minValue_ = 0;
    int maxValue_ = 0;
    bool checkBounds_ = false;
    bool valueReadOnly_ = false;
    int value_ = 0;
    int tagNumber_ = 0;

    ChannelSpinButton* spin_ = nullptr;
    QFrame* panel_ = nullptr;
    QLabel* image_ = nullptr;
};

enum class TChannelEditDirection { dirLeft2Right, dirRight2Left };

// The label whose tag can point either way (the review's right-hand labels).
class TChannelEditBiDir : public TChannelEdit {
    Q_OBJECT

public:
    explicit TChannelEditBiDir(QWidget* parent = nullptr);

    TChannelEditDirection direction() const { return direction_; }
    // Moves the tag and the spin button to the other edge.
    void setDirection(TChannelEditDirection direction);

protected:
    TagSide tagSide() const override;

private:
    TChannelEditDirection direction_ = TChannelEditDirection::dirLeft2Right;
};

}  // namespace lumo::recording::ui
