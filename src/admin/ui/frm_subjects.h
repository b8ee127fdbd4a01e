#pragma once

#include <QDialog>

#include "admin/examinee_chooser.h"
#include "admin/ui/examinee_dialogs.h"

class QListWidget;
class QPushButton;
class QTableWidget;

namespace lumo::core {
class Workstation;
}
namespace lumo::platform {
class DialogConventions;
}

namespace lumo::admin::ui {

// The examinee chooser: the register as a grid sorted by any column, a crime
// filter, Choose (button, Enter, double click) and Delete (button, Del).
// ExamineeChooser holds the rules; this draws it and forwards every event.
class TfrmSubjects : public QDialog {
    Q_OBJECT

public:
    explicit TfrmSubjects(core::Workstation& workstation, QWidget* parent = nullptr);

    // With nobody registered: the information and Rejected, without showing.
    // An error raised while the chooser ran is raised here.
    int exec() override;
    void done(int result) override;
    void setBoxes(DialogBoxes boxes) { boxes_ = std::move(boxes); }

    ExamineeChooser& chooser() { return chooser_; }

    // Widgets, for tests.
    QTableWidget* grid() const { return sgSubjects_; }
    QListWidget* crimeList() const { return lstCrimes_; }
    QPushButton* chooseButton() const { return cmdChoose_; }
    QPushButton* deleteButton() const { return cmdDelete_; }
    QPushButton* cancelButton() const { return cmdCancel_; }
    QString hintPanelText() const;

public slots:
    void cmdChooseClick();
    void cmdDeleteClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void sortBy(int column);
    void fillGrid();
    void showFilter();
    void showSelection();
    void fillCrimes();

    core::Workstation& ws_;
    ExamineeChooser chooser_;
    DialogBoxes boxes_;
    PendingError pending_;
    bool finished_ = false;
    QTableWidget* sgSubjects_;
    QListWidget* lstCrimes_;
    QPushButton* cmdChoose_;
    QPushButton* cmdDelete_;
    QPushButton* cmdCancel_;
    platform::DialogConventions* conventions_;
};

}  // namespace lumo::admin::ui
