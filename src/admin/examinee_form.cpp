#include "admin/examinee_form.h"

#include <algorithm>
#include <set>

#include "admin/examinee_chooser.h"
#include "core/cp1251.h"
#include "core/paths.h"
#include "core/texts/admin.h"
#include "core/texts/core.h"
#include "core/workstation.h"

namespace lumo::admin {

namespace {

constexpr int kLargestOrdinal = 9'999'999;  // seven digits

int clampIndex(int index, std::size_t size) {
    return size == 0 ? -1 : std::clamp(index, 0, static_cast<int>(size) - 1);
}

}  // namespace

std::vector<std::string> freeExamineeCodes(const std::vector<core::TSubj>& subjects,
                                           const std::vector<std::string>& datEntries, int maxSubjects, int limit) {
    std::set<std::string> taken;
    for (const core::TSubj& subject : subjects) taken.insert(core::upperCase(subject.fileCode));
    for (const std::string& entry : datEntries) taken.insert(core::upperCase(entry));
    std::vector<std::string> codes;
    const int last = std::min(maxSubjects, kLargestOrdinal);
    for (int ordinal = 1; ordinal <= last && static_cast<int>(codes.size()) < limit; ++ordinal) {
        std::string code = core::examineeFileCode(ordinal);
        if (taken.count(code) == 0) codes.push_back(std::move(code));
    }
    return codes;
}

std::vector<std::string> distinctIssues(const std::vector<core::TSubj>& subjects) {
    std::vector<std::string> issues;
    for (const core::TSubj& subject : subjects) {
        if (!subject.issue.empty() && std::find(issues.begin(), issues.end(), subject.issue) == issues.end()) {
            issues.push_back(subject.issue);
        }
    }
    return issues;
}

bool losesCharacters(const std::string& text) {
    return core::fromCp1251(core::toCp1251(text)) != text;
}

ExamineeForm::ExamineeForm(core::Workstation& workstation, Mode mode) : ws_(workstation), mode_(mode) {
    core::Records& records = ws_.records();
    const core::Texts& texts = ws_.texts();
    const std::vector<std::string> entries = crimeEntries(ws_.settings());
    // Entry 1 is the chooser's "all examinees"; examinees are filed under the others.
    if (entries.size() > 1) crimes_.assign(entries.begin() + 1, entries.end());
    issues_ = distinctIssues(records.examinees().entries());
    for (const core::TUser& user : records.operators().users()) examiners_.push_back(user.name);

    if (mode_ == Mode::New) {
        const int maxSubjects = ws_.settings().list().integer("MaxSubj");
        if (static_cast<int>(records.examinees().size()) < maxSubjects) {
            codes_ = freeExamineeCodes(records.examinees().entries(), core::findEntries(records.datFolder(), "#*"),
                                       maxSubjects);
        }
        if (codes_.empty()) {
            refusal_ = texts(txt::CmdExamineeLimit);
            return;
        }
        code_ = 0;
        crime_ = clampIndex(0, crimes_.size());
        examiner_ = clampIndex(0, examiners_.size());
        record_.date = core::formatDate(ws_.clock().today());
        if (!issues_.empty()) record_.issue = issues_.front();
        return;
    }

    if (!records.current().isSet()) {
        refusal_ = texts(txt::SubjEditNoExaminee);
        return;
    }
    record_ = records.current().record;
    codes_ = {record_.fileCode};
    code_ = 0;
    // A crime or examiner that left the lists since stays the examinee's own.
    crime_ = pickOrAppend(crimes_, record_.crime);
    examiner_ = pickOrAppend(examiners_, record_.operatorName);
    archived_ = record_.archive != " ";
    initialName_ = record_.name;
    initialIssue_ = record_.issue;
    initialNote_ = record_.mark;
}

int ExamineeForm::pickOrAppend(std::vector<std::string>& list, const std::string& value) const {
    const auto found = std::find(list.begin(), list.end(), value);
    if (found != list.end()) return static_cast<int>(found - list.begin());
    list.push_back(value);
    return static_cast<int>(list.size()) - 1;
}

std::size_t ExamineeForm::limit(const std::string& initial) {
    return std::max(kTypedFieldLimit, core::charCount(initial));
}

void ExamineeForm::selectCode(int index) {
    if (mode_ == Mode::New) code_ = clampIndex(index, codes_.size());
}

std::string ExamineeForm::fileCode() const {
    return code_ < 0 ? std::string() : codes_[static_cast<std::size_t>(code_)];
}

void ExamineeForm::selectCrime(int index) {
    crime_ = clampIndex(index, crimes_.size());
}

void ExamineeForm::selectExaminer(int index) {
    examiner_ = clampIndex(index, examiners_.size());
}

std::string ExamineeForm::codePageWarning() const {
    const bool loses = losesCharacters(record_.name) || losesCharacters(record_.issue) || losesCharacters(record_.mark);
    return loses ? ws_.texts()(txt::SubjCodePageWarning) : std::string();
}

core::TSubj ExamineeForm::record() const {
    core::TSubj subject = record_;
    subject.fileCode = fileCode();
    subject.crime = crime_ < 0 ? std::string() : crimes_[static_cast<std::size_t>(crime_)];
    subject.operatorName = examiner_ < 0 ? std::string() : examiners_[static_cast<std::size_t>(examiner_)];
    subject.archive = mode_ == Mode::New ? " " : (archived_ ? "#" : " ");
    return subject;
}

bool ExamineeForm::post(const FormPrompts& prompts) {
    if (!refusal_.empty()) return false;
    const core::Texts& texts = ws_.texts();
    const bool creating = mode_ == Mode::New;
    try {
        if (ws_.records().storeExaminee(record())) return true;
        prompts.error(texts(creating ? txt::SubjNewPostingFailure : txt::SubjEditPostingFails));
    } catch (const std::exception& error) {
        prompts.error(texts(creating ? txt::SubjNewCreatingFailure : txt::SubjEditPostingFailure) + "\n" + error.what());
    }
    return false;
}

bool ExamineeForm::cancel(const FormPrompts& prompts) const {
    return mode_ != Mode::New || prompts.confirm(ws_.texts()(txt::SubjNewCancelConfirm));
}

}  // namespace lumo::admin
