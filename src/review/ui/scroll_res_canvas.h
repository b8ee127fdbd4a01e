#pragma once

#include <QFont>
#include <QPixmap>
#include <QWidget>

#include "core/printed_page.h"
#include "review/scroll_res_picture.h"

class QPainter;

namespace lumo::review::ui {

// Text measures of a screen font, in pixels.
class PixelTextMeasure final : public core::TextMeasure {
public:
    explicit PixelTextMeasure(const QPaintDevice& device) : device_(device) {}
    double width(const std::string& text, const core::TextStyle& style) const override;
    double lineHeight(const core::TextStyle& style) const override;

private:
    const QPaintDevice& device_;
};

// A style sheet for a text in `colour` on `background`.
QString colourSheet(const core::Rgb& colour, const QString& background = QStringLiteral("black"));

// Paints the items of a picture (not its background) in their colours.
void paintScrollResItems(QPainter& painter, const ScrollResPicture& picture, const core::TextStyle& labelStyle);

// The chart area of the scrolling review: keeps the picture in a pixmap,
// moves it and paints only the newly exposed strip when the view scrolled,
// and draws the cursor over it. Arrow keys, digits and clicks go to the owner.
class ScrollResCanvas : public QWidget {
    Q_OBJECT

public:
    explicit ScrollResCanvas(QWidget* parent = nullptr);

    // Brings the pixmap up to date with a picture of the review.
    void apply(const ScrollResPicture& picture, const core::TextStyle& labelStyle);
    const QPixmap& picture() const { return pixmap_; }
    // The pixmap's columns the last apply() painted afresh (for tests).
    QRect lastPainted() const { return lastPainted_; }

    void setCursorColumn(int column);
    int cursorColumn() const { return cursor_; }

signals:
    void columnClicked(int column);
    // Left / Right (by one point) with `large` for Ctrl (a sixteenth of the width).
    void cursorKey(bool right, bool large);
    void digitTyped(int digit);
    void resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPixmap pixmap_;
    QRect lastPainted_;
    int cursor_ = -1;
};

}  // namespace lumo::review::ui
