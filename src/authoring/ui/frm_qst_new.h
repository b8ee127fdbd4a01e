#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "authoring/ui/question_grid.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace lumo::core {
class Workstation;
}
namespace lumo::platform {
class DialogConventions;
}

namespace lumo::authoring {
class QuestionEditor;
}

namespace lumo::authoring::ui {

// Printing a question list: the parent window, the heading and the lines.
using PrintFunction =
    std::function<void(QWidget* parent, const std::string& heading, const std::vector<std::string>& lines)>;
// The question base chooser: gets the rows in use as "number.sign.answer.text"
// lines, gives lines back on OK.
using LoadFromBaseFunction =
    std::function<std::optional<std::vector<std::string>>(const std::vector<std::string>& lines)>;

// The message boxes a question editor shows (tests replace them).

// The question editor: the rows of one template, its file name and the
// commands Save, Cancel, Insert, Delete, Load from Base and Print. It ends
// with Accepted after a successful save.
class TfrmQstNew : public QDialog {
    Q_OBJECT

public:
    // An empty hook keeps its button disabled.
    TfrmQstNew(QuestionEditor& editor, core::Workstation& workstation, LoadFromBaseFunction loadFromBase,
               PrintFunction print, QWidget* parent = nullptr);

    void setPrompts(EditorPrompts prompts);

    QuestionGrid* grid() const { return sgQuestions_; }
    QLineEdit* fileNameField() const { return ledFileName_; }
    QPushButton* saveButton() const { return cmdSave_; }
    QPushButton* cancelButton() const { return cmdCancel_; }
    QPushButton* insertButton() const { return cmdInsert_; }
    QPushButton* deleteButton() const { return cmdDelete_; }
    QPushButton* loadFromBaseButton() const { return cmdLoadFromBase_; }
    QPushButton* printButton() const { return cmdPrint_; }
    platform::DialogConventions& conventions() { return *conventions_; }

public slots:
    // Esc and Cancel: asks before leaving without saving.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void cmdSaveClick();
    void cmdLoadFromBaseClick();
    void cmdPrintClick();
    void refreshButtons();

    QuestionEditor& editor_;
    core::Workstation& ws_;
    LoadFromBaseFunction loadFromBase_;
    PrintFunction print_;
    EditorPrompts prompts_;
    platform::DialogConventions* conventions_ = nullptr;
    QuestionGrid* sgQuestions_ = nullptr;
    QLineEdit* ledFileName_ = nullptr;
    QPushButton* cmdSave_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    QPushButton* cmdInsert_ = nullptr;
    QPushButton* cmdDelete_ = nullptr;
    QPushButton* cmdLoadFromBase_ = nullptr;
    QPushButton* cmdPrint_ = nullptr;
    bool shown_ = false;
};

}  // namespace lumo::authoring::ui
