#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/template_conversion.h"

namespace lumo::authoring {

// A question set holds 5 ... 20 questions (core::kMaxQuestions): the method
// chooser generates no fewer, and the editors delete no further.
inline constexpr int kMinQuestions = 5;

// One row of the question editors: the fields of a template line
// (" 1. R1.-.Is it you ?" is row number " 1", sign " R1", answer "-", text "Is it you ?").
using QuestionRow = core::TemplateLine;

// " 1" ... " 9", "10" ... "20".
std::string rowNumber(int row);
// The letter and the number within its type, a blank in front of 1 ... 9 (" R9", "R10").
std::string numberedSign(std::string_view letter, int number);

// What the method chooser hands to the question editor for a new template.
struct TemplateSkeleton {
    int method = 0;            // 1 ... 6
    std::string caption;       // "Method : %s" with the method's name
    std::vector<QuestionRow> rows;
};

}  // namespace lumo::authoring
