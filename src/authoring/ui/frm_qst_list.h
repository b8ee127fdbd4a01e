#pragma once

#include <QDialog>
#include <QString>
#include <filesystem>
#include <functional>
#include <optional>

#include "authoring/exam_chooser.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace lumo::core {
class Workstation;
}
namespace lumo::platform {
class DialogConventions;
}

namespace lumo::authoring::ui {

// What the exam chooser opens; the exam commands give the real windows,
// tests their own. Empty message boxes are the real ones.
struct QstListSteps {
    // The exam editor (parent, exam file, structure mode): true when saved.
    // Empty: Create exam by template and Edit exam stay disabled.
    std::function<bool(QWidget* parent, const std::filesystem::path& examFile, bool structureMode)> editExam;
    std::function<void(const std::filesystem::path& examFile)> setOrders;
    std::function<bool(const std::filesystem::path& examFile)> chooseOrder;
    std::function<void(const recording::TestRunSetup& setup)> runTest;
    // An input box (title, prompt, proposal); nothing when cancelled.
    std::function<std::optional<QString>(const QString& title, const QString& prompt, const QString& proposal)> askText;
    std::function<bool(const QString& text)> confirm;
    std::function<void(const QString& text)> warn;
    std::function<void(const QString& text)> inform;
    std::function<void(const QString& text)> error;
};

// The exam chooser: the current examinee's exams (red, with their chart
// counts) and the templates, a coloured preview of the selected one and the
// commands on it. Test ends it with OK and the exam to test; Exit with Cancel.
class TfrmQstList : public QDialog {
    Q_OBJECT

public:
    TfrmQstList(core::Workstation& workstation, int& rememberedPosition, QstListSteps steps,
                QWidget* parent = nullptr);

    // Lists the entries; false, after the warning, when there are none (the
    // chooser is then not shown).
    bool fill();
    // The exam Test chose (0 before).
    int chosenExam() const { return chosenExam_; }

    // Widgets, for tests.
    QListWidget* list() const { return lstExams_; }
    QListWidget* preview() const { return lstPreview_; }
    QLabel* methodLabel() const { return lblMethod_; }
    QPushButton* setButton() const { return cmdSet_; }
    QPushButton* chooseButton() const { return cmdChoose_; }
    QPushButton* editButton() const { return cmdEdit_; }
    QPushButton* deleteButton() const { return cmdDelete_; }
    QPushButton* testButton() const { return cmdTest_; }
    QPushButton* createButton() const { return cmdCreate_; }
    QPushButton* toTemplateButton() const { return cmdToTemplate_; }
    QPushButton* exitButton() const { return cmdExit_; }
    const ExamChooser& chooser() const { return *chooser_; }
    platform::DialogConventions& conventions() const { return *conventions_; }

public slots:
    void cmdSetClick();
    void cmdChooseClick();
    void cmdEditClick();
    void cmdDeleteClick();
    void cmdTestClick();
    void cmdCreateClick();
    void cmdToTemplateClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillList();
    void showSelected();
    void refreshButtons();
    // Runs a command of the chooser; an error it raises goes to the error box.
    void guarded(const std::function<void()>& command);

    core::Workstation& ws_;
    QstListSteps steps_;
    std::unique_ptr<ExamChooser> chooser_;
    QListWidget* lstExams_;
    QListWidget* lstPreview_;
    QLabel* lblMethod_;
    QPushButton* cmdSet_;
    QPushButton* cmdChoose_;
    QPushButton* cmdEdit_;
    QPushButton* cmdDelete_;
    QPushButton* cmdTest_;
    QPushButton* cmdCreate_;
    QPushButton* cmdToTemplate_;
    QPushButton* cmdExit_;
    platform::DialogConventions* conventions_;
    int chosenExam_ = 0;
    bool filling_ = false;
};

}  // namespace lumo::authoring::ui
