#pragma once

#include <QDialog>
#include <functional>

#include "authoring/ui/frm_qst_new.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace lumo::core {
class Workstation;
}
namespace lumo::platform {
class DialogConventions;
}
namespace lumo::authoring {
class QuestionEditor;
class TemplateChooser;
}  // namespace lumo::authoring

namespace lumo::authoring::ui {

// The boxes of the template chooser (tests replace them).
struct ChooserPrompts {
    std::function<bool(const QString& text)> confirm;  // Yes/No
    std::function<void(const QString& text)> inform;
    std::function<void(const QString& text)> error;
};

// The template chooser: the templates with a coloured preview; OK (or a
// double click) loads the selected one into the question editor and ends
// with Accepted; Exit ends with Rejected, and so does deleting the last one.
class TfrmQstEdit : public QDialog {
    Q_OBJECT

public:
    // An empty `print` keeps Print disabled.
    TfrmQstEdit(TemplateChooser& chooser, QuestionEditor& editor, core::Workstation& workstation, PrintFunction print,
                QWidget* parent = nullptr);

    void setPrompts(ChooserPrompts prompts) { prompts_ = std::move(prompts); }

    QListWidget* templateList() const { return lstTemplates_; }
    QListWidget* preview() const { return lstPreview_; }
    QLabel* methodLabel() const { return lblMethod_; }
    QPushButton* okButton() const { return cmdOK_; }
    QPushButton* deleteButton() const { return cmdDelete_; }
    QPushButton* printButton() const { return cmdPrint_; }
    QPushButton* exitButton() const { return cmdExit_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillList();
    void showSelected();
    void cmdOKClick();
    void cmdDeleteClick();
    void cmdPrintClick();

    TemplateChooser& chooser_;
    QuestionEditor& editor_;
    core::Workstation& ws_;
    PrintFunction print_;
    ChooserPrompts prompts_;
    platform::DialogConventions* conventions_ = nullptr;
    QListWidget* lstTemplates_ = nullptr;
    QListWidget* lstPreview_ = nullptr;
    QLabel* lblMethod_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdDelete_ = nullptr;
    QPushButton* cmdPrint_ = nullptr;
    QPushButton* cmdExit_ = nullptr;
    bool filling_ = false;
};

}  // namespace lumo::authoring::ui
