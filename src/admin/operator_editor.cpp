#include "admin/operator_editor.h"

#include <algorithm>
#include <new>

#include "core/clock.h"
#include "core/cp1251.h"
#include "core/settings.h"
#include "core/texts/admin.h"

namespace lumo::admin {

namespace {

bool blank(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

}  // namespace

OperatorEditor::OperatorEditor(core::OperatorList& list, std::filesystem::path file, const core::Clock& clock,
                               const core::Texts& texts, int maxUser)
    : list_(list), file_(std::move(file)), clock_(clock), texts_(texts), maxUser_(maxUser) {
    select(0);
}

void OperatorEditor::select(int row) {
    selected_ = list_.empty() ? -1 : std::clamp(row, 0, count() - 1);
}

core::TUser* OperatorEditor::current() {
    return selected_ >= 0 ? &list_.users()[static_cast<std::size_t>(selected_)] : nullptr;
}

std::string OperatorEditor::name() const {
    return selected_ >= 0 ? list_.users()[static_cast<std::size_t>(selected_)].name : std::string();
}

std::string OperatorEditor::note() const {
    return selected_ >= 0 ? list_.users()[static_cast<std::size_t>(selected_)].note : std::string();
}

void OperatorEditor::touch(core::TUser& user) const {
    user.date = core::formatDate(clock_.today());
}

bool OperatorEditor::setName(std::string_view text) {
    core::TUser* user = current();
    if (user == nullptr || core::charCount(text) > kFieldLimit) return false;
    if (user->name != text) {
        user->name = std::string(text);
        touch(*user);
    }
    return true;
}

bool OperatorEditor::setNote(std::string_view text) {
    core::TUser* user = current();
    if (user == nullptr || core::charCount(text) > kFieldLimit) return false;
    if (user->note != text) {
        user->note = std::string(text);
        touch(*user);
    }
    return true;
}

bool OperatorEditor::nameIsUnique(int row) const {
    const auto& users = list_.users();
    if (row < 0 || row >= count()) return true;
    const std::string stored = core::toCp1251(users[static_cast<std::size_t>(row)].name);
    for (int i = 0; i < count(); ++i) {
        if (i != row && core::toCp1251(users[static_cast<std::size_t>(i)].name) == stored) return false;
    }
    return true;
}

bool OperatorEditor::leaveName() {
    if (nameIsUnique(selected_)) return true;
    if (prompts_.warn) prompts_.warn(texts_(txt::UsersNotUnique));
    return false;
}

bool OperatorEditor::add() {
    if (!canAdd()) return false;
    core::TUser user;
    user.password = std::string(kPlaceholderPassword);
    user.status = "-";
    touch(user);
    list_.users().push_back(std::move(user));
    selected_ = count() - 1;
    return true;
}

bool OperatorEditor::remove() {
    if (!canDelete() || selected_ < 0) return false;
    if (!prompts_.confirm || !prompts_.confirm(texts_(txt::UsersDeleteConfirm))) return false;
    list_.users().erase(list_.users().begin() + selected_);
    select(selected_);
    return true;
}

OperatorEditor::NameProblem OperatorEditor::firstNameProblem() const {
    // The selected row first: that is the field the examiner is looking at.
    const auto problemOf = [this](int row) -> int {
        if (blank(list_.users()[static_cast<std::size_t>(row)].name)) return txt::UsersNameEmpty;
        if (!nameIsUnique(row)) return txt::UsersNotUnique;
        return 0;
    };
    if (selected_ >= 0) {
        if (const int id = problemOf(selected_)) return {selected_, id};
    }
    for (int row = 0; row < count(); ++row) {
        if (const int id = problemOf(row)) return {row, id};
    }
    return {};
}

bool OperatorEditor::save() {
    const NameProblem problem = firstNameProblem();
    if (problem.row >= 0) {
        select(problem.row);
        if (prompts_.warn) prompts_.warn(texts_(problem.textId));
        return false;
    }
    try {
        list_.save(file_);
    } catch (const std::bad_alloc&) {
        if (prompts_.error) prompts_.error(texts_(txt::UsersNoMemory));
        return false;
    } catch (const std::exception& error) {
        if (prompts_.error) prompts_.error(texts_(txt::UsersSaveFailure) + "\n" + error.what());
        return false;
    }
    return true;
}

bool OperatorEditor::cancel() {
    try {
        list_.load(file_, clock_);
    } catch (const std::exception& error) {
        if (prompts_.error) prompts_.error(texts_(txt::UsersReadFailure) + "\n" + error.what());
        return false;
    }
    select(0);
    return true;
}

void OperatorEditor::deactivated(core::SettingsList& settings) const {
    settings.setValue("NUser", std::to_string(count()));
}

}  // namespace lumo::admin
