#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/colors.h"

namespace lumo::core {
class Workstation;
}

namespace lumo::authoring {

// The template chooser: the templates of the template folder, a preview of
// the selected one, deleting. It lives for one "Edit template" command and
// keeps its position between showings.
class TemplateChooser {
public:
    explicit TemplateChooser(core::Workstation& workstation);

    // Lists the folder again; the position stays (or goes to the last entry).
    void refresh();
    const std::vector<std::string>& names() const { return names_; }
    bool empty() const { return names_.empty(); }
    int selected() const { return selected_; }  // -1 when empty
    void select(int index);
    std::filesystem::path selectedFile() const;

    struct PreviewLine {
        std::string text;
        core::Rgb colour;  // drawn on black
    };
    // The selected template's lines in their signs' colours; a damaged file
    // shows its error instead.
    std::vector<PreviewLine> preview() const;
    // "Method : %s" of the selected name's last digit.
    std::string methodCaption() const;

    // Deletes the selected template; false when it was the last one. A file
    // that cannot be deleted raises EInOutError naming it.
    bool deleteSelected();

    // "File Name : name" and the lines, as the editor prints them.
    std::string printHeading() const;
    std::vector<std::string> printLines() const;

private:
    core::Workstation& ws_;
    std::filesystem::path folder_;
    std::vector<std::string> names_;
    int selected_ = -1;
};

}  // namespace lumo::authoring
