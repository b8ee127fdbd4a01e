#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "scoring/question_positions.h"

namespace lumo::core {
class Settings;
class Texts;
class TQstTest;
class Workstation;
}  // namespace lumo::core

namespace lumo::scoring {

class ScoringWorkspace;

// What the scoring run shows the examiner: the window of the command that
// started it implements this.
class ScoringView {
public:
    virtual ~ScoringView() = default;
    virtual void showWarning(const std::string& text) = 0;
    virtual void showError(const std::string& text) = 0;
};

// A run without a window: warnings and errors go to a stream, one per line.
class StreamScoringView final : public ScoringView {
public:
    explicit StreamScoringView(std::ostream& out) : out_(out) {}
    void showWarning(const std::string& text) override { out_ << text << "\n"; }
    void showError(const std::string& text) override { out_ << text << "\n"; }

private:
    std::ostream& out_;
};

// The files of one exam: the question set, and per chart k = 1 ... m the
// chart file and the results table (index k - 1).
struct ExamFiles {
    std::filesystem::path questionSet;
    std::vector<std::filesystem::path> charts;
    std::vector<std::filesystem::path> tables;
};
// The files of exam `examNumber` in the examinee's folder, found without
// regard to letter case (new names get the spelling "exam_01.ch1").
ExamFiles examFiles(const std::filesystem::path& examineeFolder, int examNumber, int chartCount);
// The files of the current examinee's current exam; LumoError "Exam %s has
// no charts" when no exam with charts is current.
ExamFiles currentExamFiles(const core::Workstation& workstation);

struct ScoreResult {
    bool success = false;
    std::optional<DuplicateQuestion> duplicate;  // why the run stopped, if it did
};

// The scoring run on the given files: the duplicate check, the question set,
// the results tables (an unreadable one is reported and its chart left
// without rows), the charts, the artefact flags, the features and the marks.
// An unreadable question set or chart file raises its error.
ScoreResult ScoreExam(ScoringWorkspace& workspace, const core::Settings& settings, const core::Texts& texts,
                      const ExamFiles& files, ScoringView& view);
// The exam results command: the current examinee's current exam.
ScoreResult ScoreExam(ScoringWorkspace& workspace, core::Workstation& workstation, ScoringView& view);

// The first question a chart presents twice among its kept rows; tables
// that are missing or cannot be read are passed over (loading reports them).
std::optional<DuplicateQuestion> findDuplicateQuestion(const ExamFiles& files, const core::TQstTest& questions);

// The question set's header and questions into the workspace.
void LoadQuestionSet(ScoringWorkspace& workspace, const core::TQstTest& questions);
// The kept rows of results table k (question, mark, onset, feature inputs,
// exclusion flags, mean reading). A table that cannot be read, or whose kept
// rows name a question outside 1 ... 20, raises its error before the
// workspace is touched.
void LoadResultsTable(ScoringWorkspace& workspace, const core::Texts& texts, const std::filesystem::path& fileName,
                      int chart, const core::TQstTest& questions);
// Writes chart k's features (as saved features) and exclusion flags back
// into its results table, kept row by kept row.
void SaveResultsTable(const ScoringWorkspace& workspace, const std::filesystem::path& fileName, int chart,
                      const core::TQstTest& questions);

}  // namespace lumo::scoring
