#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/colors.h"
#include "core/question_set.h"

namespace lumo::core {
class Workstation;
}

namespace lumo::authoring {

// Set edits orders 2 to 4 and saves them; Choose picks the order of the next test.
enum class OrderMode { Set, Choose };

// One cell of the order grid: a question sign in its type's colour, or empty.
struct OrderCell {
    std::string sign;
    core::Rgb colour;
};

// The rules of the question order dialog. The examiner selects one of the
// four orders; the grid shows every order's signs in sequence and the list
// the questions of the selected order. In set mode, entering the list with
// order 2, 3 or 4 selected starts picking: each pick gives the next position
// to the selected question, until every question has one. The grid's rows
// are numbered from 1 (order n), its columns from 0.
class QuestionOrderEditor {
public:
    static constexpr int kGridColumns = core::kMaxQuestions;

    explicit QuestionOrderEditor(core::Workstation& workstation);

    // Reads the exam; `order` (1 ... 4) is the row selected first.
    void open(const std::filesystem::path& examFile, OrderMode mode, int order);
    bool isOpen() const { return set_.has_value(); }
    OrderMode mode() const { return mode_; }
    const std::filesystem::path& examFile() const { return file_; }

    std::string caption() const;
    std::string methodCaption() const;
    std::string orderCaption(int order) const;  // "Order 2"

    int selectedOrder() const { return order_; }
    // Ignored while picking, and outside 1 ... 4.
    void selectOrder(int order);

    OrderCell cell(int order, int column) const;

    // The question list: in the selected order, or while picking the
    // questions still without a position, in row order.
    int listCount() const { return static_cast<int>(list_.size()); }
    std::string listLine(int line) const;
    core::Rgb listColour(int line) const;
    int listSelection() const { return listSelection_; }
    void setListSelection(int line);

    // The list took the focus: true when picking started.
    bool enterList();
    bool picking() const { return picking_; }
    // Enter or a double click on the selected line while picking.
    void pick();
    // Esc while picking: the order is as it was.
    void cancelPicking();
    // The dialog may close (not while picking).
    bool canClose() const { return !picking_; }

    // Set mode: the exam file rewritten with the orders (atomic).
    void save() const;

    const core::TQstTest& questions() const { return *set_; }

private:
    std::string lineOf(int question) const;
    void refillList();

    core::Workstation& ws_;
    std::filesystem::path file_;
    OrderMode mode_ = OrderMode::Set;
    std::optional<core::TQstTest> set_;
    int order_ = 1;
    std::vector<int> list_;    // question numbers (1 ...) in list order
    int listSelection_ = -1;
    bool picking_ = false;
    std::vector<int> picked_;  // questions in the order they were picked
};

// The colour a question sign is drawn in on black: its type's colour, white
// for a sign of no type (black would hide it).
core::Rgb signColourOnBlack(const core::QuestionTypes& types, std::string_view sign);

}  // namespace lumo::authoring
