#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "recording/test_run.h"

namespace lumo::core {
class Workstation;
}

namespace lumo::authoring {

// What the exam commands of the main window show; the wiring gives the real
// windows, tests answer them.
struct ExamCommandFlow {
    std::function<bool(const std::filesystem::path& examFile, bool structureMode)> editExam;
    std::function<std::optional<std::string>(const std::string& proposal)> askTemplateName;
    std::function<bool(const std::string& text)> confirm;  // Yes/No
    std::function<void(const std::string& text)> warn;
    std::function<void(const recording::TestRunSetup& setup)> runTest;
};

// sbQst2Test: the next exam of the current examinee from the template, with
// `mark` as its mark, then the exam editor in structure mode. Cancelling the
// editor (or the editor failing) deletes the new exam. The exam becomes the
// current one when it was kept; the number kept, or 0.
int prepareExam(core::Workstation& workstation, const std::filesystem::path& templateFile,
                const std::string& mark, const ExamCommandFlow& flow);

// sbExamEdit: the exam editor for the current exam, in structure mode only
// while the exam has no chart.
void editCurrentExam(core::Workstation& workstation, const ExamCommandFlow& flow);

// sbExamDel: after the question, every file of the current exam goes; no
// exam or chart is current afterwards.
void deleteCurrentExam(core::Workstation& workstation, const ExamCommandFlow& flow);

// sbReconvert: the current exam as a template ("exam_NN" proposed).
void convertCurrentExam(core::Workstation& workstation, const ExamCommandFlow& flow);

// The test of exam n's next chart in the chosen question order, with the
// nine-chart warning (sbTestExams, sbChOrderExams and the Test menu).
void testExam(core::Workstation& workstation, int examNumber, const ExamCommandFlow& flow);

}  // namespace lumo::authoring
