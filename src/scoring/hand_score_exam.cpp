#include "scoring/hand_score_exam.h"

#include "core/colors.h"
#include "core/exam_list.h"
#include "core/paths.h"
#include "core/records.h"
#include "core/settings.h"
#include "core/template_conversion.h"

namespace lumo::scoring {

namespace fs = std::filesystem;

namespace {

core::TQstTest readQuestionSet(const fs::path& stem, const core::Settings& settings) {
    const fs::path file = core::resolvePath(stem.parent_path(), stem.filename().string() + ".qs_");
    return core::TQstTest(file, core::kExamTypeCounters, core::QuestionTypes(settings));
}

}  // namespace

core::Rgb handScoreColour(int value) {
    return core::colorFromName(value > 0 ? "YELLOW" : value < 0 ? "AQUA" : "GRAY");
}

core::Rgb handSumColour(int value) {
    return value == 0 ? core::colorFromName("WHITE") : handScoreColour(value);
}

core::Rgb decisionColumnColour(int column) {
    return core::colorFromName(column <= 3 ? "GREEN" : column <= 5 ? "BLACK" : "RED");
}

core::Rgb verdictColour(HandVerdict verdict) {
    return core::colorFromName(verdict == HandVerdict::NoDeception ? "LIME"
                               : verdict == HandVerdict::Deception ? "RED"
                                                                   : "GRAY");
}

int chartOfKey(int key) {
    return key >= '1' && key <= '9' ? key - '0' : 0;
}

fs::path handResultsStem(const core::Records& records) {
    const core::CurrentExaminee& current = records.current();
    if (!current.isSet() || current.examNumber == 0) return {};
    return records.examineeFolder(current.record.fileCode) / ("EXAM_" + core::examStem(current.examNumber).substr(5));
}

std::vector<HandScoreQuestion> handScoreQuestions(const core::TQstTest& questions) {
    std::vector<HandScoreQuestion> result;
    for (int i = 1; i <= questions.questionCount(); ++i) {
        result.push_back({questions.question(i).sign, questions.questionType(i)});
    }
    return result;
}

HandScoreExam::HandScoreExam(const fs::path& stem, const core::Settings& settings)
    : stem_(stem),
      questions_(readQuestionSet(stem, settings)),
      decision_(handScoreQuestions(questions_), readHandScoreCharts(stem, questions_)) {}

std::string HandScoreExam::stemName() const {
    const std::string name = stem_.filename().string();
    return name.size() > 7 ? name.substr(name.size() - 7) : name;
}

std::string HandScoreExam::sign(int question) const {
    return question >= 1 && question <= questions_.questionCount() ? questions_.question(question).sign : "";
}

std::string HandScoreExam::listLine(int question) const {
    const core::TQsHandle& q = questions_.question(question);
    return core::joinTemplateLine({q.number, q.sign, q.answer, q.text()});
}

}  // namespace lumo::scoring
