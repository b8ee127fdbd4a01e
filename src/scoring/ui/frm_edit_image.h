#pragma once

#include <QWidget>

#include "scoring/chart_editor_picture.h"

class QPainter;

namespace lumo::scoring::ui {

// The chart editor's image: paints the picture the engine computed, stretched
// over the widget, and reports clicks by pixel column.
class TChartImage : public QWidget {
    Q_OBJECT

public:
    explicit TChartImage(QWidget* parent = nullptr);

    void setPicture(ChartEditorPicture picture);
    const ChartEditorPicture& picture() const { return picture_; }

    // The vertical pixel of a picture unit in this widget.
    int pixelOfUnit(double unit) const;

signals:
    // A button pressed at pixel column x of an image `width` pixels wide.
    void clicked(double x, double width, Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    ChartEditorPicture picture_;
};

// Paints a chart editor picture into the rectangle (0, 0, width, height).
void paintChartEditorPicture(QPainter& painter, const ChartEditorPicture& picture, int width, int height);

}  // namespace lumo::scoring::ui
