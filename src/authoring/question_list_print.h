#pragma once

#include <string>
#include <vector>

#include "core/printed_page.h"

namespace lumo::authoring {

// A question list on paper: the heading centred, two points larger than the
// lines and bold, a rule across the page at one and a half heading heights,
// then one line per question. A line (or heading) wider than the page is split
// at its middle, and a half still too wide again, so nothing is cut off; lines
// that do not fit a page go on to the next one, which repeats the heading.
struct QuestionListPrint {
    std::string heading;
    std::vector<std::string> lines;
    core::TextStyle style;  // of the lines
};

core::PrintedDocument layoutQuestionList(const QuestionListPrint& print, const core::PageFormat& format,
                                         const core::TextMeasure& measure);

// The two halves of a line split at its middle: at the blank nearest the
// middle character (the blank itself is dropped), else at the middle character.
std::pair<std::string, std::string> splitAtMiddle(const std::string& line);

// `line` as the lines it takes on a page `width` wide.
std::vector<std::string> fitToWidth(const std::string& line, double width, const core::TextStyle& style,
                                    const core::TextMeasure& measure);

}  // namespace lumo::authoring
