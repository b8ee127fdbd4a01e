#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/colors.h"

// What one drawing of a parameter scroll panel puts on its chart area, in
// the area's pixels ((0, 0) its top-left corner, y growing downwards). The
// engine computes every position; the window only paints the items.
namespace lumo::review {

struct ParPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ParPoint&) const = default;
};

// The background over columns left ... right - 1, the whole height.
struct ParFill {
    int left = 0;
    int right = 0;
    core::Rgb colour;
    bool operator==(const ParFill&) const = default;
};

// A straight line `width` pixels wide (the start and end lines are 3, all others 1).
struct ParLine {
    ParPoint from;
    ParPoint to;
    core::Rgb colour;
    int width = 1;
    bool operator==(const ParLine&) const = default;
};

// A dotted vertical line: one-pixel dots at (x, 0), (x, step), ... (x, step x (count - 1)).
struct ParDots {
    int x = 0;
    int step = 4;
    int count = 0;
    core::Rgb colour;
    bool operator==(const ParDots&) const = default;
};

// Connected one-pixel segments of one channel's trace.
struct ParTrace {
    int channel = 0;
    core::Rgb colour;
    std::vector<ParPoint> points;
    bool operator==(const ParTrace&) const = default;
};

// Bold text on a transparent background, its top-left corner at `at`.
struct ParText {
    ParPoint at;
    std::string text;
    core::Rgb colour;
    bool operator==(const ParText&) const = default;
};

using ParItem = std::variant<ParFill, ParLine, ParDots, ParTrace, ParText>;

// The still valid part of the previous picture moved sideways: columns
// from ... to - 1 go to columns from + by ... to - 1 + by.
struct ParShift {
    int from = 0;
    int to = 0;
    int by = 0;
    bool operator==(const ParShift&) const = default;
};

// One drawing: the shift first (when the picture scrolled by less than its
// width), then the items in order. A full redraw starts with a fill of the
// whole area and has no shift.
struct ParStrip {
    int width = 0;   // the chart area's
    int height = 0;
    std::optional<ParShift> shift;
    int first = 0;   // the columns drawn anew: first ... last - 1
    int last = 0;
    std::vector<ParItem> items;
    bool operator==(const ParStrip&) const = default;
};

// Pixel measures of the chart area's bold font.
class ParTextMeasure {
public:
    virtual ~ParTextMeasure() = default;
    virtual int width(std::string_view text) const = 0;
    virtual int height() const = 0;
};

}  // namespace lumo::review
