#pragma once

#include <QDialog>
#include <filesystem>

#include "authoring/ui/frm_qst_new.h"

class QComboBox;
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
class ExamEditor;
}

namespace lumo::authoring::ui {

class QuestionGrid;

// The exam editor: method, mark and the question rows of one exam, with the
// row rules of the question editor. It ends with Accepted after saving.
class TfrmExamEdit : public QDialog {
    Q_OBJECT

public:
    // An empty `print` keeps Print disabled.
    TfrmExamEdit(ExamEditor& editor, core::Workstation& workstation, PrintFunction print, QWidget* parent = nullptr);

    void setPrompts(EditorPrompts prompts);

    QuestionGrid* grid() const { return sgQuestions_; }
    QComboBox* methodList() const { return cbMethod_; }
    QLabel* formatLabel() const { return lblFormat_; }
    QLabel* examineePanel() const { return pnlExaminee_; }
    QLabel* examinerPanel() const { return pnlExaminer_; }
    QLineEdit* markField() const { return ledMark_; }
    QPushButton* saveButton() const { return cmdSave_; }
    QPushButton* printButton() const { return cmdPrint_; }
    QPushButton* cancelButton() const { return cmdCancel_; }
    QPushButton* insertButton() const { return cmdInsert_; }
    QPushButton* deleteButton() const { return cmdDelete_; }
    platform::DialogConventions& conventions() { return *conventions_; }

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void cmdSaveClick();
    void cmdPrintClick();
    void refreshButtons();

    ExamEditor& editor_;
    core::Workstation& ws_;
    PrintFunction print_;
    EditorPrompts prompts_;
    platform::DialogConventions* conventions_ = nullptr;
    QuestionGrid* sgQuestions_ = nullptr;
    QComboBox* cbMethod_ = nullptr;
    QLabel* lblFormat_ = nullptr;
    QLabel* pnlExaminee_ = nullptr;
    QLabel* pnlExaminer_ = nullptr;
    QLineEdit* ledMark_ = nullptr;
    QPushButton* cmdSave_ = nullptr;
    QPushButton* cmdPrint_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    QPushButton* cmdInsert_ = nullptr;
    QPushButton* cmdDelete_ = nullptr;
    bool shown_ = false;
};

struct ExamEditorHooks {
    PrintFunction print;  // empty: Print stays disabled
};

// Runs the exam editor on the exam file; true when it saved. A damaged exam
// raises the reader's error before anything is shown.
bool editExam(QWidget* parent, core::Workstation& workstation, const std::filesystem::path& examFile,
              bool structureMode, ExamEditorHooks hooks);

}  // namespace lumo::authoring::ui
