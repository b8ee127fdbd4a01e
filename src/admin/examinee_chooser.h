#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/clock.h"
#include "core/examinee.h"

namespace lumo::core {
class Settings;
class Workstation;
}

namespace lumo::admin {

// The grid's columns, in the order the grid shows them.
enum class SortColumn { Code, Name, Date, Issue, Mark, Arch };
inline constexpr int kSubjectColumnCount = 6;

// SortOrder values: "Code", "Name", "Date", "Issue", "Mark", "Arch"; any
// other value sorts by date.
SortColumn sortColumnFromSetting(std::string_view value);
std::string sortColumnSetting(SortColumn column);

// A "dd-mm-yyyy" date that exists in the calendar, or nothing.
std::optional<core::Date> parseRecordDate(std::string_view text);

// True when `a` sorts before `b` by that column ascending: codes and archive
// flags byte by byte, names, issues and notes without regard to letter case,
// dates as calendar dates. A date that is no valid date sorts after every
// valid one, whichever the direction.
bool sortsBefore(const core::TSubj& a, const core::TSubj& b, SortColumn column, bool ascending);

// Deletes an examinee's folder with its record file last: a folder that cannot
// be removed whole still holds subject.dat, so the examinee stays registered.
bool removeExamineeFolder(const std::filesystem::path& folder);

// What the chooser asks its view to show.
struct ChooserPrompts {
    std::function<bool(const std::string& text)> confirm;  // Yes/No
    std::function<void(const std::string& text)> inform;
    std::function<void(const std::string& text)> error;
};

// The examinee chooser's behaviour: the grid rows in the chosen order, the
// crime filter, the selection, choosing and deleting. The sort order comes
// from SortOrder/Ascend and goes back there on finish().
class ExamineeChooser {
public:
    struct Row {
        core::TSubj subject;
        bool visible = true;
    };

    explicit ExamineeChooser(core::Workstation& workstation);

    // The register was empty when the chooser opened: the view says so and closes.
    bool empty() const { return rows_.empty(); }
    std::string emptyMessage() const;

    const std::vector<Row>& rows() const { return rows_; }
    // The six cell texts of a row, in column order.
    std::array<std::string, kSubjectColumnCount> cells(int row) const;
    std::string columnTitle(SortColumn column) const;

    SortColumn sortColumn() const { return column_; }
    bool ascending() const { return ascending_; }
    // A click on a column head: sorts by it, or reverses the direction when
    // it already is the sort column. The selected examinee stays selected.
    void clickHeader(SortColumn column);

    // The crime entries 1 ... MaxCrime of the current language; entry 0 shows everybody.
    const std::vector<std::string>& crimes() const { return crimes_; }
    // At least one examinee is filed under the entry (its first 15 characters).
    bool crimeBound(int entry) const;
    int selectedCrime() const { return crime_; }
    void selectCrime(int entry);

    // -1 when no row is selected.
    int selectedRow() const { return selected_; }
    // Hidden rows cannot be selected; the selection stays where it was.
    void selectRow(int row);

    // Makes the selected examinee current; false when no visible row is selected.
    bool choose();
    // Asks, then deletes the selected examinee with its folder. True when the
    // chooser must close because nobody is left.
    bool deleteSelected(const ChooserPrompts& prompts);

    // Writes the sort order back to the settings.
    void finish();

    // Replaces the folder removal (tests make it fail).
    void setFolderRemover(std::function<bool(const std::filesystem::path&)> remover) { remover_ = std::move(remover); }

private:
    void rebuild(const std::string& keepCode);
    void applyFilter();
    bool matchesCrime(const core::TSubj& subject, int entry) const;
    int rowOf(std::string_view code) const;

    core::Workstation& ws_;
    SortColumn column_ = SortColumn::Date;
    bool ascending_ = false;
    std::vector<Row> rows_;
    std::vector<std::string> crimes_;
    int crime_ = 0;
    int selected_ = -1;
    std::function<bool(const std::filesystem::path&)> remover_ = removeExamineeFolder;
};

// The crime entries Crime1 ... CrimeMaxCrime of the current language (text
// settings); EConvertError for a malformed MaxCrime.
std::vector<std::string> crimeEntries(const core::Settings& settings);
// A crime entry compares with an examinee's whole crime field by its first 15 characters.
inline constexpr std::size_t kCrimeCompareLength = 15;
bool filedUnder(const core::TSubj& subject, std::string_view crimeEntry);

}  // namespace lumo::admin
