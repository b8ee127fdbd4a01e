#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <vector>

#include "recording/ui/channel_edit.h"
#include "recording/ui/paint_panels.h"
#include "ui/test_window_events.h"

namespace lumo::recording::ui {
namespace {

// The label as the test run sets it up.
struct GainLabel {
    TChannelEdit edit;
    std::vector<int> changes;
    int beeps = 0;

    GainLabel() {
        edit.setMinValue(0);
        edit.setMaxValue(9);
        edit.setCheckBounds(true);
        edit.setEditorEnabled(false);
        edit.setText("Pulse");
        edit.resize(120, 24);
        edit.show();  // the layout follows the resize the window system delivers
        QObject::connect(&edit, &TChannelEdit::OnValueChange, [this](int v) { changes.push_back(v); });
        QObject::connect(&edit, &TChannelEdit::beeped, [this] { ++beeps; });
    }
};

TEST(ChannelEditTest, ValueIsClampedAndEverySetIsReported) {
    GainLabel label;
    label.edit.setValue(33);
    EXPECT_EQ(label.edit.value(), 9);
    label.edit.setValue(9);
    label.edit.setValue(-4);
    EXPECT_EQ(label.changes, (std::vector<int>{9, 9, 0}));

    label.edit.setCheckBounds(false);
    label.edit.setValue(33);
    EXPECT_EQ(label.edit.value(), 33) << "without CheckBounds any value is kept";
    label.changes.clear();
    label.edit.setCheckBounds(true);
    EXPECT_EQ(label.edit.value(), 9) << "switching CheckBounds on clamps";
    EXPECT_TRUE(label.changes.empty()) << "silently";
}

TEST(ChannelEditTest, BoundsAreSwappedWhenReversed) {
    TChannelEdit edit;
    edit.setMinValue(9);
    edit.setMaxValue(0);
    EXPECT_EQ(edit.minValue(), 9) << "kept as given while CheckBounds is off";
    edit.setValue(20);
    edit.setCheckBounds(true);
    EXPECT_EQ(edit.minValue(), 0);
    EXPECT_EQ(edit.maxValue(), 9);
    EXPECT_EQ(edit.value(), 9);
    edit.setMaxValue(3);
    EXPECT_EQ(edit.value(), 3) << "a narrower range clamps the value";
    edit.setMinValue(5);
    EXPECT_EQ(edit.minValue(), 3);
    EXPECT_EQ(edit.maxValue(), 5);
}

TEST(ChannelEditTest, KeysStepTheGainAndRefuseTypedCharacters) {
    GainLabel label;
    label.edit.setValue(4);
    label.changes.clear();
    test::typeText(&label.edit, "7a");
    test::pressKey(&label.edit, Qt::Key_Backspace, Qt::NoModifier, "\b");
    EXPECT_EQ(label.beeps, 3);
    EXPECT_EQ(label.edit.value(), 4);
    EXPECT_EQ(label.edit.text(), "Pulse");
    test::pressKey(&label.edit, Qt::Key_Up);
    test::pressKey(&label.edit, Qt::Key_Up);
    test::pressKey(&label.edit, Qt::Key_Down);
    EXPECT_EQ(label.changes, (std::vector<int>{5, 6, 5}));
    EXPECT_EQ(label.beeps, 3);

    label.edit.setIncrement(3);
    test::pressKey(&label.edit, Qt::Key_Up);
    test::pressKey(&label.edit, Qt::Key_Up);
    EXPECT_EQ(label.edit.value(), 9) << "stops at MaxValue";

    label.edit.setValueReadOnly(true);
    test::pressKey(&label.edit, Qt::Key_Down);
    EXPECT_EQ(label.edit.value(), 9);
    EXPECT_EQ(label.beeps, 4);

    TChannelEdit editable;
    editable.setEditorEnabled(true);
    editable.setText("Pul");
    editable.setCursorPosition(3);
    int beeps = 0;
    QObject::connect(&editable, &TChannelEdit::beeped, [&] { ++beeps; });
    test::typeText(&editable, "se");
    EXPECT_EQ(editable.text(), "Pulse");
    EXPECT_EQ(beeps, 0);
}

TEST(ChannelEditTest, SpinButtonHalvesStepUpAndDown) {
    GainLabel label;
    label.edit.setValue(5);
    label.changes.clear();
    QWidget* spin = label.edit.spinButton();
    EXPECT_EQ(spin->size(), QSize(15, 17));
    test::click(spin, Qt::LeftButton, QPoint(7, 3));
    test::click(spin, Qt::LeftButton, QPoint(7, 3));
    test::click(spin, Qt::LeftButton, QPoint(7, 14));
    EXPECT_EQ(label.changes, (std::vector<int>{6, 7, 6}));
    label.edit.setValueReadOnly(true);
    test::click(spin, Qt::LeftButton, QPoint(7, 3));
    EXPECT_EQ(label.edit.value(), 6);
    EXPECT_EQ(label.beeps, 1);
}

TEST(ChannelEditTest, TagPointsAtTheChartAndShowsTheGain) {
    GainLabel label;
    label.edit.setBkColor(QColor(0, 0, 255));
    QPalette pal = label.edit.palette();
    pal.setColor(QPalette::Base, QColor(0, 0, 0));
    pal.setColor(QPalette::Text, QColor(255, 255, 0));
    label.edit.setPalette(pal);
    label.edit.setValue(7);
    const QImage right = label.edit.tagPixmap().toImage();
    ASSERT_EQ(right.size(), QSize(13, 17));
    EXPECT_EQ(right.pixelColor(12, 0), QColor(0, 0, 255)) << "around the tag";
    EXPECT_EQ(right.pixelColor(12, 16), QColor(0, 0, 255));
    EXPECT_NE(right.pixelColor(11, 8), QColor(0, 0, 255)) << "the tip at mid-height on the right";
    bool digit = false;
    for (int x = 0; x < 8; ++x)
        for (int y = 3; y < 14; ++y) digit = digit || right.pixelColor(x, y) == QColor(255, 255, 0);
    EXPECT_TRUE(digit) << "the gain near the wide end";
    EXPECT_GT(label.edit.tagPanel()->x(), label.edit.spinButton()->x());
    EXPECT_EQ(label.edit.tagPanel()->geometry().right(), label.edit.width() - 2);

    label.edit.setValue(3);
    EXPECT_NE(label.edit.tagPixmap().toImage(), right) << "a new value redraws the tag";
}

TEST(ChannelEditTest, BiDirectionalLabelMovesItsTagToTheLeft) {
    TChannelEditBiDir edit;
    edit.resize(120, 24);
    edit.show();
    EXPECT_EQ(edit.direction(), TChannelEditDirection::dirLeft2Right);
    EXPECT_GT(edit.tagPanel()->x(), 100);
    edit.setBkColor(QColor(0, 0, 255));
    edit.setDirection(TChannelEditDirection::dirRight2Left);
    EXPECT_EQ(edit.tagPanel()->x(), 1);
    EXPECT_EQ(edit.spinButton()->x(), 14);
    const QImage left = edit.tagPixmap().toImage();
    EXPECT_EQ(left.pixelColor(0, 0), QColor(0, 0, 255)) << "the tip points left: its wide end is on the right";
    EXPECT_NE(left.pixelColor(12, 0), QColor(0, 0, 255));
    EXPECT_GE(edit.textMargins().left(), 28) << "the text starts after the tag and the spin button";
}

TEST(ChannelEditTest, HeightFollowsTheFont) {
    TChannelEdit edit;
    QFont big = edit.font();
    big.setPixelSize(40);
    edit.setFont(big);
    EXPECT_GE(edit.minimumHeight(), 40 + 4);
}

TEST(ChannelEditTest, MouseIsLeftToTheOwner) {
    GainLabel label;
    std::vector<Qt::MouseButton> pressed, released;
    std::vector<int> moves;
    QObject::connect(&label.edit, &TChannelEdit::mousePressed, [&](Qt::MouseButton b, int) { pressed.push_back(b); });
    QObject::connect(&label.edit, &TChannelEdit::mouseReleased, [&](Qt::MouseButton b, int) { released.push_back(b); });
    QObject::connect(&label.edit, &TChannelEdit::mouseMoved, [&](int y) { moves.push_back(y); });
    test::click(&label.edit, Qt::RightButton, QPoint(20, 10));
    EXPECT_EQ(pressed, std::vector<Qt::MouseButton>{Qt::RightButton});
    EXPECT_EQ(released, std::vector<Qt::MouseButton>{Qt::RightButton});
    test::mouseButton(&label.edit, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(20, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(20, 16), label.edit.mapToGlobal(QPointF(20, 16)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&label.edit, &move);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0], label.edit.mapToGlobal(QPoint(20, 16)).y());
}

TEST(PanelsTest, PaintPanelLetsTheOwnerDrawAndWrapPanelCentresItsCaption) {
    TPaintPanel panel;
    panel.resize(50, 40);
    int paints = 0;
    QObject::connect(&panel, &TPaintPanel::OnPaint, [&](QPainter* p) {
        ++paints;
        p->fillRect(QRect(10, 10, 5, 5), Qt::red);
    });
    const QImage image = panel.grab().toImage();
    EXPECT_GE(paints, 1);
    EXPECT_EQ(image.pixelColor(12, 12), QColor(Qt::red));

    TWrapPanel wrap;
    wrap.resize(80, 60);
    wrap.setCaption("Press the button when the unit shows zero");
    EXPECT_EQ(wrap.caption(), "Press the button when the unit shows zero");
    EXPECT_TRUE(wrap.label()->wordWrap());
    EXPECT_EQ(wrap.label()->alignment(), Qt::AlignCenter);
    wrap.show();
    wrap.resize(200, 100);
    EXPECT_EQ(wrap.label()->geometry(), wrap.contentsRect());
}

}  // namespace
}  // namespace lumo::recording::ui
