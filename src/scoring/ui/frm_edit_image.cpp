#include "scoring/ui/frm_edit_image.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>

#include "core/ui/qt_text.h"

namespace lumo::scoring::ui {

using core::ui::qs;

namespace {

QColor colour(core::Rgb rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

// Picture units to pixels of a width x height image.
struct Mapping {
    double first;
    double perSample;
    double perUnit;
    Mapping(const ChartEditorPicture& picture, int width, int height)
        : first(static_cast<double>(picture.span.first)),
          perSample(picture.span.last > picture.span.first
                        ? (width - 1) / static_cast<double>(picture.span.last - picture.span.first)
                        : 0.0),
          perUnit((height - 1) / static_cast<double>(kPictureUnits)) {}
    double x(double position) const { return (position - first) * perSample; }
    double y(double unit) const { return unit * perUnit; }
};

constexpr int kTextGap = 3;       // pixels between a text and its point
constexpr int kHatchWidth = 6;    // pixels of an artefact mark

void paintText(QPainter& painter, const Mapping& map, const PictureText& text, int width) {
    QFont font = painter.font();
    font.setBold(text.bold);
    painter.setFont(font);
    painter.setPen(colour(text.colour));
    const QFontMetrics metrics(font);
    const QString shown = qs(text.text);
    const int w = metrics.horizontalAdvance(shown);
    const int h = metrics.height();
    auto x = static_cast<int>(map.x(text.x));
    auto y = static_cast<int>(map.y(text.y));
    switch (text.anchor) {
    case TextAnchor::TopLeft: x += kTextGap; break;
    case TextAnchor::MiddleLeft: x += kTextGap; y -= h / 2; break;
    case TextAnchor::TopRight: x -= w + kTextGap; break;
    case TextAnchor::BottomRight: x -= w + kTextGap; y -= h; break;
    }
    x = std::clamp(x, 0, std::max(0, width - w));
    painter.drawText(QRect(x, y, w + 1, h), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, shown);
}

}  // namespace

TChartImage::TChartImage(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 200);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TChartImage::setPicture(ChartEditorPicture picture) {
    picture_ = std::move(picture);
    update();
}

int TChartImage::pixelOfUnit(double unit) const {
    return static_cast<int>(unit * (height() - 1) / kPictureUnits);
}

void TChartImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintChartEditorPicture(painter, picture_, width(), height());
}

void TChartImage::mousePressEvent(QMouseEvent* event) {
    emit clicked(event->position().x(), width(), event->button());
}

void paintChartEditorPicture(QPainter& painter, const ChartEditorPicture& picture, int width, int height) {
    painter.save();
    painter.fillRect(0, 0, width, height, colour(picture.background));
    const Mapping map(picture, width, height);
    for (const PictureTrace& trace : picture.traces) {
        QPolygonF line;
        line.reserve(static_cast<qsizetype>(trace.points.size()));
        for (const PicturePoint& point : trace.points) line.append(QPointF(map.x(point.x), map.y(point.y)));
        painter.setPen(QPen(colour(trace.colour), 1));
        painter.drawPolyline(line);
    }
    for (const PictureLine& line : picture.lines) {
        const double x = map.x(line.x);
        if (line.style == LineStyle::Dotted) {
            painter.setPen(QPen(colour(line.colour), 1, Qt::DotLine));
            painter.drawLine(QPointF(x, map.y(line.top)), QPointF(x, map.y(line.bottom)));
        } else {
            painter.fillRect(QRectF(x - kHatchWidth / 2.0, map.y(line.top), kHatchWidth, map.y(line.bottom) - map.y(line.top)),
                             QBrush(colour(line.colour), Qt::BDiagPattern));
        }
    }
    for (const PictureRect& bar : picture.bars) {
        const QRectF rect(QPointF(map.x(bar.left), map.y(bar.top)), QPointF(map.x(bar.right), map.y(bar.bottom)));
        painter.fillRect(rect.normalized(), colour(bar.colour));
    }
    for (const PictureText& text : picture.texts) paintText(painter, map, text, width);
    if (picture.frame) {
        const PictureRect& frame = *picture.frame;
        painter.setPen(QPen(colour(frame.colour), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(QPointF(map.x(frame.left) + 1, map.y(frame.top) + 1),
                                QPointF(map.x(frame.right) - 1, map.y(frame.bottom) - 1)));
    }
    painter.restore();
}

}  // namespace lumo::scoring::ui
