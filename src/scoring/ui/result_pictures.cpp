#include "scoring/ui/result_pictures.h"

#include <QPainter>

#include "core/ui/qt_text.h"

namespace lumo::scoring::ui {

using core::ui::qs;

namespace {

QColor bandColour(BandColour colour) {
    switch (colour) {
    case BandColour::Maroon: return QColor(128, 0, 0);
    case BandColour::Red: return QColor(255, 0, 0);
    case BandColour::Silver: return QColor(192, 192, 192);
    case BandColour::Grey: return QColor(128, 128, 128);
    case BandColour::Lime: return QColor(0, 255, 0);
    case BandColour::Green: return QColor(0, 128, 0);
    }
    return Qt::white;
}

// Score -> x: +10 at the left edge, -10 at the right.
double xOf(double score, const QRectF& area) {
    return area.left() + (kScaleEnd - score) / (2 * kScaleEnd) * area.width();
}

}  // namespace

ResultScale::ResultScale(QWidget* parent) : QWidget(parent) {
    setObjectName("pctSlider");
    setAutoFillBackground(false);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

int ResultScale::lineStep() const {
    return fontMetrics().height();
}

QSize ResultScale::sizeHint() const {
    const int lines = static_cast<int>(picture_.boxes.size()) + 2;
    return {fontMetrics().horizontalAdvance(QLatin1Char('0')) * 60, lineStep() * std::max(lines, 8)};
}

void ResultScale::setPicture(ScalePicture picture) {
    picture_ = std::move(picture);
    updateGeometry();
    update();
}

void ResultScale::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRectF area = rect();
    for (const ScaleBand& band : picture_.bands) {
        const double a = xOf(band.from, area);
        const double b = xOf(band.to, area);
        painter.fillRect(QRectF(std::min(a, b), area.top(), std::abs(b - a), area.height()), bandColour(band.colour));
    }
    const int step = lineStep();
    painter.setPen(QPen(QColor(96, 96, 96), 0));
    for (int y = step; y < height(); y += step) painter.drawLine(0, y, width(), y);
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawLine(QPointF(xOf(0, area), 0), QPointF(xOf(0, area), height()));
    painter.setPen(QPen(Qt::black, 2));
    for (const double bound : {picture_.lower, picture_.upper}) {
        painter.drawLine(QPointF(xOf(bound, area), 0), QPointF(xOf(bound, area), height()));
    }
    auto drawBox = [&](const ScaleBox& box, int line) {
        const double top = line * step + step * 0.2;
        const double h = step * 0.6;
        const double a = xOf(box.from, area);
        const double b = xOf(box.to, area);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(std::min(a, b), top, std::max(std::abs(b - a), 2.0), h));
        const double m = xOf(box.mark, area);
        painter.setPen(Qt::NoPen);
        painter.setBrush(box.withinBounds ? QColor(128, 128, 128) : QColor(Qt::black));
        painter.drawRect(QRectF(m - step * 0.2, top, step * 0.4, h));
    };
    int line = 0;
    for (const auto& box : picture_.boxes) {
        if (box) drawBox(*box, line);
        ++line;
    }
    if (picture_.ergo) drawBox(*picture_.ergo, line);
}

ResultBars::ResultBars(QWidget* parent) : QWidget(parent) {
    setObjectName("imgChart");
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ResultBars::setGrid(const ResultGrid& grid, int lineHeight) {
    bars_ = grid.bars;
    left_ = grid.leftLabel;
    right_ = grid.rightLabel;
    lineHeight_ = std::max(lineHeight, 1);
    lines_ = static_cast<int>(grid.cells.size());
    updateGeometry();
    update();
}

QSize ResultBars::sizeHint() const {
    return {fontMetrics().horizontalAdvance(QLatin1Char('0')) * 40, lineHeight_ * (lines_ + 1)};
}

void ResultBars::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const int labelWidth = fontMetrics().horizontalAdvance(QStringLiteral("+00 "));
    const QRectF area(labelWidth, 0, std::max(width() - 2 * labelWidth, 1), height());
    // Positive totals (relax, truth) to the left, as on the decision scale.
    const double zero = xOf(0, area);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(0, 0, width(), lineHeight_), Qt::AlignLeft | Qt::AlignVCenter, qs(left_));
    painter.drawText(QRectF(0, 0, width(), lineHeight_), Qt::AlignRight | Qt::AlignVCenter, qs(right_));
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawLine(QPointF(zero, lineHeight_), QPointF(zero, height()));
    for (const ResultBar& bar : bars_) {
        const double top = bar.line * lineHeight_ + lineHeight_ * 0.15;
        const double end = xOf(std::clamp(bar.total, -kScaleEnd, kScaleEnd), area);
        const QRectF shape(std::min(zero, end), top, std::abs(end - zero), lineHeight_ * 0.7);
        painter.fillRect(shape, bar.total >= 0 ? QColor(0, 160, 0) : QColor(220, 0, 0));
        painter.setPen(Qt::black);
        const QRectF text(0, bar.line * lineHeight_, width(), lineHeight_);
        painter.drawText(text, (bar.total >= 0 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, qs(bar.label));
        if (bar.chart > 0) {
            painter.drawText(QRectF(zero + 4, (bar.line - 1) * lineHeight_, width(), lineHeight_),
                             Qt::AlignLeft | Qt::AlignVCenter, qs(std::string("(") + std::to_string(bar.chart) + ")"));
        }
    }
}

}  // namespace lumo::scoring::ui
