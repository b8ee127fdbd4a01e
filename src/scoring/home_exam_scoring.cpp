#include "scoring/home_exam_scoring.h"

#include <algorithm>
#include <exception>
#include <ostream>
#include <vector>

#include "core/exam_list.h"
#include "core/paths.h"
#include "core/text_format.h"
#include "core/texts/scoring.h"
#include "scoring/score_command.h"
#include "scoring/scoring_run.h"

namespace lumo::scoring {

namespace fs = std::filesystem;

HomeExamScoring::HomeExamScoring(const fs::path& home) : home_(home), settings_(home) {}

int HomeExamScoring::score(const std::string& examinee, int exam, std::ostream& err) {
    try {
        settings_.load();
        const core::Texts texts(strings_, settings_);
        const fs::path folder = core::resolvePath(home_, "DAT\\" + examinee);
        if (!fs::is_directory(folder)) {
            err << core::formatText(texts(txt::ScoreNoExaminee), {examinee}) << "\n";
            return kScoreUnreadable;
        }
        const std::string number = core::examStem(exam).substr(5);
        const std::vector<core::TExam> exams = core::loadExamList(folder, settings_);
        const auto entry =
            std::find_if(exams.begin(), exams.end(), [&](const core::TExam& e) { return e.number == number; });
        if (entry == exams.end() || entry->chartCount == 0) {
            err << core::formatText(texts(txt::ExamNoCharts), {number}) << "\n";
            return kScoreUnreadable;
        }

        workspace_.allocateLazily();
        StreamScoringView view(err);
        duplicate_ = ScoreExam(workspace_, settings_, texts, examFiles(folder, exam, entry->chartCount), view).duplicate;
        return duplicate_ ? kScoreDuplicate : kScoreOk;
    } catch (const std::exception& error) {
        err << error.what() << "\n";
        return kScoreUnreadable;
    }
}

}  // namespace lumo::scoring
