#pragma once

#include <functional>
#include <string>

#include "scoring/scoring_run.h"

namespace lumo::core {
class Workstation;
}

namespace lumo::scoring {

class ScoringWorkspace;

// What the exam results command shows; its wiring gives the real windows.
struct ExamResultsSteps {
    std::function<void(const std::string& text)> warn;   // the duplicated question
    std::function<void(const std::string& text)> error;  // a results table that cannot be read, the spectrum
    std::function<void(const ExamFiles& files)> runEditor;
};

// The exam results command: the scoring run of the current examinee's
// current exam and, when it succeeds, the chart editor on the exam's files.
// No exam with charts, an unreadable exam file or chart file: the error is
// raised for the command's error box, and the editor is not opened.
void runExamResultsCommand(core::Workstation& workstation, ScoringWorkspace& workspace,
                           const ExamResultsSteps& steps);

}  // namespace lumo::scoring
