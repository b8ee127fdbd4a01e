#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/exam_list.h"

namespace lumo::core {
class Texts;
}

namespace lumo::authoring {

// The number of the next exam: the last exam's number plus one, 1 for the
// first. When the last exam already is 99 the lowest unused number is taken
// instead; 0 when all 99 are in use.
int nextExamNumber(const std::vector<core::TExam>& exams);

// Names of the files in `folder` that belong to exam n: its exam file's name
// up to and including the dot, followed by any extension ("exam_01.qs_",
// "EXAM_01.CH3", but never "exam_011.ch1", "exam_01x.qs_" or subject.dat).
std::vector<std::string> examFiles(const std::filesystem::path& folder, int examNumber);

// Deletes one file; false when it stays.
using FileRemover = std::function<bool(const std::filesystem::path& file)>;

// Deletes every file of exam n; the names of those that could not be deleted
// come back (the others are gone). Without `remove` the file system deletes.
std::vector<std::string> deleteExamFiles(const std::filesystem::path& folder, int examNumber,
                                         const FileRemover& remove = {});

// Refuses a template name that cannot become a file name on every disk the
// examinee data travels to: EInOutError "Template name is empty" for a name
// of blanks only, and one naming the character for a path separator, a
// character Windows refuses in names or a control character.
void checkTemplateName(std::string_view name, const core::Texts& texts);

}  // namespace lumo::authoring

namespace lumo::core {
class Workstation;
}

namespace lumo::authoring {

// What To Template asks the examiner.
struct TemplateExportSteps {
    // The template name, starting from the proposal; nothing when cancelled.
    std::function<std::optional<std::string>(const std::string& proposal)> askName;
    std::function<bool(const std::string& text)> confirm;  // Yes/No
};

// Writes the exam's questions as the template QST/name.QSm (m the exam's
// method) after asking for the name and, for a template that exists,
// whether to overwrite it. The new template file, or nothing when the
// examiner gave up; `created` tells whether it is a new file. A refused name
// or method raises EInOutError before anything is written.
std::optional<std::filesystem::path> exportExamToTemplate(core::Workstation& workstation,
                                                         const std::filesystem::path& examFile,
                                                         const std::string& proposal,
                                                         const TemplateExportSteps& steps, bool* created = nullptr);

// The exam file of exam n of the current examinee, as spelled on disk.
std::filesystem::path currentExamFile(const core::Workstation& workstation, int examNumber);

// Removes exam n of the current examinee: its files, and its place as the
// current exam. The exams are read again. Files that could not be deleted
// raise EInOutError naming each (the rest are gone).
void removeExam(core::Workstation& workstation, int examNumber, const FileRemover& remove = {});

}  // namespace lumo::authoring
