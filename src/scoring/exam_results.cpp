#include "scoring/exam_results.h"

#include "core/workstation.h"

namespace lumo::scoring {

namespace {

class StepsView final : public ScoringView {
public:
    explicit StepsView(const ExamResultsSteps& steps) : steps_(steps) {}
    void showWarning(const std::string& text) override { steps_.warn(text); }
    void showError(const std::string& text) override { steps_.error(text); }

private:
    const ExamResultsSteps& steps_;
};

}  // namespace

void runExamResultsCommand(core::Workstation& workstation, ScoringWorkspace& workspace,
                           const ExamResultsSteps& steps) {
    const ExamFiles files = currentExamFiles(workstation);
    StepsView view(steps);
    if (ScoreExam(workspace, workstation.settings(), workstation.texts(), files, view).success) steps.runEditor(files);
}

}  // namespace lumo::scoring
