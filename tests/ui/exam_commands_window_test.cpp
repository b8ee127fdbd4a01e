#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>

#include "authoring/exam_fixture.h"
#include "authoring/ui/exam_commands.h"
#include "authoring/ui/frm_qst_list.h"
#include "authoring/ui/frm_test_order.h"
#include "core/question_set.h"
#include "core/ui/main_window.h"
#include "recording/ui/test_command.h"
#include "ui/test_window_events.h"

namespace lumo::authoring::ui {
namespace {

namespace fs = std::filesystem;
using core::Command;

// The exam commands in the main window; the dialogs they open are driven by
// the keys each test queues for them.
class ExamCommandsWindowTest : public test::ExamHomeTest {
protected:
    void install(int exams, bool withEditor = true) {
        start(exams);
        main = std::make_unique<core::ui::TfrmMain>(*ws);
        main->setErrorFunction([this](const QString&, const QString& text) { shown.append("frame:" + text); });
        ExamCommandSteps steps;
        if (withEditor) {
            steps.editExam = [this](QWidget*, const fs::path& file, bool structure) {
                shown.append(QString("edit:%1%2").arg(QString::fromStdString(file.filename().string()),
                                                      structure ? " structure" : ""));
                return editorSaves;
            };
        }
        steps.runTest = [this](const recording::TestRunSetup& setup) { runs.push_back(setup); };
        steps.execDialog = [this](QDialog& dialog) {
            dialog.show();
            QApplication::setActiveWindow(&dialog);
            QWidget* target = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : &dialog;
            if (auto* order = qobject_cast<TfrmTestOrder*>(&dialog)) target = order->orderList();
            if (auto* list = qobject_cast<TfrmQstList*>(&dialog)) target = list->list();
            if (drive) {
                drive(dialog);
            } else {
                for (int key : keys) test::pressKey(target, key);
            }
            const int result = dialog.isVisible() ? (dialog.reject(), dialog.result()) : dialog.result();
            return result;
        };
        steps.askText = [this](const QString& title, const QString& prompt, const QString& proposal) {
            shown.append("ask:" + title + "|" + prompt + "|" + proposal);
            return std::optional<QString>("converted");
        };
        steps.confirm = [this](const QString& text) {
            shown.append("confirm:" + text);
            return true;
        };
        steps.warn = [this](const QString& text) { shown.append("warn:" + text); };
        steps.inform = [this](const QString& text) { shown.append("inform:" + text); };
        steps.error = [this](const QString& text) { shown.append("error:" + text); };
        order = &installExamCommands(*main, *ws, steps);
        recording::ui::TestCommandSteps examine;
        examine.warn = [this](const QString& text) { shown.append("warn:" + text); };
        examine.runTest = [this](const recording::TestRunSetup& setup) { runs.push_back(setup); };
        recording::ui::installTestCommand(*main, *ws, examine);
        main->show();
        main->refreshStatus();
    }

    std::unique_ptr<core::ui::TfrmMain> main;
    TfrmTestOrder* order = nullptr;
    QStringList shown;
    std::vector<recording::TestRunSetup> runs;
    std::vector<int> keys;
    std::function<void(QDialog&)> drive;  // instead of the keys
    bool editorSaves = true;
};

TEST_F(ExamCommandsWindowTest, PrepareToExamCancelledLeavesNoFileAndSavedSelectsTheNewTab) {
    install(2);
    main->state().selectTemplate(0);  // ALPHA
    editorSaves = false;
    const std::vector<std::string> before = folderFiles();
    main->runCommand(Command::PrepareExam);
    EXPECT_EQ(shown, QStringList{"edit:exam_03.qs_ structure"});
    EXPECT_EQ(folderFiles(), before);
    EXPECT_EQ(main->stripBar(core::Strip::Exams)->count(), 2);

    editorSaves = true;
    main->runCommand(Command::PrepareExam);
    EXPECT_EQ(core::TQstTest(folder() / "exam_03.qs_", 7).examMark, "ALPHA");
    EXPECT_EQ(ws->records().current().examNumber, 3);
    EXPECT_EQ(main->stripBar(core::Strip::Exams)->currentIndex(), 2);
    EXPECT_EQ(order->examFile().filename(), "exam_03.qs_");
}

TEST_F(ExamCommandsWindowTest, WithoutTheExamEditorItsCommandsStayDisabled) {
    install(1, false);
    EXPECT_FALSE(main->state().enabled(Command::PrepareExam));
    EXPECT_FALSE(main->state().enabled(Command::EditExam));
    EXPECT_TRUE(main->state().enabled(Command::EditOrder));
    EXPECT_TRUE(main->state().enabled(Command::Test));
}

TEST_F(ExamCommandsWindowTest, TheOrderChosenReachesEveryTestUntilAnotherExamIsPicked) {
    install(2);
    main->state().selectExam(1);
    keys = {Qt::Key_Down, Qt::Key_Down, Qt::Key_Return};  // order 3, Choose
    main->runCommand(Command::ChooseOrder);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].sequence, 3);
    EXPECT_EQ(runs[0].examFile.filename(), "exam_02.qs_");
    EXPECT_EQ(runs[0].chart, 1);

