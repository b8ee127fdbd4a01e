#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/colors.h"
#include "core/printed_page.h"
#include "formats/chart.h"
#include "review/scroll_res_channels.h"
#include "review/scroll_res_picture.h"
#include "review/scroll_res_scale.h"
#include "review/scroll_res_values.h"

namespace lumo::review {

inline constexpr core::Rgb kReviewGrey{128, 128, 128};
inline constexpr core::Rgb kReviewCyan{0, 255, 255};
inline constexpr core::Rgb kReviewWhite{255, 255, 255};

// One presentation as the picture labels it at its onset.
struct PresentationMark {
    std::size_t onset = 0;
    std::string number;  // "1" ... "N", at the top
    std::string label;   // "(" answer ["*"] sign ")" and two blanks, near the bottom
    core::Rgb colour;
};

// How a channel is drawn: shown or not, its gain code's factor and its
// vertical offset in the frame's units.
struct ChannelLook {
    bool visible = false;
    double factor = 1;
    double offset = 0;
};

// What the picture shows, prepared once per opening of a chart.
struct PictureSource {
    const ScrollResSettings* settings = nullptr;
    const DrawnValues* values = nullptr;
    const ChartScale* scale = nullptr;
    const std::vector<ChangeEvent>* changes = nullptr;     // in point order
    const std::vector<std::size_t>* lonelyReady = nullptr; // in point order
    const formats::TarrWord* marks = nullptr;
    std::vector<PresentationMark> presentations;
    std::array<ChannelLook, kReviewChannels> channels{};
};

// Where and how the picture is drawn.
struct PictureFrame {
    const std::vector<double>* x = nullptr;  // every point's position from the chart's start
    double left = 0;                         // the chart position at the picture's left edge
    double width = 0;
    double height = 0;
    double stripFrom = 0;  // the columns to draw; the rest of the picture is kept
    double stripTo = 0;
    double unit = 1;       // one screen pixel in the frame's units: line widths, ticks, glyphs
    bool paper = false;    // the printout: every change glyph, the time grid every ten seconds, y unrounded
    std::optional<double> endLine;  // picture x of the end line, when it shows
    const core::TextMeasure* measure = nullptr;
    core::TextStyle labelStyle;
};

// The picture of the frame's strip: the start line, every point's marks,
// time grid, trace segments, centre ticks and dot grid, the end line, the
// question labels and the change glyphs. Points are walked from a little
// before the strip to a little after it, so that lines and labels that
// reach into the strip join.
ScrollResPicture drawScrollRes(const PictureSource& source, const PictureFrame& frame);

// y of a value with a point's scale: the nearest integer (unrounded on
// paper) to a x f x ((o + 1) / 2 - k x v x g / 16384) + m + e, with a the
// band height, m the centre line (both per mille of `area` units, m rounded
// on screen) and e the channel's offset.
double traceY(std::int32_t bandHeight, double area, double factor, double polarity, double value,
              const PointScale& scale, double offset, bool round);

}  // namespace lumo::review
