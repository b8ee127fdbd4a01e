#include "recording/ui/paint_panels.h"

#include <QLabel>
#include <QPainter>

namespace lumo::recording::ui {

TPaintPanel::TPaintPanel(QWidget* parent) : QFrame(parent) {
    setAutoFillBackground(true);
}

void TPaintPanel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    emit OnPaint(&painter);
}

TWrapPanel::TWrapPanel(QWidget* parent) : QFrame(parent) {
    label_ = new QLabel(this);
    label_->setAlignment(Qt::AlignCenter);
    label_->setWordWrap(true);
    label_->setGeometry(contentsRect());
}

QString TWrapPanel::caption() const {
    return label_->text();
}

void TWrapPanel::setCaption(const QString& text) {
    label_->setText(text);
}

void TWrapPanel::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    label_->setGeometry(contentsRect());
}

}  // namespace lumo::recording::ui
