#pragma once

#include <string>
#include <vector>

namespace lumo::authoring {

// One row of the question editors: the fields of a template line
// (" 1. R1.-.Is it you ?" is row number " 1", sign " R1", answer "-", text "Is it you ?").
struct QuestionRow {
    std::string number;  // " 1" ... "20"
    std::string sign;    // " R1", "R10"
    std::string answer;  // "+" or "-"
    std::string text;    // ends with "?"
    bool operator==(const QuestionRow&) const = default;
};

// What the method chooser hands to the question editor for a new template.
struct TemplateSkeleton {
    int method = 0;            // 1 ... 6
    std::string caption;       // "Method : %s" with the method's name
    std::vector<QuestionRow> rows;
};

}  // namespace lumo::authoring
