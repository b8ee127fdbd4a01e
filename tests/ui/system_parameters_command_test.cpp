#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <memory>
#include <string>

#include "admin/ui/frm_system_file.h"
#include "admin/ui/system_parameters_command.h"
#include "core/clock.h"
#include "core/file_size_limit.h"
#include "core/settings_list.h"
#include "core/test_home.h"
#include "core/texts/core.h"
#include "core/ui/main_window.h"
#include "core/workstation.h"
#include "ui/test_window_events.h"

namespace lumo::admin::ui {
namespace {

// The main window with the command plugged in; the dialog step drives a real
// TfrmSystemFile through `examiner` and answers as the keys it presses do.
class SystemParametersCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::installSettings(home.path());
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>());
        ws->initialise();
        main = std::make_unique<core::ui::TfrmMain>(*ws);
        main->setErrorFunction([this](const QString&, const QString& text) { errors.append(text); });
        SystemParametersCommandSteps steps;
        steps.runDialog = [this](core::SettingsList& copy) {
            ++dialogRuns;
            TfrmSystemFile dialog(*ws, copy, main.get());
            dialog.show();
            QApplication::processEvents();
            if (examiner) examiner(dialog);
            return dialog.result() == QDialog::Accepted;
        };
        installSystemParametersCommand(*main, *ws, steps);
        main->show();
        fileBefore = test::readFile(ws->settings().fileName());
    }

    static void choose(QComboBox* list, const QString& entry) { list->setCurrentIndex(list->findText(entry)); }

    test::TempHome home;
    std::unique_ptr<core::Workstation> ws;
    std::unique_ptr<core::ui::TfrmMain> main;
    std::function<void(TfrmSystemFile&)> examiner;
    QStringList errors;
    int dialogRuns = 0;
    std::string fileBefore;
};

TEST_F(SystemParametersCommandTest, OkWithRussianTurnsTheRunningWorkstationRussian) {
    EXPECT_EQ(main->menuAction(core::Menu::Examinee)->text(), "&Examinee");
    examiner = [](TfrmSystemFile& dialog) {
        choose(dialog.languageList(), "РУС");
        choose(dialog.colorList(0), "Teal");
        test::pressKey(&dialog, Qt::Key_Return);
    };
    main->runCommand(core::Command::SystemParameters);
    EXPECT_EQ(dialogRuns, 1);
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
    // Menus, items and tool-bar tabs speak Russian at once.
    EXPECT_NE(main->menuAction(core::Menu::Examinee)->text(), "&Examinee");
    EXPECT_EQ(main->menuAction(core::Menu::Examinee)->text().toStdString(),
              std::string(ws->strings().text(txt::MainMenuExaminee, core::Language::Russian)));
    EXPECT_EQ(main->commandAction(core::Command::SystemParameters)->text().toStdString(),
              std::string(ws->strings().text(txt::MainSystemParameters, core::Language::Russian)));
    EXPECT_EQ(main->windowTitle(), "ЛУМО (версия 7.0).");
    EXPECT_EQ(ws->settings().prefix(), "Rus_");

    // The file holds the new values; the list was reloaded from it.
    core::Settings reread(home.path());
    reread.load();
    EXPECT_EQ(reread.list().value("Language"), "RUS");
    EXPECT_EQ(reread.list().value("ChColor1"), "Teal");  // channel 1 has the first row
    EXPECT_EQ(ws->settings().list().lines(), reread.list().lines());
}

TEST_F(SystemParametersCommandTest, CancelLeavesTheFileByteIdenticalAndTheListUntouched) {
    const auto linesBefore = ws->settings().list().lines();
    examiner = [](TfrmSystemFile& dialog) {
        choose(dialog.colorList(0), "Maroon");
        choose(dialog.backgroundList(), "White");
        choose(dialog.languageList(), "РУС");
        dialog.bandField(3)->setValue(60);
        test::pressKey(&dialog, Qt::Key_Escape);
    };
    main->runCommand(core::Command::SystemParameters);
    EXPECT_EQ(dialogRuns, 1);
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(test::readFile(ws->settings().fileName()), fileBefore);
    EXPECT_EQ(ws->settings().list().lines(), linesBefore);
    EXPECT_EQ(main->menuAction(core::Menu::Examinee)->text(), "&Examinee");
}

TEST_F(SystemParametersCommandTest, AKeyThatIsNoIntegerIsReportedWithTheCommandsMessage) {
    ws->settings().list().setValue("ChSeq2", "");  // missing
    const auto linesBefore = ws->settings().list().lines();
    main->runCommand(core::Command::SystemParameters);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0],
              "It is impossible to call System customizer because of system resources lack\n"
              "You may try to close some applications and choose this menu item again\n"
              "'' is not a valid integer value");
    EXPECT_EQ(ws->settings().list().lines(), linesBefore);
    EXPECT_EQ(test::readFile(ws->settings().fileName()), fileBefore);
}

TEST_F(SystemParametersCommandTest, AFullDiskKeepsTheOldFileAndShowsTheError) {
    const auto linesBefore = ws->settings().list().lines();
    examiner = [](TfrmSystemFile& dialog) {
        choose(dialog.languageList(), "РУС");
        dialog.okButton()->click();
    };
    {
        const test::FileSizeLimit limit(512);
        main->runCommand(core::Command::SystemParameters);
    }

    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith("It is impossible to call System customizer")) << errors[0].toStdString();
    EXPECT_TRUE(errors[0].contains("lumo7w.ini")) << errors[0].toStdString();
    EXPECT_EQ(test::readFile(ws->settings().fileName()), fileBefore);
    EXPECT_EQ(ws->settings().list().lines(), linesBefore);
    EXPECT_EQ(main->menuAction(core::Menu::Examinee)->text(), "&Examinee");
}

}  // namespace
}  // namespace lumo::admin::ui
