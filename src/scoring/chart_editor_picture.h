#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/colors.h"
#include "core/question_set.h"

namespace lumo::core {
class Settings;
class Texts;
}  // namespace lumo::core

namespace lumo::scoring {

class ScoringWorkspace;

// How much of a chart the editor shows: the whole examination, the current
// question with its two neighbours, or the current question alone.
enum class EditorScale { All, Three, One };

// The image's vertical units: one band of 4096 per channel slot, top to
// bottom in display order, then the strip of the question labels and the
// stress bars.
inline constexpr int kBandUnits = 4096;
inline constexpr int kBandCount = 8;
inline constexpr int kSignalUnits = kBandCount * kBandUnits;
inline constexpr int kStripUnits = 3 * kBandUnits;
inline constexpr int kPictureUnits = kSignalUnits + kStripUnits;
// Inside the strip: the sign and row number lines, then the bars around
// their base line: totals up to 9 fit, a longer bar stops at the strip's edge.
inline constexpr int kLabelUnits = 1536;
inline constexpr int kBarTop = kSignalUnits + kLabelUnits;
inline constexpr int kBarBottom = kPictureUnits;
inline constexpr int kBarBase = (kBarTop + kBarBottom) / 2;
inline constexpr int kUnitsPerStressPoint = 600;
// A bar is 50 samples wide and starts 10 samples after its onset.
inline constexpr int kBarOffset = 10;
inline constexpr int kBarWidth = 50;

// The chart positions the image spans, both ends shown.
struct ChartSpan {
    std::int64_t first = 0;
    std::int64_t last = 0;
    bool operator==(const ChartSpan&) const = default;
};

// x in chart positions, y in the units above (0 at the top).
struct PicturePoint {
    float x = 0;
    float y = 0;
    bool operator==(const PicturePoint&) const = default;
};

// One slot's normalised signal in its channel colour.
struct PictureTrace {
    int slot = 0;
    core::Rgb colour;
    std::vector<PicturePoint> points;
};

enum class LineStyle { Dotted, Hatched };

// A vertical line at a chart position: an onset (dotted) or an artefact
// mark (hatched).
struct PictureLine {
    double x = 0;
    double top = 0;
    double bottom = 0;
    core::Rgb colour;
    LineStyle style = LineStyle::Dotted;
    bool operator==(const PictureLine&) const = default;
};

// A rectangle between two corners (any order): a stress bar (filled) or the
// current row's frame (outlined).
struct PictureRect {
    double left = 0;
    double right = 0;
    double top = 0;
    double bottom = 0;
    core::Rgb colour;
    bool operator==(const PictureRect&) const = default;
};

// Where a text stands against its point.
enum class TextAnchor { TopLeft, MiddleLeft, TopRight, BottomRight };

struct PictureText {
    double x = 0;
    double y = 0;
    std::string text;
    core::Rgb colour;
    bool bold = false;
    TextAnchor anchor = TextAnchor::TopLeft;
    bool operator==(const PictureText&) const = default;
};

// What the chart editor's image shows, painted in this order: background,
// traces, lines, bars, texts, the frame. Whoever paints it maps x from
// span.first ... span.last and y from 0 ... kPictureUnits onto its pixels.
struct ChartEditorPicture {
    ChartSpan span;
    core::Rgb background;
    std::vector<PictureTrace> traces;
    std::vector<PictureLine> lines;
    std::vector<PictureRect> bars;
    std::vector<PictureText> texts;
    std::optional<PictureRect> frame;
};

// What the picture takes from the settings, read once when the editor opens
// (a colour setting that names no colour fails there, not while painting).
struct PictureStyle {
    std::array<core::Rgb, core::kMaxQuestions + 1> questionColours{};  // by question number
    std::array<std::string, 4> artefacts;  // Art5 ... Art8 of the language
    std::string relax;
    std::string stress;
    std::string missingTotal;  // "Af"
};
PictureStyle pictureStyle(const ScoringWorkspace& workspace, const core::Settings& settings, const core::Texts& texts);

// The display position 0 ... 7 (top to bottom) of a slot 1 ... 8.
int displayPosition(const ScoringWorkspace& workspace, int slot);

// The rows a scale shows around the current row (first, last), and the span
// they cover. "All" shows every row within 2 s of the chart's ends.
struct VisibleRows {
    int first = 0;  // 0 when none
    int last = -1;
    ChartSpan span;
};
VisibleRows visibleRows(const ScoringWorkspace& workspace, int chart, int row, EditorScale scale);

// The picture of chart `chart` with `row` as the current row.
ChartEditorPicture chartEditorPicture(const ScoringWorkspace& workspace, int chart, int row, EditorScale scale,
                                      const PictureStyle& style);

// The stress total as the bar's label: one decimal, or the missing text.
std::string stressTotalText(float total, const std::string& missing);

}  // namespace lumo::scoring
