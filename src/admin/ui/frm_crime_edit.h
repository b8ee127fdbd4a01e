#pragma once

#include <QDialog>
#include <functional>

#include "admin/crime_list.h"

class QPlainTextEdit;
class QPushButton;

namespace lumo::core {
class Workstation;
}
namespace lumo::platform {
class DialogConventions;
}

namespace lumo::admin::ui {

// The crime list editor: the editable crime names of the current language,
// one a line, in a multi-line field. OK and Cancel (or Esc) both ask first;
// OK replaces the entries in the settings list (not yet in the file).
class TfrmCrimeEdit : public QDialog {
    Q_OBJECT

public:
    // Yes/No question (text); the default is a message box.
    using ConfirmFunction = std::function<bool(const QString& text)>;

    // A malformed MaxCrime raises EConvertError.
    explicit TfrmCrimeEdit(core::Workstation& workstation, QWidget* parent = nullptr);

    void setConfirmFunction(ConfirmFunction confirm);

    // Widgets and state, for tests.
    QPlainTextEdit* crimeField() const { return memCrimes_; }
    QPushButton* okButton() const { return cmdOK_; }
    QPushButton* cancelButton() const { return cmdCancel_; }
    platform::DialogConventions& conventions() const { return *conventions_; }
    // The laid-out size when first shown, which the screen then scales.
    QSize designSize() const { return design_; }

public slots:
    void cmdOKClick();
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    core::Workstation& ws_;
    CrimeListEditor editor_;
    QPlainTextEdit* memCrimes_;
    QPushButton* cmdOK_;
    QPushButton* cmdCancel_;
    platform::DialogConventions* conventions_;
    QSize design_;
};

}  // namespace lumo::admin::ui
