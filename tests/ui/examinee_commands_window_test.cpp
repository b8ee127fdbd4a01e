#include <QLineEdit>
#include <QTableWidget>

#include "admin/ui/examinee_commands.h"
#include "admin/ui/frm_subj_edit.h"
#include "admin/ui/frm_subj_new.h"
#include "admin/ui/frm_subjects.h"
#include "core/ui/main_window.h"
#include "ui/examinee_windows.h"
#include "ui/test_window_events.h"

namespace lumo::admin::ui {
namespace {

// The three commands in the main window, each running its real dialog driven by keys.
class ExamineeCommandsWindowTest : public test::ExamineeWindowTest {
protected:
    void SetUp() override {
        test::ExamineeWindowTest::SetUp();
        main = std::make_unique<core::ui::TfrmMain>(*ws);
        main->setErrorFunction([this](const QString&, const QString& text) { shown.append("frame:" + text); });
        ExamineeCommandSteps steps;
        steps.warn = [this](const QString& text) { shown.append("warn:" + text); };
        steps.runChooser = [this] {
            TfrmSubjects chooser(*ws, main.get());
            chooser.setBoxes(boxes());
            chooser.show();
            for (int key : chooserKeys) test::pressKey(chooser.grid(), key);
        };
        steps.runNewExaminee = [this] {
            TfrmSubjNew dialog(*ws, main.get());
            dialog.setBoxes(boxes());
            dialog.show();
            test::typeText(dialog.nameField(), "Sidorov");
            test::pressKey(dialog.nameField(), Qt::Key_Return);
        };
        steps.runEditor = [this] {
            TfrmSubjEdit editor(*ws, main.get());
            editor.setBoxes(boxes());
            editor.show();
            editor.nameField()->setText("Petrov Pavel");
            test::pressKey(editor.nameField(), Qt::Key_Return);
        };
        installExamineeCommands(*main, *ws, steps);
        main->show();
    }

    std::unique_ptr<core::ui::TfrmMain> main;
    std::vector<int> chooserKeys{Qt::Key_Down, Qt::Key_Return};
};

TEST_F(ExamineeCommandsWindowTest, ChoosingMakesTheExamineeCurrentAndRefreshesTheCaption) {
    EXPECT_FALSE(main->state().enabled(core::Command::EditExaminee));
    main->runCommand(core::Command::ChooseExaminee);
    EXPECT_EQ(ws->records().current().record.fileCode, "#0000003");
    EXPECT_TRUE(main->windowTitle().contains("#0000003")) << main->windowTitle().toStdString();
    EXPECT_TRUE(main->windowTitle().contains("Ivanov"));
    EXPECT_TRUE(main->state().enabled(core::Command::EditExaminee));
    EXPECT_TRUE(main->state().menuEnabled(core::Menu::Results));
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(ExamineeCommandsWindowTest, DeletingTheCurrentExamineeDisablesTestAndResults) {
    ws->records().makeCurrent(ws->records().examinees().at(0));
    main->refreshStatus();
    ASSERT_TRUE(main->state().menuEnabled(core::Menu::Results));
    chooserKeys = {Qt::Key_Delete};
    main->runCommand(core::Command::ChooseExaminee);
    EXPECT_EQ(shown, QStringList{"confirm:Do you want to delete all info about the Examinee?"});
    EXPECT_FALSE(ws->records().current().isSet());
    EXPECT_FALSE(main->state().menuEnabled(core::Menu::Test));
    EXPECT_FALSE(main->state().menuEnabled(core::Menu::Results));
    EXPECT_EQ(main->windowTitle(), "LUMO (version 7.0).");
}

TEST_F(ExamineeCommandsWindowTest, ANewExamineeBecomesCurrentAndAFullRegisterDisablesTheCommand) {
    ws->settings().list().setValue("MaxSubj", "3");
    main->runCommand(core::Command::NewExaminee);
    EXPECT_EQ(ws->records().current().record.fileCode, "#0000002");
    EXPECT_TRUE(main->windowTitle().contains("Sidorov"));
    EXPECT_FALSE(main->state().enabled(core::Command::NewExaminee));
}

TEST_F(ExamineeCommandsWindowTest, EditingReadsTheRecordAgain) {
    ws->records().makeCurrent(ws->records().examinees().at(0));
    main->runCommand(core::Command::EditExaminee);
    EXPECT_EQ(ws->records().current().record.name, "Petrov Pavel");
    EXPECT_TRUE(main->windowTitle().contains("Petrov Pavel"));
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(ExamineeCommandsWindowTest, ABrokenCrimeCountEndsInTheCommandsErrorBox) {
    ws->settings().list().setValue("Eng_MaxCrime", "ten");
    main->runCommand(core::Command::ChooseExaminee);
    EXPECT_EQ(shown, QStringList{"frame:Not enough system resources to call Examinees list\n'ten' is not a valid integer value"});
}

}  // namespace
}  // namespace lumo::admin::ui
