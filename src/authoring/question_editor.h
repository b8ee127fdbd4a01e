#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "authoring/question_row.h"
#include "authoring/question_rows.h"

namespace lumo::core {
class Workstation;
}

namespace lumo::authoring {

// The question editor of one template: its rows, method, caption and file
// name, and the save that checks the rows and writes the template file.
class QuestionEditor {
public:
    explicit QuestionEditor(core::Workstation& workstation);

    QuestionRows& rows() { return rows_; }
    const QuestionRows& rows() const { return rows_; }

    // A new template from the method chooser (the file name stays empty).
    void setSkeleton(const TemplateSkeleton& skeleton);
    // A saved template: the method from the name's last digit, the caption
    // "Method : %s", the name without its extension, one row per line.
    // A damaged file raises EInOutError and leaves the editor as it was.
    void loadTemplate(const std::filesystem::path& file);

    int method() const { return method_; }
    const std::string& caption() const { return caption_; }
    const std::string& fileName() const { return fileName_; }
    void setFileName(std::string name) { fileName_ = std::move(name); }

    // The template file of the file name and method, in the spelling found on disk.
    std::filesystem::path file() const;

    struct SaveResult {
        enum class Kind {
            Saved,     // written; the editor ends with OK
            Fault,     // a row failed the check: warn, focus `field`
            Declined,  // the examiner kept the old template
            FileError  // the name or the file failed: error box, focus the file name
        };
        Kind kind = Kind::Saved;
        std::string message;
        QuestionRows::Field field;
    };
    // `confirmOverwrite` gets the question when the file exists; true for Yes.
    SaveResult save(const std::function<bool(const std::string& question)>& confirmOverwrite);

    // The heading of the printed template ("File Name : name") and its lines.
    std::string printHeading() const;
    std::vector<std::string> printLines() const { return rows_.lines(); }

private:
    core::Workstation& ws_;
    QuestionRows rows_;
    int method_ = 0;
    std::string caption_;
    std::string fileName_;
};

// The caption without its access key marker ("File &Name :" -> "File Name :").
std::string withoutAccessKey(std::string_view caption);

}  // namespace lumo::authoring
