#pragma once

#include <QPixmap>
#include <QWidget>
#include <optional>
#include <vector>

#include "recording/display_model.h"

class QScreen;

namespace lumo::core {
class Settings;
}

namespace lumo::recording::ui {

// Pixels per inch of `screen` by the MonitorDiagonal setting; the screen's
// own physical resolution when the setting is missing or not positive.
double paperResolution(const QScreen* screen, const core::Settings& settings);

// The live chart at paper scale. The picture is kept in a pixmap: each
// packet period paints only its newest column, and a scroll moves the pixels
// already drawn instead of drawing them again.
class ChartDisplay : public QWidget {
    Q_OBJECT

public:
    ChartDisplay(const DisplaySettings& settings, double resolution, QWidget* parent = nullptr);

    DisplayModel& model() { return model_; }
    const DisplayModel& model() const { return model_; }
    const QPixmap& picture() const { return canvas_; }
    // Lays the picture out for the widget's size when that changed (also
    // before the widget is first shown); a new size restarts the picture.
    void ensureCanvas();

    // Returns the screen-settings events of AutoFit's re-centrings.
    std::vector<formats::ScreenEvent> drawPeriod(const PeriodSample& sample);
    void drawEvent(const EventLabel& label);
    void setSpeed(int entry);

    // Centring, dragging and gains: the screen-settings events they make while recording.
    std::vector<formats::ScreenEvent> centreChannel(int channel);
    std::vector<formats::ScreenEvent> centreAll();
    std::vector<formats::ScreenEvent> dragChannel(int channel, int dy, int minCentre, int maxCentre);
    // Returns the gain in force afterwards.
    int changeGain(int channel, int gain, std::vector<formats::ScreenEvent>& events);

    // How many pixels of the picture the last period repainted (tests).
    QRect lastDirtyRect() const { return lastDirty_; }

signals:
    // The chart area changed size: the bands moved (the labels follow).
    void bandsChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QColor channelColour(int channel) const;
    void paintMarker(QPainter& p, const Marker& marker);
    void dirty(const QRect& rect);

    DisplayModel model_;
    QColor background_;
    QPixmap canvas_;
    QRect lastDirty_;
};

}  // namespace lumo::recording::ui
