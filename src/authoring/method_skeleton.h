#pragma once

#include <array>
#include <string>
#include <vector>

#include "authoring/question_row.h"
#include "core/question_set.h"

namespace lumo::authoring {

// The question types a method template is made of, in the order of their
// sign letters and colours (QSign1 ... QSign6, QColor1 ... QColor6).
enum QuestionType { kRelevant, kInformative, kControl, kNeutral, kOuter, kSacrificial, kTypeCount };

// How many questions of each type a template gets (r, i, c, n, o, v).
using TypeCounts = std::array<int, kTypeCount>;

inline constexpr int kMethodFormats = 6;

// What the rows are written with: one sign letter per type, and the three
// standard questions of method 2 in the language of the sign letters.
struct SkeletonTexts {
    std::array<std::string, kTypeCount> signLetters;
    std::string suspect = "Do you suspect ?";
    std::string knowWho = "Do you know, who ?";
    std::string youDid = "Is it you who did ?";
};


// Questions of a method of the given counts, in presentation order, numbered from row 1;
// an unknown method gives no rows. The row count equals methodTotal(method, counts).
std::vector<QuestionRow> skeletonRows(int method, const TypeCounts& counts, const SkeletonTexts& texts);

// The number of questions the counts give in the method: r + n + c*r for
// method 4, the sum of all counts otherwise.
int methodTotal(int method, const TypeCounts& counts);

}  // namespace lumo::authoring
