#include "authoring/exam_files.h"

#include <algorithm>
#include <system_error>

#include "core/errors.h"
#include "core/paths.h"
#include "core/settings.h"
#include "core/text_format.h"
#include "core/texts/authoring.h"
#include "core/texts/core.h"
#include "core/question_set.h"
#include "core/template_conversion.h"
#include "core/workstation.h"

namespace lumo::authoring {

namespace fs = std::filesystem;

int nextExamNumber(const std::vector<core::TExam>& exams) {
    std::vector<int> used;
    for (const core::TExam& exam : exams) {
        try {
            used.push_back(std::stoi(exam.number));
        } catch (const std::exception&) {
            // The exam list only holds two-digit numbers; anything else claims none.
        }
    }
    if (used.empty()) return 1;
    std::sort(used.begin(), used.end());
    if (used.back() < core::kMaxExamsPerExaminee) return used.back() + 1;
    for (int number = 1; number <= core::kMaxExamsPerExaminee; ++number) {
        if (!std::binary_search(used.begin(), used.end(), number)) return number;
    }
    return 0;
}

std::vector<std::string> examFiles(const fs::path& folder, int examNumber) {
    // The dot ends the stem: exam_01.* cannot reach exam_011.* or exam_01x.*.
    const std::string pattern = core::examStem(examNumber) + ".*";
    std::vector<std::string> files;
    for (const std::string& name : core::findEntries(folder, pattern)) {
        std::error_code ec;
        if (fs::is_regular_file(fs::symlink_status(folder / name, ec))) files.push_back(name);
    }
    return files;
}

std::vector<std::string> deleteExamFiles(const fs::path& folder, int examNumber, const FileRemover& remove) {
    std::vector<std::string> failed;
    for (const std::string& name : examFiles(folder, examNumber)) {
        bool removed = false;
        if (remove) {
            removed = remove(folder / name);
        } else {
            std::error_code ec;
            removed = fs::remove(folder / name, ec) && !ec;
        }
        if (!removed) failed.push_back(name);
    }
    return failed;
}

void checkTemplateName(std::string_view name, const core::Texts& texts) {
    if (name.find_first_not_of(" \t") == std::string_view::npos) throw EInOutError(texts(txt::QstNameEmpty));
    static constexpr std::string_view kRefused = "\\/:*?\"<>|";
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f || kRefused.find(c) != std::string_view::npos) {
            const std::string shown = byte < 0x20 || byte == 0x7f ? "#" + std::to_string(byte) : std::string(1, c);
            throw EInOutError(core::formatText(texts(txt::ExamTemplateNameRefused), {shown}));
        }
    }
    // "." and ".." name folders, not files.
    if (name.find_first_not_of('.') == std::string_view::npos) {
        throw EInOutError(core::formatText(texts(txt::ExamTemplateNameRefused), {std::string(".")}));
    }
}

}  // namespace lumo::authoring

namespace lumo::authoring {

std::optional<fs::path> exportExamToTemplate(core::Workstation& ws, const fs::path& examFile,
                                             const std::string& proposal, const TemplateExportSteps& steps,
                                             bool* created) {
    const core::TQstTest exam(examFile, core::kExamTypeCounters);
    const std::optional<std::string> name = steps.askName(proposal);
    if (!name) return std::nullopt;
    checkTemplateName(*name, ws.texts());
    if (exam.method < 1 || exam.method > core::kMethodCount) throw EInOutError(ws.texts()(txt::MethodIndexError));
    const fs::path folder = core::resolvePath(ws.home(), "QST");
    const fs::path file = core::resolvePath(folder, core::templateFileName(*name, exam.method));
    std::error_code ec;
    const bool exists = fs::exists(file, ec);
    if (exists && !steps.confirm(ws.texts()(txt::TemplateOverwrite))) return std::nullopt;
    fs::create_directories(folder, ec);
    core::exportExamAsTemplate(examFile, file);
    if (created != nullptr) *created = !exists;
    return file;
}

fs::path currentExamFile(const core::Workstation& ws, int examNumber) {
    const fs::path folder = ws.records().examineeFolder(ws.records().current().record.fileCode);
    return core::resolvePath(folder, core::examFileName(examNumber));
}

void removeExam(core::Workstation& ws, int examNumber, const FileRemover& remove) {
    core::CurrentExaminee& current = ws.records().current();
    const fs::path folder = ws.records().examineeFolder(current.record.fileCode);
    const std::vector<std::string> failed = deleteExamFiles(folder, examNumber, remove);
    if (current.examNumber == examNumber) {
        current.examNumber = 0;
        current.chart = 0;
    }
    ws.records().reloadExams();
    if (failed.empty()) return;
    std::string message;
    for (const std::string& name : failed) {
        if (!message.empty()) message += "\n";
        message += core::formatText(ws.texts()(txt::ExamDeleteFailed), {(folder / name).string()});
    }
    throw EInOutError(message);
}

}  // namespace lumo::authoring
