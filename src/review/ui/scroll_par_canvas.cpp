#include "review/ui/scroll_par_canvas.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <variant>

#include "platform/qt_text.h"

namespace lumo::review::ui {

namespace {

QColor toQColor(const core::Rgb& rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

struct ItemPainter {
    QPainter& painter;
    int height;

    void operator()(const ParFill& fill) const {
        if (fill.right > fill.left) painter.fillRect(fill.left, 0, fill.right - fill.left, height, toQColor(fill.colour));
    }
    void operator()(const ParLine& line) const {
        painter.setPen(QPen(toQColor(line.colour), line.width, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(line.from.x, line.from.y, line.to.x, line.to.y);
    }
    void operator()(const ParDots& dots) const {
        painter.setPen(QPen(toQColor(dots.colour), 1));
        for (int k = 0; k < dots.count; ++k) painter.drawPoint(dots.x, k * dots.step);
    }
    void operator()(const ParTrace& trace) const {
        painter.setPen(QPen(toQColor(trace.colour), 1));
        QPolygon polygon(static_cast<int>(trace.points.size()));
        for (std::size_t i = 0; i < trace.points.size(); ++i) {
            polygon.setPoint(static_cast<int>(i), trace.points[i].x, trace.points[i].y);
        }
        painter.drawPolyline(polygon);
    }
    void operator()(const ParText& text) const {
        painter.setPen(toQColor(text.colour));
        const QFontMetrics metrics(painter.font());
        painter.drawText(text.at.x, text.at.y + metrics.ascent(), platform::qs(text.text));
    }
};

}  // namespace

QtParMeasure::QtParMeasure(const QFont& font) : font_(font) {}

int QtParMeasure::width(std::string_view text) const {
    return QFontMetrics(font_).horizontalAdvance(platform::qs(text));
}

int QtParMeasure::height() const {
    return QFontMetrics(font_).height();
}

void paintParStrip(QPixmap& picture, const ParStrip& strip, const QFont& font) {
    if (strip.shift) {
        const ParShift& shift = *strip.shift;
        // The area scrolled spans where the columns come from and where they go.
        const int left = std::min(shift.from, shift.from + shift.by);
        const int right = std::max(shift.to, shift.to + shift.by);
        picture.scroll(shift.by, 0, QRect(left, 0, right - left, picture.height()));
    }
    QPainter painter(&picture);
    painter.setFont(font);
    const ItemPainter paint{painter, picture.height()};
    for (const ParItem& item : strip.items) std::visit(paint, item);
}

TParChartArea::TParChartArea(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    font_ = font();
    font_.setBold(true);
    font_.setStyleStrategy(QFont::NoAntialias);
}

void TParChartArea::paintStrip(const ParStrip& strip) {
    if (pictureStale()) picture_ = QPixmap(std::max(1, width()), std::max(1, height()));
    paintParStrip(picture_, strip, font_);
}

void TParChartArea::paintEvent(QPaintEvent*) {
    if (beforePaint_) beforePaint_();
    QPainter painter(this);
    if (pictureStale()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    painter.drawPixmap(0, 0, picture_);
}

void TParChartArea::mousePressEvent(QMouseEvent* event) {
    emit pressed(event->position().toPoint().x());
}

void TParChartArea::mouseReleaseEvent(QMouseEvent*) {
    emit released();
}

}  // namespace lumo::review::ui
