#pragma once

#include <QFont>
#include <QPixmap>
#include <QWidget>
#include <functional>
#include <string_view>

#include "review/scroll_par_picture.h"

namespace lumo::review::ui {

// The measures of a font in pixels, as the engine lays labels out with them.
class QtParMeasure : public ParTextMeasure {
public:
    explicit QtParMeasure(const QFont& font);
    int width(std::string_view text) const override;
    int height() const override;

private:
    QFont font_;
};

// Paints one drawing onto the picture: the shift, then every item in order.
void paintParStrip(QPixmap& picture, const ParStrip& strip, const QFont& font);

// A chart area: keeps its picture between drawings and shows it. Mouse
// presses and releases are reported with the pressed column.
class TParChartArea : public QWidget {
    Q_OBJECT

public:
    explicit TParChartArea(QWidget* parent = nullptr);

    // The chart labels' font: bold, without smoothing, so that the labels
    // drawn again over a kept picture stay as they were.
    const QFont& chartFont() const { return font_; }
    const QPixmap& picture() const { return picture_; }
    // The picture no longer matches the area's size (it is made anew).
    bool pictureStale() const { return picture_.size() != size(); }
    void paintStrip(const ParStrip& strip);
    // Runs before every paint: the owner brings the picture up to date.
    void setBeforePaint(std::function<void()> hook) { beforePaint_ = std::move(hook); }

signals:
    void pressed(int x);
    void released();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QFont font_;
    QPixmap picture_;
    std::function<void()> beforePaint_;
};

}  // namespace lumo::review::ui
