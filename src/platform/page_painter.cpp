#include "platform/page_painter.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <variant>

#include "platform/qt_text.h"

namespace lumo::platform {

namespace {

constexpr double kPointsPerInch = 72.0;

// Pixels of the device per point, across and down.
struct Scale {
    explicit Scale(const QPaintDevice& device)
        : x(device.logicalDpiX() / kPointsPerInch), y(device.logicalDpiY() / kPointsPerInch) {}
    QPointF operator()(const core::PagePoint& at) const { return {at.x * x, at.y * y}; }
    double x;
    double y;
};

QPen pen(const Scale& scale, double width) {
    QPen result(Qt::black);
    result.setWidthF(width * scale.x);
    result.setCapStyle(Qt::FlatCap);
    return result;
}

}  // namespace

QFont printFont(const core::TextStyle& style) {
    QFont font;
    if (!style.family.empty()) font.setFamily(qs(style.family));
    font.setPointSizeF(style.size > 0 ? style.size : 10);
    font.setBold(style.bold);
    return font;
}

double DeviceTextMeasure::width(const std::string& text, const core::TextStyle& style) const {
    const QFontMetricsF metrics(printFont(style), &device_);
    return metrics.horizontalAdvance(qs(text)) / Scale(device_).x;
}

double DeviceTextMeasure::lineHeight(const core::TextStyle& style) const {
    const QFontMetricsF metrics(printFont(style), &device_);
    return metrics.lineSpacing() / Scale(device_).y;
}

void paintPage(QPainter& painter, const core::PrintedPage& page) {
    const Scale scale(*painter.device());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (const core::PageItem& item : page.items) {
        if (const auto* text = std::get_if<core::PageText>(&item)) {
            const QFont font = printFont(text->style);
            const QFontMetricsF metrics(font, painter.device());
            const QString shown = qs(text->text);
            QPointF at = scale(text->at);
            const double width = metrics.horizontalAdvance(shown);
            if (text->align == core::TextAlign::Center) at.rx() -= width / 2;
            if (text->align == core::TextAlign::Right) at.rx() -= width;
            painter.setFont(font);
            painter.setPen(Qt::black);
            painter.drawText(QPointF(at.x(), at.y() + metrics.ascent()), shown);
        } else if (const auto* rule = std::get_if<core::PageRule>(&item)) {
            painter.setPen(pen(scale, rule->width));
            painter.drawLine(scale(rule->from), scale(rule->to));
        } else if (const auto* line = std::get_if<core::PagePolyline>(&item)) {
            QPolygonF points;
            for (const core::PagePoint& point : line->points) points.append(scale(point));
            painter.setPen(pen(scale, line->width));
            painter.drawPolyline(points);
        }
    }
    painter.restore();
}

}  // namespace lumo::platform
