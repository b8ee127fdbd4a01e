#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "core/examinee.h"

namespace lumo::core {
class Workstation;
}

namespace lumo::admin {

// What the new-examinee dialog and the examinee editor ask their view to show.
struct FormPrompts {
    std::function<bool(const std::string& text)> confirm;  // Yes/No
    std::function<void(const std::string& text)> error;
};

// Typed names are limited so that the grid and the printed headers stay
// readable; a longer value already on file is kept whole.
inline constexpr std::size_t kTypedFieldLimit = 50;
// The new-examinee dialog offers at most this many free codes (the first ones).
inline constexpr int kOfferedCodeLimit = 10000;

// The codes of the ordinals 1 ... maxSubjects that no examinee uses and whose
// folder does not exist yet (a folder left behind must not lend its charts to
// a new examinee), in increasing order, at most `limit` of them.
std::vector<std::string> freeExamineeCodes(const std::vector<core::TSubj>& subjects,
                                           const std::vector<std::string>& datEntries, int maxSubjects,
                                           int limit = kOfferedCodeLimit);
// Every distinct non-empty issue of the examinees, in list order.
std::vector<std::string> distinctIssues(const std::vector<core::TSubj>& subjects);
// True when the code page of the record files cannot hold every character.
bool losesCharacters(const std::string& text);

// The fields of one examinee record as the new-examinee dialog (New) and the
// examinee editor (Edit) show them, and what their OK does.
class ExamineeForm {
public:
    enum class Mode { New, Edit };

    ExamineeForm(core::Workstation& workstation, Mode mode);

    Mode mode() const { return mode_; }
    // Not empty: the dialog shows this warning and closes (the register is
    // full or has no free code; no examinee is current for the editor).
    const std::string& refusal() const { return refusal_; }

    // The new examinee's choice of codes; the editor's one code.
    const std::vector<std::string>& codes() const { return codes_; }
    int codeIndex() const { return code_; }
    void selectCode(int index);
    std::string fileCode() const;
    const std::string& date() const { return record_.date; }

    const std::vector<std::string>& crimes() const { return crimes_; }
    int crimeIndex() const { return crime_; }
    void selectCrime(int index);

    const std::vector<std::string>& issues() const { return issues_; }
    const std::string& issue() const { return record_.issue; }
    void setIssue(std::string issue) { record_.issue = std::move(issue); }

    const std::string& name() const { return record_.name; }
    void setName(std::string name) { record_.name = std::move(name); }

    const std::vector<std::string>& examiners() const { return examiners_; }
    int examinerIndex() const { return examiner_; }
    void selectExaminer(int index);

    const std::string& note() const { return record_.mark; }
    void setNote(std::string note) { record_.mark = std::move(note); }

    bool archived() const { return archived_; }
    void setArchived(bool archived) { archived_ = archived; }

    // Characters allowed in the name, issue and note fields.
    std::size_t nameLimit() const { return limit(initialName_); }
    std::size_t issueLimit() const { return limit(initialIssue_); }
    std::size_t noteLimit() const { return limit(initialNote_); }

    // A warning for the hint panel while a typed field holds characters that
    // will be stored as "?"; empty otherwise.
    std::string codePageWarning() const;

    // The record the fields make now.
    core::TSubj record() const;
    // OK / Post: saves the record and makes it current; false (after the
    // error is shown) keeps the dialog open.
    bool post(const FormPrompts& prompts);
    // Esc: the new-examinee dialog asks first; true closes the dialog.
    bool cancel(const FormPrompts& prompts) const;

private:
    static std::size_t limit(const std::string& initial);
    int pickOrAppend(std::vector<std::string>& list, const std::string& value) const;

    core::Workstation& ws_;
    Mode mode_;
    std::string refusal_;
    core::TSubj record_;
    std::vector<std::string> codes_;
    std::vector<std::string> crimes_;
    std::vector<std::string> issues_;
    std::vector<std::string> examiners_;
    int code_ = -1;
    int crime_ = -1;
    int examiner_ = -1;
    bool archived_ = false;
    std::string initialName_;
    std::string initialIssue_;
    std::string initialNote_;
};

}  // namespace lumo::admin
