#include "admin/examinee_chooser.h"

#include <algorithm>
#include <tuple>
#include <system_error>

#include "core/cp1251.h"
#include "core/paths.h"
#include "core/texts/admin.h"
#include "core/texts/core.h"
#include "core/workstation.h"

namespace lumo::admin {

namespace fs = std::filesystem;

namespace {

constexpr std::array<std::string_view, kSubjectColumnCount> kSortSettings = {"Code",  "Name", "Date",
                                                                               "Issue", "Mark", "Arch"};
constexpr std::array<int, kSubjectColumnCount> kColumnTitles = {txt::SubjectsFile,  txt::SubjectsExaminee,
                                                                txt::SubjectsDate,  txt::SubjectsIssue,
                                                                txt::SubjectsNote,  txt::SubjectsArchived};
// A settings file could ask for any count; the list stays a list.
constexpr int kMaxCrimeEntries = 999;

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// Ascending order of one column, dates left out.
bool textBefore(const core::TSubj& a, const core::TSubj& b, SortColumn column) {
    switch (column) {
        case SortColumn::Code: return a.fileCode < b.fileCode;
        case SortColumn::Name: return core::upperCase(a.name) < core::upperCase(b.name);
        case SortColumn::Issue: return core::upperCase(a.issue) < core::upperCase(b.issue);
        case SortColumn::Mark: return core::upperCase(a.mark) < core::upperCase(b.mark);
        case SortColumn::Arch: return a.archive < b.archive;
        case SortColumn::Date: break;
    }
    return false;
}

bool dateBefore(const core::Date& a, const core::Date& b) {
    return std::tie(a.year, a.month, a.day) < std::tie(b.year, b.month, b.day);
}

}  // namespace

SortColumn sortColumnFromSetting(std::string_view value) {
    for (int i = 0; i < kSubjectColumnCount; ++i) {
        if (core::equalsIgnoreCase(value, kSortSettings[static_cast<std::size_t>(i)])) return static_cast<SortColumn>(i);
    }
    return SortColumn::Date;
}

std::string sortColumnSetting(SortColumn column) {
    return std::string(kSortSettings[static_cast<std::size_t>(column)]);
}

std::optional<core::Date> parseRecordDate(std::string_view text) {
    if (text.size() != 10 || text[2] != '-' || text[5] != '-') return std::nullopt;
    const auto number = [&](std::size_t from, std::size_t length) {
        int value = 0;
        for (std::size_t i = from; i < from + length; ++i) {
            if (text[i] < '0' || text[i] > '9') return -1;
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    const core::Date date{number(6, 4), number(3, 2), number(0, 2)};
    if (date.year < 1 || date.month < 1 || date.month > 12 || date.day < 1) return std::nullopt;
    if (date.day > daysInMonth(date.year, date.month)) return std::nullopt;
    return date;
}

bool sortsBefore(const core::TSubj& a, const core::TSubj& b, SortColumn column, bool ascending) {
    if (column != SortColumn::Date) return ascending ? textBefore(a, b, column) : textBefore(b, a, column);
    const auto dateA = parseRecordDate(a.date);
    const auto dateB = parseRecordDate(b.date);
    // A broken date must not stop the examiner from sorting the others.
    if (!dateA || !dateB) return dateA.has_value() && !dateB.has_value();
    return ascending ? dateBefore(*dateA, *dateB) : dateBefore(*dateB, *dateA);
}

bool removeExamineeFolder(const fs::path& folder) {
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(folder, ec))) return true;  // nothing left to remove
    return core::removeFolder(folder, "subject.dat");
}

std::vector<std::string> crimeEntries(const core::Settings& settings) {
    const int count = std::min(settings.list().integer(settings.prefixed("MaxCrime")), kMaxCrimeEntries);
    std::vector<std::string> entries;
    for (int n = 1; n <= count; ++n) entries.push_back(settings.list().text(settings.prefixed("Crime" + std::to_string(n))));
    return entries;
}

bool filedUnder(const core::TSubj& subject, std::string_view crimeEntry) {
    return subject.crime == core::leftChars(crimeEntry, kCrimeCompareLength);
}

ExamineeChooser::ExamineeChooser(core::Workstation& workstation) : ws_(workstation) {
    const core::SettingsList& list = ws_.settings().list();
    column_ = sortColumnFromSetting(list.value("SortOrder"));
    ascending_ = list.boolean("Ascend");
    crimes_ = crimeEntries(ws_.settings());
    const core::CurrentExaminee& current = ws_.records().current();
    rebuild(current.isSet() ? current.record.fileCode : std::string());
    if (selected_ < 0 && !rows_.empty()) selected_ = 0;
}

std::string ExamineeChooser::emptyMessage() const {
    return ws_.texts()(txt::CmdNoExamineesToChoose);
}

std::array<std::string, kSubjectColumnCount> ExamineeChooser::cells(int row) const {
    const core::TSubj& s = rows_.at(static_cast<std::size_t>(row)).subject;
    return {s.fileCode, s.name, s.date, s.issue, s.mark, s.archive};
}

std::string ExamineeChooser::columnTitle(SortColumn column) const {
    return ws_.texts()(kColumnTitles[static_cast<std::size_t>(column)]);
}

void ExamineeChooser::clickHeader(SortColumn column) {
    if (column == column_) {
        ascending_ = !ascending_;
    } else {
        column_ = column;
    }
    rebuild(selected_ >= 0 ? rows_[static_cast<std::size_t>(selected_)].subject.fileCode : std::string());
}

void ExamineeChooser::rebuild(const std::string& keepCode) {
    rows_.clear();
    // The register itself stays in code order; only the grid follows the chosen one.
    for (const core::TSubj& subject : ws_.records().examinees().entries()) rows_.push_back({subject, true});
    std::stable_sort(rows_.begin(), rows_.end(),
                     [this](const Row& a, const Row& b) { return sortsBefore(a.subject, b.subject, column_, ascending_); });
    selected_ = rowOf(keepCode);
    applyFilter();
}

bool ExamineeChooser::matchesCrime(const core::TSubj& subject, int entry) const {
    if (entry <= 0 || entry >= static_cast<int>(crimes_.size())) return true;
    return filedUnder(subject, crimes_[static_cast<std::size_t>(entry)]);
}

void ExamineeChooser::applyFilter() {
    for (Row& row : rows_) row.visible = matchesCrime(row.subject, crime_);
    if (selected_ >= 0 && rows_[static_cast<std::size_t>(selected_)].visible) return;
    const auto first = std::find_if(rows_.begin(), rows_.end(), [](const Row& row) { return row.visible; });
    selected_ = first == rows_.end() ? -1 : static_cast<int>(first - rows_.begin());
}

bool ExamineeChooser::crimeBound(int entry) const {
    if (entry < 0 || entry >= static_cast<int>(crimes_.size())) return false;
    const std::string& name = crimes_[static_cast<std::size_t>(entry)];
    return std::any_of(rows_.begin(), rows_.end(), [&](const Row& row) { return filedUnder(row.subject, name); });
}

void ExamineeChooser::selectCrime(int entry) {
    crime_ = std::clamp(entry, 0, std::max(0, static_cast<int>(crimes_.size()) - 1));
    applyFilter();
}

void ExamineeChooser::selectRow(int row) {
    if (row >= 0 && row < static_cast<int>(rows_.size()) && rows_[static_cast<std::size_t>(row)].visible) selected_ = row;
}

int ExamineeChooser::rowOf(std::string_view code) const {
    if (code.empty()) return -1;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (core::equalsIgnoreCase(rows_[i].subject.fileCode, code)) return static_cast<int>(i);
    }
    return -1;
}

