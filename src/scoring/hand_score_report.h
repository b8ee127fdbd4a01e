#pragma once

#include <string>
#include <vector>

#include "core/string_table.h"

namespace lumo::core {
class Settings;
}

namespace lumo::scoring {

class HandScoreExam;
enum class HandVerdict;

// The decision words in the given language.
std::string handVerdictText(HandVerdict verdict, core::Language language);

// The hand-score decision as one JSON object (English decision words); the
// decision must have been recomputed.
std::string handScoreJson(const HandScoreExam& exam, const std::string& examinee, int examNumber);

// The tables the hand-score view shows, as text in the settings' language.
std::string handScoreText(const HandScoreExam& exam, const core::Settings& settings);

}  // namespace lumo::scoring
