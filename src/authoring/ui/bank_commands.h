#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lumo::core {
class Workstation;
}
namespace lumo::core::ui {
class TfrmMain;
}

namespace lumo::authoring::ui {

// The bank folder of the data home.
std::filesystem::path bankFolder(const core::Workstation& workstation);

// The step of the Question base command that shows a window; the default runs
// the bank manager, tests replace it.
struct QuestionBaseSteps {
    std::function<void(const std::filesystem::path& folder)> runManager;
};

// Plugs the main window's Question base command in: the bank manager on BNK.
void installQuestionBaseCommand(core::ui::TfrmMain& main, core::Workstation& workstation);
void installQuestionBaseCommand(core::ui::TfrmMain& main, core::Workstation& workstation, QuestionBaseSteps steps);

// The base chooser for the question editor: `templateLines` are its rows as
// "number.sign.answer.text"; the lines with every paste made on "Save pasting",
// none on Cancel.
std::optional<std::vector<std::string>> chooseFromBase(QWidget* parent, core::Workstation& workstation,
                                                       const std::vector<std::string>& templateLines);

}  // namespace lumo::authoring::ui
