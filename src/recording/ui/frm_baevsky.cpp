#include "recording/ui/frm_baevsky.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include "core/settings.h"
#include "core/text_format.h"
#include "core/texts/recording.h"
#include "core/ui/qt_text.h"
#include "core/workstation.h"
#include "recording/ui/paint_panels.h"

namespace lumo::recording::ui {

using core::ui::qs;

namespace {

constexpr std::array<int, TfrmBaevsky::kScales> kScaleCaptions = {
    txt::SummaryMeanFrequency, txt::SummaryMainTone, txt::SummaryVariance, txt::SummaryBloodVolume};
constexpr std::array<int, TfrmBaevsky::kScales> kIndexTexts = {
    txt::SummaryFrequencyIndex, txt::SummaryMainToneIndex, txt::SummaryStabilityIndex, txt::SummaryBloodVolumeIndex};
const QColor kOutlineFill(0, 255, 255);

QColor color(const core::Rgb& rgb) {
    return {rgb.red, rgb.green, rgb.blue};
}

QLabel* label(const QString& text, QWidget* parent, bool bold = false) {
    auto* shown = new QLabel(text, parent);
    if (bold) {
        QFont font = shown->font();
        font.setBold(true);
        shown->setFont(font);
    }
    return shown;
}

void blacken(QWidget* widget) {
    QPalette black = widget->palette();
    black.setColor(QPalette::Window, Qt::black);
    widget->setPalette(black);
}

}  // namespace

TfrmBaevsky::TfrmBaevsky(core::Workstation& workstation, const StateStatistics& statistics, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      statistics_(statistics),
      indices_(autonomicIndices(statistics, workstation.texts())),
      marker_(scaleMarker(workstation.settings().list())) {
    setObjectName("frmBaevsky");
    const core::Texts& texts = workstation.texts();
    const auto text = [&texts](int id) { return qs(texts(id)); };
    setWindowTitle(text(txt::SummaryCaption));
    const int line = fontMetrics().height();

    auto* scales = new QGridLayout;
    scales->addWidget(label(text(txt::SummaryTitle), this, true), 0, 0);
    auto* legend = label(text(txt::SummaryScale), this, true);
    legend->setObjectName("lblScale");
    scales->addWidget(legend, 0, 1);
    for (int scale = 0; scale < kScales; ++scale) {
        const auto index = static_cast<std::size_t>(scale);
        const QString caption = text(kScaleCaptions[index]);
        scales->addWidget(label(caption, this), scale + 1, 0);
        auto* panel = new TPaintPanel(this);
        panel->setObjectName(QStringLiteral("pnlScale%1").arg(scale + 1));
        panel->setMinimumSize(line * 18, line * 3 / 2);
        panel->setAccessibleName(caption);
        connect(panel, &TPaintPanel::OnPaint, this, [this, scale](QPainter* painter) { paintScale(scale, painter); });
        scales_[index] = panel;
        scales->addWidget(panel, scale + 1, 1);
        const QString shown = qs(core::formatText(texts(kIndexTexts[index]), {static_cast<long long>(shownPercent(indexOf(scale)))}));
        indexLabels_[index] = label(shown, this);
        indexLabels_[index]->setObjectName(QStringLiteral("lblIndex%1").arg(scale + 1));
        panel->setAccessibleDescription(shown);
        scales->addWidget(indexLabels_[index], scale + 1, 2);
    }
    scales->setColumnStretch(1, 1);
    scales->setHorizontalSpacing(line);

    const VerdictTexts verdictLines = verdictTexts(verdict());
    lblHeadline_ = label(verdictLines.headline != 0 ? text(verdictLines.headline) : QString(), this, true);
    lblHeadline_->setObjectName("lblHeadline");
    lblAdvice_ = label(text(verdictLines.advice), this, true);
    lblAdvice_->setObjectName("lblAdvice");
    auto* verdictBox = new QGridLayout;
    verdictBox->addWidget(label(text(txt::SummaryLabel), this, true), 0, 0);
    verdictBox->addWidget(lblHeadline_, 0, 1);
    verdictBox->addWidget(lblAdvice_, 1, 1);
    verdictBox->setColumnStretch(1, 1);
    verdictBox->setHorizontalSpacing(line);

    const QString distribution = text(txt::SummaryDistribution);
    pnlHistogram_ = new TPaintPanel(this);
    pnlHistogram_->setObjectName("pnlHistogram");
    pnlHistogram_->setMinimumSize(line * 30, line * 9);
    pnlHistogram_->setAccessibleName(distribution);
    blacken(pnlHistogram_);
    connect(pnlHistogram_, &TPaintPanel::OnPaint, this, &TfrmBaevsky::pnlHistogramPaint);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(scales);
    layout->addSpacing(line / 2);
    layout->addLayout(verdictBox);
    layout->addSpacing(line / 2);
    layout->addWidget(label(distribution, this, true));
    layout->addWidget(pnlHistogram_, 1);
}

double TfrmBaevsky::indexOf(int scale) const {
    switch (scale) {
    case 0: return indices_.frequency;
    case 1: return indices_.mainTone;
    case 2: return indices_.stability;
    default: return indices_.bloodVolume;
    }
}

ScaleBar TfrmBaevsky::scaleBarOf(int scale) const {
    const QSize size = scales_[static_cast<std::size_t>(scale)]->size();
    return scaleBar(indexOf(scale), size.width(), size.height());
}

StepOutline TfrmBaevsky::outline() const {
    const QFontMetrics measure(pnlHistogram_->font());
    const QSize size = pnlHistogram_->size();
    return histogramOutline(statistics_, size.width(), size.height(), measure.height(),
                            [&measure](const std::string& text) { return measure.horizontalAdvance(qs(text)); });
}

void TfrmBaevsky::paintScale(int scale, QPainter* painter) {
    const ScaleBar bar = scaleBarOf(scale);
    painter->setRenderHint(QPainter::Antialiasing, false);
    for (const ScaleZone& zone : bar.zones) {
        painter->fillRect(QRect(zone.left, bar.top, zone.right - zone.left, bar.bottom - bar.top), color(zone.colour));
    }
    painter->setPen(Qt::black);
    painter->drawRect(QRect(bar.zones[0].left, bar.top, bar.zones[2].right - bar.zones[0].left - 1,
                            bar.bottom - bar.top - 1));
    painter->setRenderHint(QPainter::Antialiasing, true);
    const int size = bar.markerSize;
    const QRect around(bar.markerX - size / 2, bar.markerY - size / 2, size, size);
    if (marker_.ellipse) {
        painter->setBrush(Qt::black);
        painter->drawEllipse(around);
        return;
    }
    QFont font = painter->font();
    font.setPixelSize(size);
    painter->setFont(font);
    const char32_t glyph = marker_.glyph;
    painter->drawText(around.adjusted(-size, -size, size, size), Qt::AlignCenter, QString::fromUcs4(&glyph, 1));
}

void TfrmBaevsky::pnlHistogramPaint(QPainter* painter) {
    const StepOutline shape = outline();
    QPolygon polygon;
    for (const BoardPoint& point : shape.polygon) polygon.append(QPoint(point.x, point.y));
    painter->setPen(Qt::white);
    painter->setBrush(kOutlineFill);
    painter->drawPolygon(polygon);
    for (const BoardText& text : shape.labels) {
        painter->setPen(color(text.color));
        painter->drawText(QRect(text.at.x, text.at.y, pnlHistogram_->width(), pnlHistogram_->height()),
                          Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, qs(text.text));
    }
}

void TfrmBaevsky::keyPressEvent(QKeyEvent* event) {
    event->accept();
    accept();
}

void TfrmBaevsky::mousePressEvent(QMouseEvent* event) {
    event->accept();
    accept();
}

}  // namespace lumo::recording::ui
