#include "recording/ui/chart_display.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cmath>

#include "core/settings.h"

namespace lumo::recording::ui {

namespace {

const QColor kGrey(128, 128, 128);
const QColor kShade(72, 72, 72);
const QColor kAqua(0, 255, 255);

QColor toColour(const core::Rgb& rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

}  // namespace

double paperResolution(const QScreen* screen, const core::Settings& settings) {
    const int diagonal = settings.list().integerOr("MonitorDiagonal", 0);
    if (screen == nullptr) return 96.0;
    const QSize size = screen->size();
    if (diagonal > 0) return core::screenResolution(size.width(), size.height(), diagonal);
    const double own = screen->physicalDotsPerInchX();
    return std::isfinite(own) && own > 1 ? own : 96.0;
}

ChartDisplay::ChartDisplay(const DisplaySettings& settings, double resolution, QWidget* parent)
    : QWidget(parent), model_(settings, resolution), background_(toColour(settings.background)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    canvas_ = QPixmap(1, 1);
    canvas_.fill(background_);
    model_.setSize(1, 1);
}

QColor ChartDisplay::channelColour(int channel) const {
    return toColour(model_.colour(channel));
}

void ChartDisplay::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ensureCanvas();
}

void ChartDisplay::ensureCanvas() {
    if (size() == canvas_.size()) return;
    // A new size restarts the picture: the bands are laid out afresh.
    canvas_ = QPixmap(std::max(1, width()), std::max(1, height()));
    canvas_.fill(background_);
    model_.setSize(canvas_.width(), canvas_.height());
    lastDirty_ = rect();
    emit bandsChanged();
}

void ChartDisplay::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.drawPixmap(event->rect(), canvas_, event->rect());
}

void ChartDisplay::dirty(const QRect& rect) {
    lastDirty_ = lastDirty_.isNull() ? rect : lastDirty_.united(rect);
    update(rect);
}

std::vector<formats::ScreenEvent> ChartDisplay::drawPeriod(const PeriodSample& sample) {
    ensureCanvas();
    lastDirty_ = QRect();
    const int before = model_.currentX();
    const PeriodPlan plan = model_.drawPeriod(sample);
    const int h = canvas_.height();
    const int w = canvas_.width();
    QPainter p(&canvas_);
    int left = before - 1;
    if (plan.scrollBy) {
        canvas_.scroll(-*plan.scrollBy, 0, canvas_.rect());
        p.fillRect(QRect(w - *plan.scrollBy, 0, *plan.scrollBy, h), background_);
        left = 0;
    }
    const int x = model_.currentX();
    if (plan.shadeTo >= plan.shadeFrom) {
        p.fillRect(QRect(plan.shadeFrom, 0, plan.shadeTo - plan.shadeFrom + 1, h), kShade);
    }
    if (plan.fiveSecondLine) {
        QPen pen(kGrey, 1, Qt::DotLine);
        p.setPen(pen);
        p.drawLine(*plan.fiveSecondLine, 0, *plan.fiveSecondLine, h - 1);
    }
    if (plan.gridColumn) {
        p.setPen(kGrey);
        for (int y = 0; y < h; y += model_.gridSpacing()) p.drawPoint(*plan.gridColumn, y);
    }
    for (const Segment& s : plan.segments) {
        p.setPen(QPen(channelColour(s.channel), 1));
        p.drawLine(s.x0, s.y0, s.x1, s.y1);
    }
    for (const Marker& m : plan.markers) paintMarker(p, m);
    p.end();
    if (plan.scrollBy) {
        dirty(rect());
    } else {
        dirty(QRect(std::max(0, left), 0, x - left + 8, h));
    }
    return plan.events;
}

void ChartDisplay::paintMarker(QPainter& p, const Marker& marker) {
    // A small arrow at the top of the band: up when the scale grew or the
    // trace moved up, down otherwise.
    p.setPen(QPen(channelColour(marker.channel), 2));
    const int x = marker.x;
    const int y = marker.y + 2;
    const int length = 10;
    p.drawLine(x, y, x, y + length);
    if (marker.up) {
        p.drawLine(x, y, x - 3, y + 4);
        p.drawLine(x, y, x + 3, y + 4);
    } else {
        p.drawLine(x, y + length, x - 3, y + length - 4);
        p.drawLine(x, y + length, x + 3, y + length - 4);
    }
    dirty(QRect(x - 5, marker.y, 11, length + 6));
}

