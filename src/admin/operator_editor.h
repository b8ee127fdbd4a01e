#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "core/operators.h"

namespace lumo::core {
class Clock;
class SettingsList;
class Texts;
}  // namespace lumo::core

namespace lumo::admin {

// What the operator dialog shows; the window gives message boxes, tests answer.
struct OperatorPrompts {
    std::function<void(const std::string& text)> warn;
    std::function<bool(const std::string& text)> confirm;  // OK / Cancel
    std::function<void(const std::string& text)> error;
};

// The operator dialog's rules, working on the shared operator list in place:
// only OK makes the edits permanent, Cancel reads the file back.
class OperatorEditor {
public:
    static constexpr std::size_t kFieldLimit = 20;  // characters of a name or a note
    // The password of an added operator: kept in the file, never shown.
    static constexpr std::string_view kPlaceholderPassword = "00000000";

    OperatorEditor(core::OperatorList& list, std::filesystem::path file, const core::Clock& clock,
                   const core::Texts& texts, int maxUser);

    void setPrompts(OperatorPrompts prompts) { prompts_ = std::move(prompts); }

    const core::OperatorList& list() const { return list_; }
    int count() const { return static_cast<int>(list_.size()); }
    int maxUser() const { return maxUser_; }

    // The selected row, -1 when the list is empty.
    int selected() const { return selected_; }
    void select(int row);
    // The selected operator's name and note ("" without one).
    std::string name() const;
    std::string note() const;

    // Every change of the name or note field: applied at once to the selected
    // record (dated today) when it has at most 20 characters; a longer text is
    // refused and false tells the field to fall back to the stored text.
    bool setName(std::string_view text);
    bool setNote(std::string_view text);

    // Leaving the name field: false (after the warning) when another operator
    // bears the same name; the field takes the focus again.
    bool leaveName();

    bool canAdd() const { return count() < maxUser_; }
    bool canDelete() const { return count() > 1; }
    // Appends an empty operator and selects it; false when the list is full.
    bool add();
    // Asks, then removes the selected operator; the row under the cursor
    // stays selected. False when nothing was removed.
    bool remove();

    // OK: every name must be given and unique, else the first offending row is
    // selected, the warning shown and false given. Then the whole list is
    // written; a failed write leaves the old file whole, shows the error and
    // gives false, so the dialog stays open with the edits.
    bool save();
    // Cancel: the list read again from the file. False (after the error) when
    // it cannot be read; the edits are still in the list then, for a later OK.
    bool cancel();

    // The dialog stops being the active window: NUser follows the list.
    void deactivated(core::SettingsList& settings) const;

    // The first row whose name is empty or also borne by another operator
    // (as stored: names that differ only in characters Windows-1251 cannot
    // hold are the same on disk), with the warning it earns; -1 when none.
    struct NameProblem {
        int row = -1;
        int textId = 0;
    };
    NameProblem firstNameProblem() const;
    bool nameIsUnique(int row) const;

private:
    core::TUser* current();
    void touch(core::TUser& user) const;

    core::OperatorList& list_;
    std::filesystem::path file_;
    const core::Clock& clock_;
    const core::Texts& texts_;
    int maxUser_;
    int selected_ = -1;
    OperatorPrompts prompts_;
};

}  // namespace lumo::admin
