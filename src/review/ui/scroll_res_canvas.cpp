#include "review/ui/scroll_res_canvas.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "platform/page_painter.h"
#include "platform/qt_text.h"

namespace lumo::review::ui {

namespace {

QColor colourOf(const core::Rgb& rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

QPen penOf(const core::Rgb& colour, double width) {
    QPen pen(colourOf(colour));
    pen.setWidthF(width);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

}  // namespace

QString colourSheet(const core::Rgb& colour, const QString& background) {
    return QStringLiteral("color: rgb(%1, %2, %3); background: %4;")
        .arg(colour.red)
        .arg(colour.green)
        .arg(colour.blue)
        .arg(background);
}

double PixelTextMeasure::width(const std::string& text, const core::TextStyle& style) const {
    return QFontMetricsF(platform::printFont(style), &device_).horizontalAdvance(platform::qs(text));
}

double PixelTextMeasure::lineHeight(const core::TextStyle& style) const {
    return QFontMetricsF(platform::printFont(style), &device_).height();
}

void paintScrollResItems(QPainter& painter, const ScrollResPicture& picture, const core::TextStyle& labelStyle) {
    for (const PicLine& line : picture.lines) {
        QPen pen = penOf(line.colour, line.width);
        if (line.dashOn > 0) pen.setDashPattern({line.dashOn / line.width, line.dashOff / line.width});
        painter.setPen(pen);
        painter.drawLine(QPointF(line.from.x, line.from.y), QPointF(line.to.x, line.to.y));
    }
    for (const PicPolyline& trace : picture.traces) {
        if (trace.points.size() < 2) continue;
        painter.setPen(penOf(trace.colour, trace.width));
        QPolygonF points;
        points.reserve(static_cast<int>(trace.points.size()));
        for (const PicPoint& point : trace.points) points.append(QPointF(point.x, point.y));
        painter.drawPolyline(points);
    }
    if (!picture.dots.empty()) {
        painter.setPen(penOf({128, 128, 128}, 1));
        QPolygonF dots;
        dots.reserve(static_cast<int>(picture.dots.size()));
        for (const PicPoint& dot : picture.dots) dots.append(QPointF(dot.x, dot.y));
        painter.drawPoints(dots);
    }
    for (const PicPolyline& glyph : picture.glyphs) {
        painter.setPen(penOf(glyph.colour, glyph.width));
        QPolygonF points;
        for (const PicPoint& point : glyph.points) points.append(QPointF(point.x, point.y));
        painter.drawPolyline(points);
    }
    for (const PicText& text : picture.texts) {
        core::TextStyle style = labelStyle;
        style.bold = text.bold;
        const QFont font = platform::printFont(style);
        const QFontMetricsF metrics(font, painter.device());
        const QString shown = platform::qs(text.text);
        double x = text.at.x;
        if (text.align == core::TextAlign::Right) x -= metrics.horizontalAdvance(shown);
        if (text.align == core::TextAlign::Center) x -= metrics.horizontalAdvance(shown) / 2;
        painter.setFont(font);
        painter.setPen(colourOf(text.colour));
        painter.drawText(QPointF(x, text.at.y + metrics.ascent()), shown);
    }
}

ScrollResCanvas::ScrollResCanvas(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    pixmap_ = QPixmap(1, 1);
    pixmap_.fill(Qt::black);
}

void ScrollResCanvas::apply(const ScrollResPicture& picture, const core::TextStyle& labelStyle) {
    lastPainted_ = QRect();
    if (picture.unchanged) return;
    const QSize size(static_cast<int>(picture.width), static_cast<int>(picture.height));
    if (pixmap_.size() != size) pixmap_ = QPixmap(size);
    const int from = static_cast<int>(std::floor(picture.stripFrom));
    const int to = static_cast<int>(std::ceil(picture.stripTo));
    if (picture.shift != 0) pixmap_.scroll(-static_cast<int>(picture.shift), 0, pixmap_.rect());
    lastPainted_ = QRect(from, 0, to - from, size.height());
    QPainter painter(&pixmap_);
    painter.setClipRect(lastPainted_);
    painter.fillRect(lastPainted_, colourOf(picture.background));
    paintScrollResItems(painter, picture, labelStyle);
    painter.end();
    update();
}

void ScrollResCanvas::setCursorColumn(int column) {
    cursor_ = column;
    update();
}

void ScrollResCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawPixmap(QPoint(0, 0), pixmap_);
    if (pixmap_.width() < width() || pixmap_.height() < height()) {
        painter.fillRect(QRect(pixmap_.width(), 0, width() - pixmap_.width(), height()), Qt::black);
        painter.fillRect(QRect(0, pixmap_.height(), width(), height() - pixmap_.height()), Qt::black);
    }
    if (cursor_ >= 0 && cursor_ < width()) {
        // An inverting line shows on any background and trace.
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(QRect(cursor_ - 1, 0, 2, height()), QColor(0, 255, 255));
    }
}

void ScrollResCanvas::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    emit columnClicked(static_cast<int>(event->position().x()));
}

void ScrollResCanvas::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
        emit cursorKey(event->key() == Qt::Key_Right, ctrl);
        return;
    }
    if (event->key() >= Qt::Key_1 && event->key() <= Qt::Key_9 && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        emit digitTyped(event->key() - Qt::Key_0);
        return;
    }
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint()) return;  // typed characters go nowhere
    event->ignore();
}

void ScrollResCanvas::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    emit resized();
}

}  // namespace lumo::review::ui
