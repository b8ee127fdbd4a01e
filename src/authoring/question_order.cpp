#include "authoring/question_order.h"

#include <algorithm>

#include "core/cp1251.h"
#include "core/template_conversion.h"
#include "core/text_format.h"
#include "core/texts/authoring.h"
#include "core/texts/core.h"
#include "core/workstation.h"

namespace lumo::authoring {

namespace fs = std::filesystem;

core::Rgb signColourOnBlack(const core::QuestionTypes& types, std::string_view sign) {
    if (types.signToType(sign) == 0) return {255, 255, 255};
    return types.signToColour(sign);
}

QuestionOrderEditor::QuestionOrderEditor(core::Workstation& workstation) : ws_(workstation) {}

void QuestionOrderEditor::open(const fs::path& examFile, OrderMode mode, int order) {
    // Read first: a damaged file leaves the previous exam in place.
    core::TQstTest set(examFile, core::kExamTypeCounters, core::QuestionTypes(ws_.settings()));
    set_ = std::move(set);
    file_ = examFile;
    mode_ = mode;
    picking_ = false;
    picked_.clear();
    order_ = order >= 1 && order <= core::kOrderCount ? order : 1;
    listSelection_ = -1;
    refillList();
}

std::string QuestionOrderEditor::caption() const {
    const core::CurrentExaminee& current = ws_.records().current();
    const std::string stem = core::upperCase(file_.stem().string());
    return core::formatText(ws_.texts()(mode_ == OrderMode::Set ? txt::OrderSetCaption : txt::OrderChooseCaption),
                            {current.record.fileCode, stem, current.record.name});
}

std::string QuestionOrderEditor::methodCaption() const {
    const int method = set_ ? set_->method : 0;
    return core::formatText(ws_.texts()(txt::MethodNameCaption), {ws_.settings().methodName(method)});
}

std::string QuestionOrderEditor::orderCaption(int order) const {
    return core::formatText(ws_.texts()(txt::OrderRow), {static_cast<long long>(order)});
}

void QuestionOrderEditor::selectOrder(int order) {
    if (picking_ || order < 1 || order > core::kOrderCount || order == order_) return;
    order_ = order;
    refillList();
}

OrderCell QuestionOrderEditor::cell(int order, int column) const {
    if (!set_ || column < 0 || column >= kGridColumns || order < 1 || order > core::kOrderCount) return {};
    std::vector<int> sequence;
    if (picking_ && order == order_) {
        sequence = picked_;  // the row fills as the examiner picks
    } else {
        sequence = set_->questionsInOrder(order);
    }
    if (column >= static_cast<int>(sequence.size())) return {};
    const std::string& sign = set_->question(sequence[static_cast<std::size_t>(column)]).sign;
    return {sign, signColourOnBlack(set_->types(), sign)};
}

std::string QuestionOrderEditor::lineOf(int question) const {
    const core::TQsHandle& q = set_->question(question);
    return core::joinTemplateLine({q.number, q.sign, q.answer, q.text()});
}

std::string QuestionOrderEditor::listLine(int line) const {
    if (line < 0 || line >= listCount()) return {};
    return lineOf(list_[static_cast<std::size_t>(line)]);
}

core::Rgb QuestionOrderEditor::listColour(int line) const {
    if (line < 0 || line >= listCount()) return {255, 255, 255};
    return signColourOnBlack(set_->types(), set_->question(list_[static_cast<std::size_t>(line)]).sign);
}

void QuestionOrderEditor::setListSelection(int line) {
    if (line >= 0 && line < listCount()) listSelection_ = line;
}

void QuestionOrderEditor::refillList() {
    list_.clear();
    if (set_) {
        if (picking_) {
            for (int q = 1; q <= set_->questionCount(); ++q) {
                if (std::find(picked_.begin(), picked_.end(), q) == picked_.end()) list_.push_back(q);
            }
        } else {
            list_ = set_->questionsInOrder(order_);
        }
    }
    if (list_.empty()) {
        listSelection_ = -1;
    } else {
        listSelection_ = std::clamp(listSelection_, 0, listCount() - 1);
    }
}

bool QuestionOrderEditor::enterList() {
    if (!set_ || picking_ || mode_ != OrderMode::Set || order_ == 1 || set_->questionCount() == 0) return false;
    picking_ = true;
    picked_.clear();
    listSelection_ = 0;
    refillList();
    return true;
}

void QuestionOrderEditor::pick() {
    if (!picking_ || listSelection_ < 0 || listSelection_ >= listCount()) return;
    picked_.push_back(list_[static_cast<std::size_t>(listSelection_)]);
    if (static_cast<int>(picked_.size()) == set_->questionCount()) {
        // Every question has its place: the order takes the picks.
        for (std::size_t k = 0; k < picked_.size(); ++k) {
            set_->question(picked_[k]).setOrder(order_, static_cast<int>(k) + 1);
        }
        picking_ = false;
        picked_.clear();
        listSelection_ = 0;
    }
    refillList();
}

void QuestionOrderEditor::cancelPicking() {
    if (!picking_) return;
    // The positions were never touched while picking; only the picks go.
    picking_ = false;
    picked_.clear();
    listSelection_ = 0;
    refillList();
}

void QuestionOrderEditor::save() const {
    if (set_ && mode_ == OrderMode::Set && !picking_) set_->save(file_);
}

}  // namespace lumo::authoring
