#include "authoring/question_editor.h"

#include <unistd.h>

#include <system_error>

#include "authoring/template_store.h"
#include "core/errors.h"
#include "core/paths.h"
#include "core/template_conversion.h"
#include "core/text_file.h"
#include "core/text_format.h"
#include "core/texts/authoring.h"
#include "core/texts/core.h"
#include "core/workstation.h"

namespace lumo::authoring {

namespace fs = std::filesystem;

std::string withoutAccessKey(std::string_view caption) {
    std::string result;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') result += caption[++i];
            continue;
        }
        result += caption[i];
    }
    return result;
}

QuestionEditor::QuestionEditor(core::Workstation& workstation)
    : ws_(workstation), rows_(SignAlphabet::fromSettings(workstation.settings()), workstation.texts()) {}

void QuestionEditor::setSkeleton(const TemplateSkeleton& skeleton) {
    rows_.load(skeleton.rows);
    method_ = skeleton.method;
    caption_ = skeleton.caption;
}

void QuestionEditor::loadTemplate(const fs::path& file) {
    const std::vector<QuestionRow> rows = readTemplate(file, ws_.texts());
    const std::string name = file.filename().string();
    rows_.load(rows);
    method_ = core::templateMethod(file);
    caption_ = methodCaption(ws_.settings(), ws_.texts(), method_);
    // The extension is always four characters: ".QS" and the method digit.
    fileName_ = name.size() > 4 ? name.substr(0, name.size() - 4) : std::string();
}

fs::path QuestionEditor::file() const {
    return templateFolder(ws_.home()) / core::templateFileName(fileName_, method_);
}

QuestionEditor::SaveResult QuestionEditor::save(const std::function<bool(const std::string&)>& confirmOverwrite) {
    using Kind = SaveResult::Kind;
    if (const std::optional<QuestionRows::Fault> fault = rows_.check()) {
        return {Kind::Fault, fault->message, fault->field};
    }
    const core::Texts& texts = ws_.texts();
    const std::string shownName = core::templateFileName(fileName_, method_);
    const auto fileError = [&](int id, const std::string& reason) {
        return SaveResult{Kind::FileError, core::formatText(texts(id), {shownName}) + "\n" + reason, {}};
    };
    // A name the file system refuses is reported before anything is touched.
    if (const std::string problem = templateNameProblem(fileName_, method_, texts); !problem.empty()) {
        return fileError(txt::QstCreateError, problem);
    }
    const fs::path folder = templateFolder(ws_.home());
    const fs::path target = core::resolvePath(ws_.home(), "QST\\" + shownName);
    std::error_code error;
    if (fs::exists(target, error) && !confirmOverwrite(texts(txt::TemplateOverwrite))) {
        return {Kind::Declined, {}, {}};
    }
    fs::create_directories(folder, error);
    if (error) return fileError(txt::QstCreateError, error.message());
    if (::access(folder.c_str(), W_OK) != 0) {
        return fileError(txt::QstCreateError, std::error_code(errno, std::generic_category()).message());
    }
    try {
        core::writeTextLines(target, rows_.lines());
    } catch (const LumoError& failure) {
        return fileError(txt::QstWriteError, failure.what());
    }
    fileName_ = target.filename().string().substr(0, target.filename().string().size() - 4);
    return {Kind::Saved, {}, {}};
}

std::string QuestionEditor::printHeading() const {
    return withoutAccessKey(ws_.texts()(txt::QstFileName)) + " " + fileName_;
}

}  // namespace lumo::authoring
