#include "authoring/question_row.h"

namespace lumo::authoring {

std::string rowNumber(int row) {
    return (row <= 9 ? " " : "") + std::to_string(row);
}

std::string numberedSign(std::string_view letter, int number) {
    return (number <= 9 ? " " : "") + std::string(letter) + std::to_string(number);
}

}  // namespace lumo::authoring
