#pragma once

#include <string>

#include "core/string_table.h"

namespace lumo::core {
class Settings;
}

namespace lumo::scoring {

class DecisionView;
class ScoringWorkspace;

// A JSON string literal of UTF-8 text, control characters escaped.
std::string jsonString(const std::string& text);

// The scored exam as one JSON object: the loaded charts with their rows,
// features and marks, the question scores over the view's selected charts,
// the bounds, the decisions (English texts) and the conclusion. Reals carry
// nine significant digits; missing-value codes stay numbers. The view must
// have computed its scores and bounds.
std::string scoreJson(const ScoringWorkspace& workspace, const DecisionView& view, const core::Settings& settings,
                      const std::string& examinee, int exam);

// The summary table of the results window as text: the stress view, then
// the lie view where the method has one, with the bounds and the conclusion.
std::string scoreText(const ScoringWorkspace& workspace, DecisionView& view, core::Language language);

}  // namespace lumo::scoring
