#pragma once

#include <QDialog>
#include <array>

#include "recording/autonomic_summary.h"
#include "recording/state_estimate.h"
#include "recording/state_picture.h"

class QLabel;
class QPainter;

namespace lumo::core {
class Workstation;
}

namespace lumo::recording::ui {

class TPaintPanel;

// The summary of the autonomic nervous system after a state estimate: the
// four indices on their green, yellow and red scales with a marker each, the
// verdict, and the distribution of the pulse periods. Any key or click closes it.
class TfrmBaevsky : public QDialog {
    Q_OBJECT

public:
    static constexpr int kScales = 4;

    // EMathError when the statistics hold too little for the indices. Reads
    // `ItalChar` (and replaces a value that is not a number).
    TfrmBaevsky(core::Workstation& workstation, const StateStatistics& statistics, QWidget* parent = nullptr);

    const AutonomicIndices& indices() const { return indices_; }
    Verdict verdict() const { return verdictOf(indices_.summary); }
    const ScaleMarker& marker() const { return marker_; }
    QLabel* indexLabel(int scale) const { return indexLabels_[static_cast<std::size_t>(scale)]; }
    QLabel* headlineLabel() const { return lblHeadline_; }
    QLabel* adviceLabel() const { return lblAdvice_; }
    TPaintPanel* scalePanel(int scale) const { return scales_[static_cast<std::size_t>(scale)]; }
    TPaintPanel* histogramPanel() const { return pnlHistogram_; }
    // The scale and the outline at the panels' present sizes.
    ScaleBar scaleBarOf(int scale) const;
    StepOutline outline() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void paintScale(int scale, QPainter* painter);
    void pnlHistogramPaint(QPainter* painter);
    double indexOf(int scale) const;

    StateStatistics statistics_;
    AutonomicIndices indices_;
    ScaleMarker marker_;
    std::array<TPaintPanel*, kScales> scales_{};
    std::array<QLabel*, kScales> indexLabels_{};
    QLabel* lblHeadline_ = nullptr;
    QLabel* lblAdvice_ = nullptr;
    TPaintPanel* pnlHistogram_ = nullptr;
};

}  // namespace lumo::recording::ui
