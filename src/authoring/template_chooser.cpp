#include "authoring/template_chooser.h"

#include <algorithm>
#include <system_error>

#include "authoring/question_editor.h"
#include "authoring/question_rows.h"
#include "authoring/template_store.h"
#include "core/errors.h"
#include "core/question_set.h"
#include "core/template_conversion.h"
#include "core/text_format.h"
#include "core/texts/authoring.h"
#include "core/workstation.h"

namespace lumo::authoring {

namespace fs = std::filesystem;

namespace {

std::string stem(const std::string& fileName) {
    return fileName.size() > 4 ? fileName.substr(0, fileName.size() - 4) : fileName;
}

}  // namespace

TemplateChooser::TemplateChooser(core::Workstation& workstation) : ws_(workstation) {
    refresh();
}

void TemplateChooser::refresh() {
    folder_ = templateFolder(ws_.home());
    names_ = listTemplates(folder_);
    const int last = static_cast<int>(names_.size()) - 1;
    selected_ = names_.empty() ? -1 : std::clamp(selected_, 0, last);
}

void TemplateChooser::select(int index) {
    if (index >= 0 && index < static_cast<int>(names_.size())) selected_ = index;
}

fs::path TemplateChooser::selectedFile() const {
    if (selected_ < 0) return {};
    return folder_ / names_[static_cast<std::size_t>(selected_)];
}

std::vector<TemplateChooser::PreviewLine> TemplateChooser::preview() const {
    if (selected_ < 0) return {};
    const core::QuestionTypes types(ws_.settings());
    std::vector<PreviewLine> lines;
    try {
        for (const QuestionRow& row : readTemplate(selectedFile(), ws_.texts())) {
            core::Rgb colour;
            try {
                colour = types.signToColour(row.sign);
            } catch (const EConvertError&) {
                colour = {255, 255, 255};  // a colour setting naming no colour
            }
            lines.push_back({core::joinTemplateLine(row), colour});
        }
    } catch (const LumoError& error) {
        lines = {{error.what(), {255, 0, 0}}};
    }
    return lines;
}

std::string TemplateChooser::methodCaption() const {
    if (selected_ < 0) return {};
    return authoring::methodCaption(ws_.settings(), ws_.texts(), core::templateMethod(selectedFile()));
}

bool TemplateChooser::deleteSelected() {
    if (selected_ < 0) return !names_.empty();
    const fs::path file = selectedFile();
    std::error_code error;
    fs::remove(file, error);
    if (error) {
        throw EInOutError(core::formatText(ws_.texts()(txt::TplCannotDelete), {file.filename().string()}) + "\n" +
                          error.message());
    }
    refresh();
    return !names_.empty();
}

std::string TemplateChooser::printHeading() const {
    const std::string name = selected_ < 0 ? std::string() : stem(names_[static_cast<std::size_t>(selected_)]);
    return withoutAccessKey(ws_.texts()(txt::TplFileName)) + " " + name;
}

std::vector<std::string> TemplateChooser::printLines() const {
    std::vector<std::string> lines;
    if (selected_ < 0) return lines;
    for (const QuestionRow& row : readTemplate(selectedFile(), ws_.texts())) lines.push_back(core::joinTemplateLine(row));
    return lines;
}

}  // namespace lumo::authoring
