#pragma once

#include <array>

#include "review/scroll_par_panel.h"

namespace lumo::review {

// The sizes the window's controls need, in pixels.
struct ParLayoutSizes {
    int width = 0;   // the window's client area
    int height = 0;
    int headerHeight = 0;
    int exitWidth = 0;
    int exitHeight = 0;
    int labelWidth = 0;
    int labelHeight = 0;
    int listWidth = 0;
};

// Where the parameter scroll view's parts go in its client area: panel 1's
// header strip and chart panel, panel 2's below them, and the bottom row of
// the scale label, the scale list and Exit.
struct ParLayout {
    std::array<ParRect, 2> headers;
    std::array<ParRect, 2> panels;
    ParRect label;
    ParRect list;
    ParRect exit;
};
ParLayout parLayout(const ParLayoutSizes& sizes);

// A question info panel of `width` x `height` over a chart panel: centred
// across it, its bottom edge at the panel's vertical middle.
ParRect infoPanelRect(const ParRect& panel, int width, int height);

}  // namespace lumo::review
