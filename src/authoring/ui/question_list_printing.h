#pragma once

#include <string>
#include <vector>

#include "platform/print_job.h"

class QWidget;

namespace lumo::core {
class Workstation;
}

namespace lumo::authoring::ui {

// Prints a template or an exam: `heading` over the question lines (each a
// row's fields joined with "."), in the font of the question rows, on the
// printer of the system parameters. Errors are shown in an error box; the
// examiner may cancel the PDF file choice.
void printQuestionList(QWidget* parent, core::Workstation& workstation, const std::string& heading,
                       const std::vector<std::string>& lines);

// The same with the desktop's steps replaced (tests); true when printed.
bool printQuestionList(QWidget* parent, const core::Workstation& workstation, const std::string& heading,
                       const std::vector<std::string>& lines, const platform::PrintSteps& steps);

}  // namespace lumo::authoring::ui
