#include "scoring/chart_choice.h"

#include <algorithm>
#include <cctype>

#include "core/cp1251.h"
#include "core/errors.h"
#include "core/exam_list.h"
#include "core/paths.h"
#include "core/question_set.h"
#include "core/template_conversion.h"
#include "core/text_format.h"
#include "core/texts/core.h"
#include "core/texts/scoring.h"
#include "core/workstation.h"
#include "formats/results_table.h"

namespace lumo::scoring {

namespace fs = std::filesystem;

namespace {

bool fileExists(const fs::path& folder, const std::string& name) {
    std::error_code error;
    return fs::is_regular_file(core::resolvePath(folder, name), error);
}

// Questions whose sign matches no type are drawn white: the list is on black.
core::Rgb typeColour(const core::QuestionTypes& types, std::string_view sign) {
    if (types.signToType(sign) == 0) return {255, 255, 255};
    return types.signToColour(sign);
}

}  // namespace

std::vector<std::string> examsWithFirstTable(const fs::path& examineeFolder) {
    std::vector<std::string> numbers;
    for (const std::string& name : core::findEntries(examineeFolder, "exam_??.qt1")) {
        const std::string number = name.substr(5, 2);
        if (!std::isdigit(static_cast<unsigned char>(number[0])) ||
            !std::isdigit(static_cast<unsigned char>(number[1])) || number == "00") {
            continue;
        }
        if (fileExists(examineeFolder, "exam_" + number + ".qs_")) numbers.push_back(number);
    }
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

int chooserMaximumChart(const fs::path& examFile) {
    const fs::path folder = examFile.parent_path();
    const std::string stem = examFile.stem().string();
    int maximum = 1;
    while (maximum < core::kMaxChartsPerExam &&
           fileExists(folder, stem + ".qt" + std::to_string(maximum + 1))) {
        ++maximum;
    }
    return maximum;
}

std::string padRowMark(std::string_view mark) {
    switch (core::charCount(mark)) {
        case 0: return "  : ";
        case 1: return std::string(mark) + " : ";
        case 2: return std::string(mark) + ": ";
        default: return core::leftChars(mark, 2) + ":";
    }
}

ChartChoice::ChartChoice(core::Workstation& workstation) : ws_(workstation) {}

ChartChoice::~ChartChoice() = default;

bool ChartChoice::open() {
    const core::CurrentExaminee& current = ws_.records().current();
    exams_.clear();
    selected_ = -1;
    if (!current.isSet()) return false;
    folder_ = ws_.records().examineeFolder(current.record.fileCode);
    exams_ = examsWithFirstTable(folder_);
    if (exams_.empty()) return false;
    int index = 0;
    chart_ = 1;
    for (std::size_t i = 0; i < exams_.size(); ++i) {
        if (std::stoi(exams_[i]) != current.examNumber) continue;
        index = static_cast<int>(i);
        // The current chart belongs to the current exam only.
        chart_ = std::max(current.chart, 1);
    }
    selectExam(index);
    return true;
}

std::string ChartChoice::caption() const {
    const core::CurrentExaminee& current = ws_.records().current();
    return core::formatText(ws_.texts()(txt::ChooseChartCaption), {current.record.fileCode, current.record.name});
}

fs::path ChartChoice::examFile(int index) const {
    return core::resolvePath(folder_, "exam_" + exams_[static_cast<std::size_t>(index)] + ".qs_");
}

void ChartChoice::selectExam(int index) {
    if (index < 0 || index >= static_cast<int>(exams_.size())) return;
    selected_ = index;
    questions_.reset();
    presentation_.clear();
    error_.clear();
    const fs::path file = examFile(index);
    maximum_ = chooserMaximumChart(file);
    chart_ = std::clamp(chart_, 1, maximum_);
    try {
        questions_ = std::make_unique<core::TQstTest>(file, core::kExamTypeCounters,
                                                      core::QuestionTypes(ws_.settings()));
    } catch (const LumoError& error) {
        // The exam stays listed; the examiner reads why it shows nothing.
        error_ = error.what();
        return;
    }
    readPresentation();
}

void ChartChoice::setChart(int chart) {
    if (selected_ < 0) return;
    chart_ = std::clamp(chart, 1, maximum_);
    if (questions_ == nullptr) return;
    presentation_.clear();
    error_.clear();
    readPresentation();
}

void ChartChoice::readPresentation() {
    const fs::path file = core::companionFile(examFile(selected_), "qt" + std::to_string(chart_));
    std::vector<PresentationLine> lines;
    try {
        formats::TQtFile table(*questions_);
        table.LoadFromFile(core::resolvePath(file.parent_path(), file.filename().string()));
        for (int row = 1; row <= table.RowCount(); ++row) {
            const int question = table.QuestionNumber(row);
            if (question < 1 || question > questions_->questionCount()) {
                throw EInOutError(core::formatText(
                    ws_.texts()(txt::ChooseChartBadQuestion),
                    {core::upperCase(file.filename().string()), row, question, questions_->questionCount()}));
            }
            const core::TQsHandle& q = questions_->question(question);
            lines.push_back({padRowMark(table.StoredRowMark(row)) +
                                 core::joinTemplateLine({q.number, q.sign, q.answer, q.text()}),
                             typeColour(questions_->types(), q.sign)});
        }
    } catch (const LumoError& error) {
        error_ = error.what();
        return;
    }
    presentation_ = std::move(lines);
}

std::string ChartChoice::methodCaption() const {
    const int method = questions_ != nullptr ? questions_->method : 0;
    return core::formatText(ws_.texts()(txt::MethodNameCaption), {ws_.settings().methodName(method)});
}

bool ChartChoice::canChoose() const {
    return selected_ >= 0 && questions_ != nullptr;
}

void ChartChoice::choose() {
    if (!canChoose()) return;
    core::CurrentExaminee& current = ws_.records().current();
    current.examNumber = std::stoi(exams_[static_cast<std::size_t>(selected_)]);
    current.chart = chart_;
}

void runChooseExamCommand(core::Workstation& workstation, const ChooseExamSteps& steps) {
    const core::CurrentExaminee& current = workstation.records().current();
    if (!current.isSet()) return;
    if (examsWithFirstTable(workstation.records().examineeFolder(current.record.fileCode)).empty()) {
        steps.inform(workstation.texts()(txt::CmdChartsNotFound));
        if (steps.nothingToChoose) steps.nothingToChoose();
        return;
    }
    steps.runChooser();
}

}  // namespace lumo::scoring