bool ExamineeChooser::choose() {
    if (selected_ < 0 || !rows_[static_cast<std::size_t>(selected_)].visible) return false;
    ws_.records().makeCurrent(rows_[static_cast<std::size_t>(selected_)].subject);
    return true;
}

bool ExamineeChooser::deleteSelected(const ChooserPrompts& prompts) {
    if (selected_ < 0 || !rows_[static_cast<std::size_t>(selected_)].visible) return false;
    const core::TSubj subject = rows_[static_cast<std::size_t>(selected_)].subject;
    const core::Texts& texts = ws_.texts();
    if (!prompts.confirm(texts(txt::SubjectsDeleteConfirm))) return false;
    core::Records& records = ws_.records();
    if (!remover_(records.examineeFolder(subject.fileCode))) {
        // The record file goes last, so the examinee is still registered.
        prompts.error(texts(txt::SubjectsCannotDelete));
        return false;
    }
    const bool wasCurrent = core::equalsIgnoreCase(records.current().record.fileCode, subject.fileCode);
    if (wasCurrent) records.clearCurrent();
    records.examinees().remove(subject.fileCode);
    // The current examinee's place in the list moves up behind the deleted one.
    if (records.current().isSet()) records.current().position = records.examinees().indexOf(records.current().record.fileCode);

    const int removed = selected_;
    rows_.erase(rows_.begin() + removed);
    if (rows_.empty()) {
        selected_ = -1;
        prompts.inform(texts(txt::SubjectsNoMore));
        return true;
    }
    // The row that took the deleted one's place, else the one above it.
    selected_ = -1;
    for (int i = removed; i < static_cast<int>(rows_.size()) && selected_ < 0; ++i) {
        if (rows_[static_cast<std::size_t>(i)].visible) selected_ = i;
    }
    for (int i = removed - 1; i >= 0 && selected_ < 0; --i) {
        if (rows_[static_cast<std::size_t>(i)].visible) selected_ = i;
    }
    return false;
}

void ExamineeChooser::finish() {
    core::SettingsList& list = ws_.settings().list();
    list.setValue("SortOrder", sortColumnSetting(column_));
    list.setValue("Ascend", ascending_ ? "True" : "False");
}

}  // namespace lumo::admin
