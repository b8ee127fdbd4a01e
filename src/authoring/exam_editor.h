#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "authoring/question_rows.h"
#include "core/question_set.h"

namespace lumo::core {
class Workstation;
}

namespace lumo::authoring {

// The exam editor of one exam file: the rows (with the exam editor's mode:
// Down wraps at the last row, insert and delete only in structure mode), the
// method and the mark; saving rewrites the exam with fresh orders.
class ExamEditor {
public:
    // Reads the exam; a damaged file raises the reader's error.
    ExamEditor(core::Workstation& workstation, std::filesystem::path examFile, bool structureMode);

    QuestionRows& rows() { return rows_; }
    const QuestionRows& rows() const { return rows_; }
    const std::filesystem::path& examFile() const { return file_; }

    // The names of methods 1 ... 6 for the method list.
    std::vector<std::string> methodNames() const;
    int method() const { return exam_.method; }
    void setMethod(int method);
    // The selected method's format label ("" for a method outside 1 ... 6).
    std::string formatLabel() const;

    std::string examineePanel() const;  // "Examinee: %s"
    std::string examinerPanel() const;  // "Examiner : %s"
    const std::string& mark() const { return exam_.examMark; }
    void setMark(std::string_view mark);  // at most 60 characters are kept

    // Checks the rows as the template editor does; on success rewrites the
    // exam: today's date, the counts of the signs' types, texts split after
    // 60 characters, every order reset to the row position.
    std::optional<QuestionRows::Fault> save();

    // "mark (exam_01.qs_); Examinee: name; method name".
    std::string printHeading() const;
    std::vector<std::string> printLines() const { return rows_.lines(); }

private:
    core::Workstation& ws_;
    std::filesystem::path file_;
    core::TQstTest exam_;
    QuestionRows rows_;
};

}  // namespace lumo::authoring
