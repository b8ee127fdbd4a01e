#pragma once

#include <string>
#include <variant>
#include <vector>

namespace lumo::core {

// What a print puts on paper, independent of the printer: pages of items in
// points (1/72 inch), measured from the top left corner of the printable area,
// y growing downwards. A painter of the platform draws it on a printer or a
// PDF file; the engine lays pages out without fonts, through a TextMeasure.

struct PagePoint {
    double x = 0;
    double y = 0;
    bool operator==(const PagePoint&) const = default;
};

struct TextStyle {
    std::string family;  // empty: the printer's default family
    double size = 10;    // points
    bool bold = false;
    bool operator==(const TextStyle&) const = default;
};

enum class TextAlign { Left, Center, Right };

// One line of text; `at.x` is its left edge, centre or right edge as `align`
// says, `at.y` the top of its line.
struct PageText {
    PagePoint at;
    std::string text;  // UTF-8
    TextStyle style;
    TextAlign align = TextAlign::Left;
    bool operator==(const PageText&) const = default;
};

// A straight line.
struct PageRule {
    PagePoint from;
    PagePoint to;
    double width = 0.5;
    bool operator==(const PageRule&) const = default;
};

// Connected line segments (traces of charts, arrows).
struct PagePolyline {
    std::vector<PagePoint> points;
    double width = 0.5;
    bool operator==(const PagePolyline&) const = default;
};

using PageItem = std::variant<PageText, PageRule, PagePolyline>;

struct PrintedPage {
    std::vector<PageItem> items;
};

// The printable area the layout fills, in points.
struct PageFormat {
    double width = 0;
    double height = 0;
};

// The printed document: its pages in order, every one in the job's format.
struct PrintedDocument {
    PageFormat format;
    std::vector<PrintedPage> pages;
};

// Text measures of the device that will print, in points.
struct TextMeasure {
    virtual ~TextMeasure() = default;
    virtual double width(const std::string& text, const TextStyle& style) const = 0;
    // Distance from one line's top to the next one's.
    virtual double lineHeight(const TextStyle& style) const = 0;
};

}  // namespace lumo::core
