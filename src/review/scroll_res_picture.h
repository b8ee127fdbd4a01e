#pragma once

#include <string>
#include <vector>

#include "core/colors.h"
#include "core/printed_page.h"

namespace lumo::review {

// The scrolling review's picture as a list of strokes, dots and texts in the
// units of the device it is meant for (screen pixels, or points on paper),
// from the picture's top left corner, y downwards. The screen, the printer
// and PDF only paint it.

struct PicPoint {
    double x = 0;
    double y = 0;
    bool operator==(const PicPoint&) const = default;
};

// A straight stroke; `dashOn` > 0 draws it as dashes of that length
// separated by gaps of `dashOff`.
struct PicLine {
    PicPoint from;
    PicPoint to;
    core::Rgb colour;
    double width = 1;
    double dashOn = 0;
    double dashOff = 0;
    bool operator==(const PicLine&) const = default;
};

// Connected strokes: a channel's trace (`channel` >= 0) or a glyph (-1).
struct PicPolyline {
    int channel = -1;
    core::Rgb colour;
    double width = 1;
    std::vector<PicPoint> points;
    bool operator==(const PicPolyline&) const = default;
};

// One line of text; `at.x` is its left edge, centre or right edge as `align`
// says, `at.y` its top.
struct PicText {
    PicPoint at;
    std::string text;
    core::Rgb colour;
    bool bold = false;
    core::TextAlign align = core::TextAlign::Left;
    bool operator==(const PicText&) const = default;
};

struct ScrollResPicture {
    double width = 0;
    double height = 0;
    core::Rgb background;
    // Nothing changed since the last drawing: the picture stays as it is.
    bool unchanged = false;
    // Before painting, the previous picture moves left by `shift` (right
    // when negative); then the columns stripFrom ... stripTo are filled with
    // the background and everything below is painted clipped to them.
    double shift = 0;
    double stripFrom = 0;
    double stripTo = 0;

    std::vector<PicLine> lines;          // start and end lines, marks, grid, centre ticks
    std::vector<PicPolyline> traces;     // the channels, in channel order
    std::vector<PicPoint> dots;          // the grey dot grid, one unit each
    std::vector<PicPolyline> glyphs;     // the change glyphs
    std::vector<PicText> texts;          // labels

    bool full() const { return shift == 0 && stripFrom <= 0 && stripTo >= width; }
};

}  // namespace lumo::review
