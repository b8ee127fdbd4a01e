#pragma once

#include <QDialog>
#include <functional>

#include "admin/operator_editor.h"

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace lumo::core {
class Workstation;
}
namespace lumo::platform {
class DialogConventions;
}

namespace lumo::admin::ui {

// The operator dialog: the grid of operators (name, date, note) with the name
// and note fields of the selected one. Edits go to the shared operator list
// at once; OK writes userlist.dat, Cancel (or Esc) reads it back.
class TfrmUsers : public QDialog {
    Q_OBJECT

public:
    // Message boxes: a warning, an OK/Cancel question and an error (text).
    struct Prompts {
        std::function<void(const QString& text)> warn;
        std::function<bool(const QString& text)> confirm;
        std::function<void(const QString& text)> error;
    };

    // MaxUser must be an integer (EConvertError otherwise).
    explicit TfrmUsers(core::Workstation& workstation, QWidget* parent = nullptr);
    ~TfrmUsers() override;

    void setPrompts(Prompts prompts);

    // Widgets and state, for tests.
    QTableWidget* grid() const { return sgUsers_; }
    QLineEdit* nameField() const { return ledName_; }
    QLineEdit* noteField() const { return ledNote_; }
    QPushButton* addButton() const { return cmdAdd_; }
    QPushButton* deleteButton() const { return cmdDelete_; }
    QPushButton* okButton() const { return cmdOK_; }
    QPushButton* cancelButton() const { return cmdCancel_; }
    platform::DialogConventions& conventions() const { return *conventions_; }
    OperatorEditor& editor() { return editor_; }

public slots:
    void cmdAddClick();
    void cmdDeleteClick();
    void cmdOKClick();
    void reject() override;
    void done(int result) override;

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillGrid();
    void showSelected();
    void refreshRow(int row);
    void refreshButtons();
    void ledNameChange(const QString& text);
    void ledNoteChange(const QString& text);
    void focusChanged(QWidget* old, QWidget* now);
    void sizeColumns();

    core::Workstation& ws_;
    OperatorEditor editor_;
    QTableWidget* sgUsers_;
    QLineEdit* ledName_;
    QLineEdit* ledNote_;
    QPushButton* cmdAdd_;
    QPushButton* cmdDelete_;
    QPushButton* cmdOK_;
    QPushButton* cmdCancel_;
    platform::DialogConventions* conventions_;
    bool filling_ = false;
};

}  // namespace lumo::admin::ui
