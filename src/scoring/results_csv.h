#pragma once

#include <string>
#include <vector>

namespace lumo::core {
class Settings;
}

namespace lumo::scoring {

class DecisionView;
class ScoringWorkspace;

// Results for spreadsheets: RFC 4180 (fields quoted where they hold a comma,
// a quote, a line break or blanks at an end; lines ending in CR LF), one
// header line, reals with nine significant digits and ".", texts in UTF-8.

// One line per question of the set: its scores over the view's selected
// charts, spreads, probabilities, decisions (English texts) and component
// totals. The view must have computed its scores and bounds.
std::string questionResultsCsv(const ScoringWorkspace& workspace, const DecisionView& view,
                               const core::Settings& settings);

// One line per kept row of every chart: the row's exclusion flags, features,
// stress and lie marks with their totals; missing-value codes stay numbers.
std::string rowFeaturesCsv(const ScoringWorkspace& workspace);

// A field as RFC 4180 writes it, and a whole line of fields.
std::string csvField(const std::string& text);
std::string csvLine(const std::vector<std::string>& fields);

}  // namespace lumo::scoring
