#pragma once

#include <QDialog>
#include <filesystem>
#include <functional>

#include "authoring/question_order.h"

class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace lumo::core {
class Workstation;
}
namespace lumo::platform {
class DialogConventions;
}

namespace lumo::authoring::ui {

// The question order dialog: the four orders, the grid of their signs and
// the questions of the selected order. Set mode picks orders 2 to 4 and saves
// them; choose mode picks the order of the next test. One dialog serves the
// whole run and keeps the chosen order (in the records) between uses.
class TfrmTestOrder : public QDialog {
    Q_OBJECT

public:
    explicit TfrmTestOrder(core::Workstation& workstation, QWidget* parent = nullptr);

    // The exam the dialog is pointed at (the exam strip's selection).
    void setExamFile(const std::filesystem::path& examFile) { examFile_ = examFile; }
    const std::filesystem::path& examFile() const { return examFile_; }
    // Reads the exam for a use in `mode`; a damaged exam raises and leaves
    // the dialog as it was.
    void prepare(OrderMode mode);

    // An error box (a save that failed); a real box unless replaced.
    void setErrorFunction(std::function<void(const QString& text)> error) { error_ = std::move(error); }

    // Widgets and state, for tests.
    QListWidget* orderList() const { return lstOrders_; }
    QTableWidget* grid() const { return sgOrders_; }
    QListWidget* questionList() const { return lstQuestions_; }
    QPushButton* okButton() const { return cmdOK_; }
    QPushButton* cancelButton() const { return cmdCancel_; }
    QLabel* methodLabel() const { return lblMethod_; }
    const QuestionOrderEditor& editor() const { return editor_; }
    platform::DialogConventions& conventions() const { return *conventions_; }

public slots:
    void cmdOKClick();
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void fillGrid();
    void fillQuestions();
    void refreshControls();
    void pickSelected();
    void startPicking();
    void stopPicking();

    core::Workstation& ws_;
    QuestionOrderEditor editor_;
    std::filesystem::path examFile_;
    QLabel* lblMethod_;
    QListWidget* lstOrders_;
    QTableWidget* sgOrders_;
    QListWidget* lstQuestions_;
    QPushButton* cmdOK_;
    QPushButton* cmdCancel_;
    platform::DialogConventions* conventions_;
    std::function<void(const QString&)> error_;
    bool filling_ = false;
};

}  // namespace lumo::authoring::ui
