#include "authoring/exam_editor.h"

#include "authoring/template_store.h"
#include "core/clock.h"
#include "core/cp1251.h"
#include "core/settings.h"
#include "core/text_format.h"
#include "core/texts/authoring.h"
#include "core/workstation.h"

namespace lumo::authoring {

namespace fs = std::filesystem;

namespace {

std::vector<QuestionRow> rowsOf(const core::TQstTest& exam) {
    std::vector<QuestionRow> rows;
    for (const core::TQsHandle& question : exam.questions) {
        rows.push_back({question.number, question.sign, question.answer, question.text()});
    }
    return rows;
}

}  // namespace

ExamEditor::ExamEditor(core::Workstation& workstation, fs::path examFile, bool structureMode)
    : ws_(workstation),
      file_(std::move(examFile)),
      exam_(file_, core::kExamTypeCounters, core::QuestionTypes(workstation.settings())),
      rows_(SignAlphabet::fromSettings(workstation.settings()), workstation.texts(),
            QuestionRows::Mode{true, structureMode}) {
    rows_.load(rowsOf(exam_));
}

std::vector<std::string> ExamEditor::methodNames() const {
    std::vector<std::string> names;
    for (int method = 1; method <= core::kMethodCount; ++method) names.push_back(methodName(ws_.settings(), method));
    return names;
}

void ExamEditor::setMethod(int method) {
    if (method >= 1 && method <= core::kMethodCount) exam_.method = method;
}

std::string ExamEditor::formatLabel() const {
    if (exam_.method < 1 || exam_.method > core::kMethodCount) return {};
    return ws_.texts()(txt::MethodFormat1 + 2 * (exam_.method - 1));
}

std::string ExamEditor::examineePanel() const {
    return core::formatText(ws_.texts()(txt::ExamEditExaminee), {exam_.examineeName});
}

std::string ExamEditor::examinerPanel() const {
    return core::formatText(ws_.texts()(txt::ExamEditExaminer), {exam_.operatorName});
}

void ExamEditor::setMark(std::string_view mark) {
    exam_.examMark = core::leftChars(mark, core::kQuestionTextPart);
}

std::optional<QuestionRows::Fault> ExamEditor::save() {
    if (std::optional<QuestionRows::Fault> fault = rows_.check()) return fault;
    core::TQstTest written = exam_;
    written.date = core::formatDate(ws_.clock().today());
    written.questions.clear();
    std::vector<int> counts(21, 0);
    const std::vector<QuestionRow> rows = rows_.rowsInUse();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const QuestionRow& row = rows[i];
        core::TQsHandle question;
        question.number = row.number;
        question.sign = row.sign;
        question.answer = row.answer;
        question.textPart1 = core::leftChars(row.text, core::kQuestionTextPart);
        question.textPart2 = core::charsFrom(row.text, core::kQuestionTextPart);
        question.orders.fill(static_cast<int>(i) + 1);
        written.questions.push_back(std::move(question));
        const int type = written.types().signToType(row.sign);
        if (type >= 1 && type <= 20) ++counts[static_cast<std::size_t>(type)];
    }
    for (int n = 1; n <= 20; ++n) written.setTypeCount(n, n <= written.typeCounters() ? counts[static_cast<std::size_t>(n)] : 0);
    written.save(file_);
    exam_ = std::move(written);
    return std::nullopt;
}

std::string ExamEditor::printHeading() const {
    return exam_.examMark + " (" + file_.filename().string() + "); " + examineePanel() + "; " +
           methodName(ws_.settings(), exam_.method);
}

}  // namespace lumo::authoring