void ChartDisplay::drawEvent(const EventLabel& label) {
    ensureCanvas();
    const int x = model_.labelX();
    const int h = canvas_.height();
    QPainter p(&canvas_);
    QFont font = p.font();
    font.setBold(true);
    p.setFont(font);
    const QFontMetrics metrics(font);
    const int line = metrics.height();
    const QColor textColour = label.typeColoured ? toColour(label.colour) : QColor(Qt::white);
    // Texts end just left of their line: that part of the picture is on the
    // canvas already, while the right of x may lie beyond the edge until the next scroll.
    auto writeLeftOf = [&](int lineX, int baseline, const std::string& text) {
        const QString t = QString::fromStdString(text);
        p.drawText(lineX - 3 - metrics.horizontalAdvance(t), baseline, t);
    };
    const int bottomLine = h - metrics.descent() - 2;
    int lineX = x;
    switch (label.kind) {
    case EventKind::Boundary:
        lineX = x - 3;
        p.fillRect(QRect(lineX - 1, 0, 3, h), kAqua);
        p.setPen(Qt::white);
        writeLeftOf(lineX - 1, bottomLine, label.text);
        break;
    case EventKind::Question:
        lineX = x - 1;
        p.setPen(kGrey);
        p.drawLine(lineX, 0, lineX, h - 1);
        p.setPen(textColour);
        if (!label.top.empty()) writeLeftOf(lineX, metrics.ascent() + 1, label.top);
        writeLeftOf(lineX, bottomLine - 2 * line, label.text);
        break;
    case EventKind::Answer: {
        QPen dashed(kGrey, 1, Qt::CustomDashLine);
        dashed.setDashPattern({2, 2});
        p.setPen(dashed);
        p.drawLine(x, 0, x, h - 1);
        p.setPen(textColour);
        writeLeftOf(x, bottomLine - line, label.text);
        break;
    }
    case EventKind::Ready:
        lineX = x - 4;
        p.setPen(kGrey);
        p.drawLine(lineX, 0, lineX, h - 1);
        for (int y = 0; y < h; y += 8) p.drawLine(lineX - 2, y, lineX + 2, y);
        break;
    case EventKind::Artefact:
        lineX = x - 5;
        p.setPen(kGrey);
        p.drawLine(lineX, 0, lineX, h - 1);
        for (int y = 0; y < h; y += 8) p.drawLine(lineX - 2, y + 2, lineX + 2, y - 2);
        p.setPen(textColour);
        writeLeftOf(lineX, bottomLine - 2 * line, label.text);
        break;
    }
    p.end();
    const int textWidth = std::max(metrics.horizontalAdvance(QString::fromStdString(label.text)),
                                   metrics.horizontalAdvance(QString::fromStdString(label.top)));
    dirty(QRect(lineX - textWidth - 8, 0, textWidth + 16, h));
}

void ChartDisplay::setSpeed(int entry) {
    model_.setSpeed(entry);
}

std::vector<formats::ScreenEvent> ChartDisplay::centreChannel(int channel) {
    std::vector<formats::ScreenEvent> events;
    const std::optional<Marker> marker = model_.centre(channel, events);
    if (marker && model_.shown(channel)) {
        QPainter p(&canvas_);
        paintMarker(p, *marker);
    }
    return events;
}

std::vector<formats::ScreenEvent> ChartDisplay::centreAll() {
    std::vector<formats::ScreenEvent> events;
    const std::vector<Marker> markers = model_.centreAll(events);
    QPainter p(&canvas_);
    for (const Marker& marker : markers) {
        if (model_.shown(marker.channel)) paintMarker(p, marker);
    }
    return events;
}

std::vector<formats::ScreenEvent> ChartDisplay::dragChannel(int channel, int dy, int minCentre, int maxCentre) {
    std::vector<formats::ScreenEvent> events;
    model_.drag(channel, dy, events, minCentre, maxCentre);
    return events;
}

int ChartDisplay::changeGain(int channel, int gain, std::vector<formats::ScreenEvent>& events) {
    std::optional<Marker> marker;
    const int now = model_.changeGain(channel, gain, events, marker);
    if (marker && model_.shown(channel)) {
        QPainter p(&canvas_);
        paintMarker(p, *marker);
    }
    return now;
}

}  // namespace lumo::recording::ui
