#pragma once

#include <QDialog>

#include "admin/examinee_form.h"
#include "admin/ui/examinee_dialogs.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace lumo::core {
class Workstation;
}
namespace lumo::platform {
class DialogConventions;
}

namespace lumo::admin::ui {

// The fields of one examinee record, shared by the new-examinee dialog and
// the examinee editor: the code, the date, the name, the examiner, the crime,
// the issue and the note (and the archive box in the editor). ExamineeForm
// holds the rules; this draws it and forwards every change.
class ExamineeFormDialog : public QDialog {
    Q_OBJECT

public:
    ExamineeFormDialog(core::Workstation& workstation, ExamineeForm::Mode mode, QWidget* parent);

    // A refused dialog (the register full, no examinee current) warns and
    // returns Rejected without showing; an error raised while it ran is raised here.
    int exec() override;
    void setBoxes(DialogBoxes boxes) { boxes_ = std::move(boxes); }

    ExamineeForm& form() { return form_; }
    platform::DialogConventions& conventions() { return *conventions_; }

    // Widgets, for tests.
    QComboBox* codeList() const { return cbCode_; }
    QLineEdit* nameField() const { return ledName_; }
    QComboBox* examinerList() const { return cbExaminer_; }
    QComboBox* crimeList() const { return cbCrime_; }
    QComboBox* issueList() const { return cbIssue_; }
    QLineEdit* noteField() const { return ledNote_; }
    QCheckBox* archivedBox() const { return chkArchived_; }
    QPushButton* okButton() const { return cmdOK_; }
    QPushButton* cancelButton() const { return cmdCancel_; }
    QString hintPanelText() const;

public slots:
    void cmdOKClick();
    // Esc and the window's close button: the new-examinee dialog asks first.
    void reject() override;

private:
    void showCodePageWarning();

    core::Workstation& ws_;
    ExamineeForm form_;
    DialogBoxes boxes_;
    PendingError pending_;
    platform::DialogConventions* conventions_;
    QComboBox* cbCode_ = nullptr;
    QLineEdit* ledName_;
    QComboBox* cbExaminer_;
    QComboBox* cbCrime_;
    QComboBox* cbIssue_;
    QLineEdit* ledNote_;
    QCheckBox* chkArchived_ = nullptr;
    QPushButton* cmdOK_;
    QPushButton* cmdCancel_;
};

}  // namespace lumo::admin::ui
