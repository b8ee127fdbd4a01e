#pragma once

#include <string>
#include <vector>

#include "core/printed_page.h"
#include "core/string_table.h"
#include "scoring/decision_view.h"

namespace lumo::core {
class Settings;
}

namespace lumo::scoring {

class ScoringWorkspace;

// The view the results window shows, and prints: the summary or one of the tables.
enum class ResultView { Summary, Params, Stress, Lie };

// What the results print holds: fixed-pitch lines and, for the summary, the scale.
struct ResultPrint {
    std::vector<std::string> lines;
    bool withScale = false;
    ScalePicture scale;
    std::size_t scaleAfterLine = 0;  // the scale stands below this many lines
};

// The header, the examinee, examiner, method and charts, then the view: for
// the summary the demands, bounds and zones, the table, the conclusion and
// the scale; for a table its lines. `date` is the day of printing.
ResultPrint resultPrint(const DecisionView& view, const ScoringWorkspace& workspace, const core::Settings& settings,
                        const core::StringTable& strings, ResultView shown, core::Language language,
                        const std::string& date);

// Pages of the print: 12 point fixed-pitch lines (smaller when the widest
// line would not fit across the page), the scale drawn as rules; lines that
// do not fit go on to the next page.
core::PrintedDocument layoutResultPrint(const ResultPrint& print, const core::PageFormat& format,
                                        const core::TextMeasure& measure);

// Cells as fixed-pitch lines: each column as wide as its widest text in the
// rows from `measuredFrom` on; the rows above (band headings) run on over the
// columns they span, a text equal to its left neighbour's printed once.
std::vector<std::string> columnLines(const std::vector<std::vector<std::string>>& cells, std::size_t measuredFrom = 0);

}  // namespace lumo::scoring
