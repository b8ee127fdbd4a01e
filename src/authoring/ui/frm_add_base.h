#pragma once

#include <QDialog>
#include <filesystem>
#include <string>
#include <vector>

#include "authoring/base_chooser.h"

class QGroupBox;
class QListWidget;
class QPushButton;

namespace lumo::core {
class Texts;
}
namespace lumo::platform {
class DialogConventions;
}

namespace lumo::authoring::ui {

// "Filling questions from Questions Base": bank topics and their questions
// over the template's lines; Enter in either question list or "Paste" puts
// the selected bank question in place of the selected line's text. Shown
// maximised; "Save pasting" ends with OK.
class TfrmAddBase : public QDialog {
    Q_OBJECT

public:
    TfrmAddBase(std::filesystem::path folder, const core::Texts& texts, core::QuestionTypes types,
                std::vector<std::string> templateLines, QWidget* parent = nullptr);

    // The template lines with every paste made.
    const std::vector<std::string>& templateLines() const { return chooser_.templateLines(); }

    QListWidget* topicList() const { return lstTopics_; }
    QListWidget* questionList() const { return lstQuestions_; }
    QListWidget* templateList() const { return lstTemplate_; }
    QGroupBox* questionPanel() const { return gbQuestions_; }
    QPushButton* pasteButton() const { return cmdPaste_; }
    QPushButton* saveButton() const { return cmdSave_; }
    QPushButton* cancelButton() const { return cmdCancel_; }
    platform::DialogConventions& conventions() const { return *conventions_; }

public slots:
    void cmdPasteClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showTopic();
    void fillTemplate();

    const core::Texts& texts_;
    BaseChooser chooser_;
    QListWidget* lstTopics_;
    QGroupBox* gbQuestions_;
    QListWidget* lstQuestions_;
    QListWidget* lstTemplate_;
    QPushButton* cmdPaste_;
    QPushButton* cmdSave_;
    QPushButton* cmdCancel_;
    platform::DialogConventions* conventions_;
    bool filling_ = false;
};

}  // namespace lumo::authoring::ui
