#pragma once

#include <QWidget>

#include "scoring/decision_view.h"
#include "scoring/result_tables.h"

namespace lumo::scoring::ui {

// The decision scale (pctSlider): bands, bound lines and one box per question,
// +10 at the left edge and -10 at the right.
class ResultScale : public QWidget {
public:
    explicit ResultScale(QWidget* parent = nullptr);
    void setPicture(ScalePicture picture);
    const ScalePicture& picture() const { return picture_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int lineStep() const;
    ScalePicture picture_;
};

// The stress and lie tables' bars (imgChart): one per row, -10 ... +10.
class ResultBars : public QWidget {
public:
    explicit ResultBars(QWidget* parent = nullptr);
    void setGrid(const ResultGrid& grid, int lineHeight);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<ResultBar> bars_;
    std::string left_;
    std::string right_;
    int lineHeight_ = 16;
    int lines_ = 0;
};

}  // namespace lumo::scoring::ui
