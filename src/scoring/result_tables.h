#pragma once

#include <string>
#include <vector>

#include "core/string_table.h"
#include "scoring/decision_view.h"

namespace lumo::core {
class Settings;
}

namespace lumo::scoring {

class ScoringWorkspace;

// The three tables behind the summary: the features themselves, their
// stress marks and their lie marks.
enum class FeatureTableMode { Parameters = 1, Stress = 2, Lie = 3 };

// A bar of the stress and lie tables' picture: one per table line of a row.
struct ResultBar {
    double total = 0;   // the row's total, drawn on -10 ... +10
    std::string label;  // "+3", "-2"
    int chart = 0;      // set on a chart's first row: "Chart" and its number beside the bar
    int line = 0;       // the grid line the bar stands beside
};

// A grid as texts: the header rows, then the body; a screen reader and the
// print read the same cells the window draws.
struct ResultGrid {
    std::string title;
    int headerRows = 0;
    std::vector<std::vector<std::string>> cells;
    std::vector<int> chartLines;  // lines holding "Chart n"
    std::vector<ResultBar> bars;  // stress and lie tables only
    std::string leftLabel;        // the picture's axis ends
    std::string rightLabel;
};

// FillFeatureTable: per chart a "Chart n" line, then one line per kept row.
ResultGrid featureTable(const DecisionView& view, const ScoringWorkspace& workspace, const core::Settings& settings,
                        const core::StringTable& strings, FeatureTableMode mode, core::Language language);

// The summary's cells: the three header rows, the question rows (blank cells
// outside the lie filter) and the lie view's conclusion row.
std::vector<std::vector<std::string>> summaryCells(const SummaryTable& table);

// A feature value as the tables show it: a missing code as its error text,
// exactly 0 as nothing, else with the given decimals.
std::string featureText(float value, int decimals, const core::Settings& settings);

}  // namespace lumo::scoring
