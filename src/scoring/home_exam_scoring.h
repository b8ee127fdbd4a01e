#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>

#include "core/settings.h"
#include "core/string_table.h"
#include "scoring/question_positions.h"
#include "scoring/workspace.h"

namespace lumo::scoring {

// An exam of a data home scored as the exam results command scores it, for
// the command-line tools: the settings, the texts and the scored workspace.
class HomeExamScoring {
public:
    explicit HomeExamScoring(const std::filesystem::path& home);
    HomeExamScoring(const HomeExamScoring&) = delete;
    HomeExamScoring& operator=(const HomeExamScoring&) = delete;

    // Loads the settings and runs the scoring run on exam `exam` of the
    // examinee with file code `examinee`. Gives kScoreOk; kScoreDuplicate
    // when the run stopped at a duplicated question (the warning on `err`);
    // kScoreUnreadable with the reason on `err` for a missing examinee or
    // exam and for files that cannot be read.
    int score(const std::string& examinee, int exam, std::ostream& err);

    const core::Settings& settings() const { return settings_; }
    const core::StringTable& strings() const { return strings_; }
    const ScoringWorkspace& workspace() const { return workspace_; }
    const std::optional<DuplicateQuestion>& duplicate() const { return duplicate_; }

private:
    std::filesystem::path home_;
    core::Settings settings_;
    core::StringTable strings_;
    ScoringWorkspace workspace_;
    std::optional<DuplicateQuestion> duplicate_;
};

}  // namespace lumo::scoring
