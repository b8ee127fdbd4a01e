#include "recording/ui/channel_edit.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPolygon>
#include <algorithm>

namespace lumo::recording::ui {

namespace {

constexpr int kSpinWidth = 15;
constexpr int kSpinHeight = 17;
constexpr int kPanelWidth = 13;
constexpr int kPanelHeight = 17;

}  // namespace

ChannelSpinButton::ChannelSpinButton(QWidget* parent) : QWidget(parent) {
    setFixedSize(kSpinWidth, kSpinHeight);
    setCursor(Qt::ArrowCursor);
    setFocusPolicy(Qt::NoFocus);
}

void ChannelSpinButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette& pal = palette();
    const int half = height() / 2;
    for (int part = 0; part < 2; ++part) {
        const QRect r(0, part * half, width(), part == 0 ? half : height() - half);
        p.fillRect(r, pal.color(QPalette::Button));
        p.setPen(pal.color(QPalette::Light));
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(pal.color(QPalette::Dark));
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
        // A small arrow head in the middle of each half.
        const int cx = r.center().x();
        const int cy = r.center().y();
        QPolygon arrow;
        if (part == 0) {
            arrow << QPoint(cx - 3, cy + 2) << QPoint(cx + 3, cy + 2) << QPoint(cx, cy - 1);
        } else {
            arrow << QPoint(cx - 3, cy - 1) << QPoint(cx + 3, cy - 1) << QPoint(cx, cy + 2);
        }
        p.setPen(Qt::NoPen);
        p.setBrush(isEnabled() ? pal.color(QPalette::ButtonText) : pal.color(QPalette::Dark));
        p.drawPolygon(arrow);
    }
}

void ChannelSpinButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (event->position().y() < height() / 2) {
        emit up();
    } else {
        emit down();
    }
}

TChannelEdit::TChannelEdit(QWidget* parent) : QLineEdit(parent) {
    spin_ = new ChannelSpinButton(this);
    panel_ = new QFrame(this);
    panel_->setFixedSize(kPanelWidth, kPanelHeight);
    image_ = new QLabel(panel_);
    image_->setGeometry(0, 0, kPanelWidth, kPanelHeight);
    // The owner handles the mouse over the tag as over the text.
    panel_->setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(spin_, &ChannelSpinButton::up, this, [this] { step(increment_); });
    connect(spin_, &ChannelSpinButton::down, this, [this] { step(-increment_); });
    setMinimumHeight(neededHeight());
    relayout();
}

QWidget* TChannelEdit::spinButton() const {
    return spin_;
}

QWidget* TChannelEdit::tagPanel() const {
    return panel_;
}

QPixmap TChannelEdit::tagPixmap() const {
    return image_->pixmap();
}

void TChannelEdit::setBkColor(const QColor& colour) {
    bkColor_ = colour;
    drawTag();
}

int TChannelEdit::clamped(int value) const {
    if (!checkBounds_) return value;
    return std::clamp(value, minValue_, std::max(minValue_, maxValue_));
}

void TChannelEdit::applyBounds(bool notify) {
    if (!checkBounds_) return;
    if (maxValue_ < minValue_) std::swap(minValue_, maxValue_);
    const int v = clamped(value_);
    if (v == value_) return;
    if (notify) {
        setValue(v);
    } else {
        value_ = v;
        drawTag();
    }
}

void TChannelEdit::setMinValue(int value) {
    minValue_ = value;
    applyBounds(false);
}

void TChannelEdit::setMaxValue(int value) {
    maxValue_ = value;
    applyBounds(false);
}

void TChannelEdit::setCheckBounds(bool on) {
    checkBounds_ = on;
    applyBounds(false);
}

void TChannelEdit::setValue(int value) {
    value_ = clamped(value);
    drawTag();
    emit OnValueChange(value_);
}

void TChannelEdit::beep() {
    QApplication::beep();
    emit beeped();
}

void TChannelEdit::step(int delta) {
    if (valueReadOnly_) {
        beep();
        return;
    }
    setValue(value_ + delta);
}

void TChannelEdit::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
        step(increment_);
        return;
    case Qt::Key_Down:
        step(-increment_);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->ignore();  // the window's OK action
        return;
    default:
        break;
    }
    const QString text = event->text();
    const bool character = !text.isEmpty() && (text.at(0).isPrint() || event->key() == Qt::Key_Backspace);
    if (character && !editorEnabled_) {
        beep();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TChannelEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (autoSelect_) selectAll();
}

void TChannelEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    applyBounds(true);
}

void TChannelEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    relayout();
}

void TChannelEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange ||
        event->type() == QEvent::EnabledChange) {
        setMinimumHeight(neededHeight());
        drawTag();
    }
}

void TChannelEdit::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    emit mousePressed(event->button(), qRound(event->globalPosition().y()));
}

void TChannelEdit::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        emit mouseMoved(qRound(event->globalPosition().y()));
        return;  // the owner drags the band; no text selection
    }
    QLineEdit::mouseMoveEvent(event);
}

void TChannelEdit::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    emit mouseReleased(event->button(), qRound(event->globalPosition().y()));
}

void TChannelEdit::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
}

int TChannelEdit::neededHeight() const {
    // The text height of the larger font, a quarter of the smaller, four border widths and 2 pixels.
    const int own = QFontMetrics(font()).height();
    const int system = QFontMetrics(QApplication::font()).height();
    const int needed = std::max(own, system) + std::min(own, system) / 4 + 4 + 2;
    return std::max(needed, kPanelHeight + 2);
}

QSize TChannelEdit::sizeHint() const {
    const QSize base = QLineEdit::sizeHint();
    return {base.width() + kSpinWidth + kPanelWidth, std::max(base.height(), neededHeight())};
}

QSize TChannelEdit::minimumSizeHint() const {
    return {kSpinWidth + kPanelWidth + 8, neededHeight()};
}

void TChannelEdit::relayout() {
    const int y = std::max(0, (height() - kPanelHeight) / 2);
    const int w = width();
    if (tagSide() == TagSide::Right) {
        panel_->move(w - kPanelWidth - 1, y);
        spin_->move(w - kPanelWidth - kSpinWidth - 1, y);
        setTextMargins(0, 0, kPanelWidth + kSpinWidth, 0);
    } else {
        panel_->move(1, y);
        spin_->move(kPanelWidth + 1, y);
        setTextMargins(kPanelWidth + kSpinWidth, 0, 0, 0);
    }
    drawTag();
}

void TChannelEdit::drawTag() {
    if (image_ == nullptr) return;
    const int w = kPanelWidth;
    const int h = kPanelHeight;
    QPixmap picture(w, h);
    picture.fill(bkColor_);
    QPainter p(&picture);
    const bool right = tagSide() == TagSide::Right;
    const int wide = right ? 0 : w - 1;
    const int tip = right ? w - 1 : 0;
    const QPolygon triangle({QPoint(wide, 0), QPoint(tip, h / 2), QPoint(wide, h - 1)});
    p.setPen(Qt::NoPen);
    p.setBrush(palette().color(QPalette::Base));
    p.drawPolygon(triangle);
    if (hasFrame()) {
        // A 3D edge: light along the upper side, shadow along the lower one.
        p.setPen(palette().color(QPalette::Light));
        p.drawLine(QPoint(wide, 0), QPoint(tip, h / 2));
        p.drawLine(QPoint(wide, 0), QPoint(wide, h - 1));
        p.setPen(palette().color(QPalette::Dark));
        p.drawLine(QPoint(tip, h / 2), QPoint(wide, h - 1));
    }
    QFont digits = font();
    digits.setPixelSize(std::max(6, h / 2));
    digits.setBold(true);
    p.setFont(digits);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    const QString text = QString::number(value_);
    const int textWidth = QFontMetrics(digits).horizontalAdvance(text);
    const int x = right ? 1 : w - 1 - textWidth;
    p.drawText(QRect(x, 0, textWidth + 1, h), Qt::AlignVCenter | Qt::AlignLeft, text);
    p.end();
    image_->setPixmap(picture);
}

TChannelEditBiDir::TChannelEditBiDir(QWidget* parent) : TChannelEdit(parent) {
    relayout();
}

void TChannelEditBiDir::setDirection(TChannelEditDirection direction) {
    direction_ = direction;
    relayout();
}

TChannelEdit::TagSide TChannelEditBiDir::tagSide() const {
    return direction_ == TChannelEditDirection::dirLeft2Right ? TagSide::Right : TagSide::Left;
}

}  // namespace lumo::recording::ui
