#include "authoring/exam_chooser.h"

#include <algorithm>
#include <new>
#include <system_error>

#include "authoring/exam_files.h"
#include "authoring/question_order.h"
#include "core/cp1251.h"
#include "core/errors.h"
#include "core/exam_list.h"
#include "core/paths.h"
#include "core/question_set.h"
#include "core/template_conversion.h"
#include "core/text_file.h"
#include "core/text_format.h"
#include "core/texts/authoring.h"
#include "core/texts/core.h"
#include "core/workstation.h"
#include "recording/next_chart.h"

namespace lumo::authoring {

namespace fs = std::filesystem;

namespace {

bool isTemplateName(const std::string& name) {
    const char method = name.empty() ? '\0' : name.back();
    return method >= '1' && method <= '6';
}

// "EXAM_03.QS_": how the chooser names exam 3.
std::string entryName(int examNumber) {
    return core::upperCase(core::examFileName(examNumber));
}

}  // namespace

ExamChooser::ExamChooser(core::Workstation& workstation, ExamChooserSteps steps, int& rememberedPosition)
    : ws_(workstation), steps_(std::move(steps)), remembered_(rememberedPosition) {}

bool ExamChooser::open() {
    templates_.clear();
    const fs::path folder = core::resolvePath(ws_.home(), "QST");
    for (const std::string& name : core::findEntries(folder, "*.qs?")) {
        std::error_code ec;
        if (!isTemplateName(name) || !fs::is_regular_file(folder / name, ec)) continue;
        ChooserEntry entry;
        entry.name = name;
        entry.file = folder / name;
        templates_.push_back(std::move(entry));
    }
    listExams();
    if (entries_.empty()) {
        steps_.warn(ws_.texts()(txt::ExamListNotFound));
        return false;
    }
    const int start = remembered_ >= 0 && remembered_ < static_cast<int>(entries_.size()) ? remembered_ : 0;
    select(start);
    return true;
}

void ExamChooser::listExams() {
    entries_.clear();
    const core::CurrentExaminee& current = ws_.records().current();
    for (const core::TExam& exam : current.exams) {
        ChooserEntry entry;
        entry.exam = true;
        entry.examNumber = std::stoi(exam.number);
        entry.name = entryName(entry.examNumber);
        entry.file = currentExamFile(ws_, entry.examNumber);
        entry.chartCount = exam.chartCount;
        entries_.push_back(std::move(entry));
    }
    entries_.insert(entries_.end(), templates_.begin(), templates_.end());
}

std::string ExamChooser::caption() const {
    const core::TSubj& record = ws_.records().current().record;
    return core::formatText(ws_.texts()(txt::ExamListCaption), {record.fileCode, record.name});
}

const ChooserEntry* ExamChooser::selectedEntry() const {
    if (selected_ < 0 || selected_ >= static_cast<int>(entries_.size())) return nullptr;
    return &entries_[static_cast<std::size_t>(selected_)];
}

void ExamChooser::select(int index) {
    if (index < 0 || index >= static_cast<int>(entries_.size())) return;
    selected_ = index;
    preview_.clear();
    method_ = 0;
    const ChooserEntry& entry = entries_[static_cast<std::size_t>(index)];
    const core::QuestionTypes types(ws_.settings());
    try {
        if (entry.exam) {
            const core::TQstTest exam(entry.file, core::kExamTypeCounters, types);
            method_ = exam.method;
            for (const core::TQsHandle& q : exam.questions) {
                preview_.push_back({core::joinTemplateLine({q.number, q.sign, q.answer, q.text()}),
                                    signColourOnBlack(types, q.sign)});
            }
        } else {
            method_ = core::templateMethod(entry.file);
            const std::vector<std::string> lines = core::readTextLines(entry.file);
            for (std::size_t i = 0; i < lines.size(); ++i) {
                std::string sign;
                try {
                    sign = core::splitTemplateLine(lines[i], i + 1, entry.name).sign;
                } catch (const LumoError&) {
                    // A line that is no question is shown as it stands.
                }
                preview_.push_back({lines[i], signColourOnBlack(types, sign)});
            }
        }
    } catch (const LumoError& error) {
        // A damaged file stays listed (it can still be deleted); the examiner learns why it shows nothing.
        preview_.clear();
        if (steps_.error) steps_.error(error.what());
    }
}

void ExamChooser::moveTo(int index) {
    select(index);
    ws_.records().setChosenOrder(1);
}

std::string ExamChooser::methodCaption() const {
    return core::formatText(ws_.texts()(txt::MethodNameCaption), {ws_.settings().methodName(method_)});
}

bool ExamChooser::selectedIsExam() const {
    const ChooserEntry* entry = selectedEntry();
    return entry != nullptr && entry->exam;
}

bool ExamChooser::examWithRoom() const {
    return selectedIsExam() && selectedEntry()->chartCount < core::kMaxChartsPerExam;
}

bool ExamChooser::canEdit() const {
    return selectedIsExam() && static_cast<bool>(steps_.editExam);
}

bool ExamChooser::canDelete() const {
    return selectedIsExam();
}

bool ExamChooser::canToTemplate() const {
    return selectedIsExam();
}

bool ExamChooser::canCreate() const {
    const ChooserEntry* entry = selectedEntry();
    return entry != nullptr && !entry->exam && static_cast<bool>(steps_.editExam);
}

void ExamChooser::reselect(const std::string& name, int fallback) {
    const auto it = std::find_if(entries_.begin(), entries_.end(),
                                 [&name](const ChooserEntry& entry) { return entry.name == name; });
    if (it != entries_.end()) {
        select(static_cast<int>(it - entries_.begin()));
    } else if (!entries_.empty()) {
        select(std::clamp(fallback, 0, static_cast<int>(entries_.size()) - 1));
    } else {
        selected_ = -1;
        preview_.clear();
    }
}

void ExamChooser::reportEditorError(const std::exception& error, bool outOfResources) const {
    steps_.error(outOfResources ? ws_.texts()(txt::CmdNoResourcesExamEditor) : std::string(error.what()));
}

void ExamChooser::createExam() {
    if (!canCreate()) return;
    const ChooserEntry source = *selectedEntry();
    const int number = nextExamNumber(ws_.records().current().exams);
    if (number == 0) {
        steps_.warn(ws_.texts()(txt::ExamNumbersExhausted));
        return;
    }
    const fs::path examFile = currentExamFile(ws_, number);
    const std::string mark = source.file.stem().string();
    core::buildExamFromTemplate(source.file, examFile, core::leftChars(mark, core::kQuestionTextPart),
                                ws_.records().current().record, ws_.clock().today(), core::QuestionTypes(ws_.settings()));
    bool saved = false;
    try {
        saved = steps_.editExam(examFile, true);
    } catch (const std::bad_alloc& error) {
        std::error_code ec;
        fs::remove(examFile, ec);
        reportEditorError(error, true);
        return;
    } catch (const std::exception& error) {
        std::error_code ec;
        fs::remove(examFile, ec);
        reportEditorError(error, false);
        return;
    }
    if (!saved) {
        std::error_code ec;
        fs::remove(examFile, ec);
        return;
    }
    ws_.records().reloadExams();
    listExams();
    reselect(entryName(number), selected_);
}

void ExamChooser::editExam() {
    if (!canEdit()) return;
    const ChooserEntry entry = *selectedEntry();
    try {
        steps_.editExam(entry.file, entry.chartCount == 0);
    } catch (const std::bad_alloc& error) {
        reportEditorError(error, true);
    } catch (const std::exception& error) {
        reportEditorError(error, false);
    }
    ws_.records().reloadExams();
    listExams();
    reselect(entry.name, selected_);
}

bool ExamChooser::deleteExam() {
    if (!canDelete()) return true;
    if (!steps_.confirm(ws_.texts()(txt::CmdDeleteExamConfirm))) return true;
    const int position = selected_;
    std::string failure;
    try {
        removeExam(ws_, selectedEntry()->examNumber);
    } catch (const EInOutError& error) {
        failure = error.what();
    }
    listExams();
    if (!failure.empty()) steps_.error(failure);
    if (entries_.empty()) {
        steps_.inform(ws_.texts()(txt::ExamListNoMore));
        selected_ = -1;
        preview_.clear();
        return false;
    }
    // The entry now at the deleted one's place, or the new last one.
    select(std::min(position, static_cast<int>(entries_.size()) - 1));
    return true;
}

void ExamChooser::toTemplate() {
    if (!canToTemplate()) return;
    const ChooserEntry entry = *selectedEntry();
    TemplateExportSteps ask;
    ask.askName = steps_.askTemplateName;
    ask.confirm = steps_.confirm;
    bool created = false;
    const std::optional<fs::path> file =
        exportExamToTemplate(ws_, entry.file, entry.name.substr(0, entry.name.find('.')), ask, &created);
    if (!file || !created) return;
    ChooserEntry added;
    added.name = file->filename().string();
    added.file = *file;
    templates_.push_back(added);
    entries_.push_back(std::move(added));
}

void ExamChooser::setOrders() {
    if (!canSet()) return;
    const ChooserEntry entry = *selectedEntry();
    steps_.setOrders(entry.file);
    ws_.records().reloadExams();
    listExams();
    reselect(entry.name, selected_);
}

void ExamChooser::chooseOrder() {
    if (!canChoose()) return;
    const ChooserEntry entry = *selectedEntry();
    const bool chosen = steps_.chooseOrder(entry.file);
    core::CurrentExaminee& current = ws_.records().current();
    current.examNumber = entry.examNumber;
    current.chart = entry.chartCount + 1;
    if (chosen) {
        recording::NextChartSteps chart;
        chart.refuse = [this] { steps_.warn(ws_.texts()(txt::CmdNoMoreCharts)); };
        chart.runTest = steps_.runTest;
        try {
            recording::examineNextChart(ws_.records(), ws_.records().chosenOrder(), chart);
        } catch (...) {
            listExams();
            reselect(entry.name, selected_);
            throw;
        }
    }
    listExams();
    reselect(entry.name, selected_);
}

int ExamChooser::test() {
    if (!canTest()) return 0;
    remembered_ = selected_;
    return selectedEntry()->examNumber;
}

}  // namespace lumo::authoring