    main->runCommand(Command::RunExam);  // sbTestExams
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].sequence, 3);

    main->stripBar(core::Strip::Exams)->setCurrentIndex(0);
    EXPECT_EQ(ws->records().current().examNumber, 1);
    EXPECT_EQ(ws->records().chosenOrder(), 1);
    EXPECT_EQ(order->examFile().filename(), "exam_01.qs_");
    main->runCommand(Command::RunExam);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[2].sequence, 1);
    EXPECT_TRUE(shown.isEmpty()) << shown.join(";").toStdString();
}

TEST_F(ExamCommandsWindowTest, TheTestMenuRunsTheChosenExamAndTheChooserCanChooseTheOrder) {
    install(2);
    keys = {Qt::Key_Down, Qt::Key_Return};  // EXAM_02, Test
    main->runCommand(Command::Test);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].examFile.filename(), "exam_02.qs_");
    EXPECT_EQ(runs[0].sequence, 1);
    EXPECT_EQ(ws->records().current().examNumber, 2);

    // Exit forgets the remembered position; the chooser then starts on the first entry.
    keys = {Qt::Key_Escape};
    main->runCommand(Command::Test);
    keys = {Qt::Key_Return};
    main->runCommand(Command::Test);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].examFile.filename(), "exam_01.qs_");
}

TEST_F(ExamCommandsWindowTest, SetOrderSavesTheOrderOfTheSelectedExam) {
    install(1);
    drive = [this](QDialog&) {
        EXPECT_EQ(order->okButton()->text(), "Save");
        test::pressKey(order->orderList(), Qt::Key_Down);  // order 2
        order->questionList()->setFocus();                 // picking starts
        for (int k = 0; k < 4; ++k) {
            test::pressKey(order->questionList(), Qt::Key_End);
            test::pressKey(order->questionList(), Qt::Key_Return);
        }
        test::pressKey(order->orderList(), Qt::Key_Return);  // Save
    };
    main->runCommand(Command::EditOrder);
    const core::TQstTest saved(folder() / "exam_01.qs_", 7);
    EXPECT_EQ(saved.question(1).order(2), 4);
    EXPECT_EQ(saved.question(4).order(2), 1);
    EXPECT_EQ(saved.question(4).order(3), 4);
    EXPECT_TRUE(shown.isEmpty()) << shown.join(";").toStdString();
}

TEST_F(ExamCommandsWindowTest, DeleteAndConvertActOnTheSelectedExam) {
    install(3);
    addCharts(3, 2);
    main->state().selectExam(2);
    main->refreshStatus();
    const QString caption = main->windowTitle();
    main->runCommand(Command::ConvertToTemplate);
    EXPECT_EQ(shown.join(";").toStdString(), ("ask:" + caption + "|Name new template :|exam_03").toStdString());
    EXPECT_TRUE(fs::exists(home / "QST" / "converted.QS3"));
    EXPECT_EQ(main->stripBar(core::Strip::Templates)->count(), 3);

    shown.clear();
    main->runCommand(Command::DeleteExam);
    EXPECT_EQ(shown, QStringList{"confirm:Do you want to delete ALL data concerned with the exam?"});
    EXPECT_EQ(folderFiles(), (std::vector<std::string>{"exam_01.qs_", "exam_02.qs_", "subject.dat"}));
    EXPECT_EQ(main->stripBar(core::Strip::Exams)->count(), 2);
    main->state().selectTemplate(0);
    main->runCommand(Command::PrepareExam);
    EXPECT_TRUE(fs::exists(folder() / "exam_03.qs_"));
}

TEST_F(ExamCommandsWindowTest, NineChartsWarnWhenTheTestMenuChoosesTheExam) {
    install(1);
    addCharts(1, 8);
    test::writeFile(folder() / "exam_01.ch9", std::string(10, '\0'));  // a stub the strip does not list
    test::writeResultsTable(folder() / "exam_01.qt9", "07-03-2001", "10:00:00", 3, 15, 120);
    ws->records().reloadExams();
    main->refreshStatus();
    keys = {Qt::Key_Return};
    main->runCommand(Command::Test);  // Test is disabled in the chooser for nine charts
    EXPECT_TRUE(runs.empty());
    main->runCommand(Command::RunExam);
    EXPECT_EQ(shown, QStringList{"warn:No more charts allowed to deal with the exam"});
}

}  // namespace
}  // namespace lumo::authoring::ui
