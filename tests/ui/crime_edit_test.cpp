#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <memory>
#include <string>

#include "admin/crime_list.h"
#include "admin/ui/frm_crime_edit.h"
#include "admin/ui/register_commands.h"
#include "core/clock.h"
#include "core/test_home.h"
#include "core/ui/main_window.h"
#include "core/workstation.h"
#include "platform/dialog_conventions.h"
#include "ui/accessible_names.h"
#include "ui/test_window_events.h"

namespace lumo::admin::ui {
namespace {

class CrimeEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeMinimalIni(home.path(), {"Eng_MaxCrime=3", "Eng_Crime1=All_examinees", "Eng_Crime2=Theft",
                                            "Eng_Crime3=Drug_offence", "Rus_MaxCrime=2", "Rus_Crime2=Кража"});
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>());
        ws->initialise();
    }
    void open() {
        dialog = std::make_unique<TfrmCrimeEdit>(*ws);
        dialog->setConfirmFunction([this](const QString& text) {
            questions.append(text);
            return answer;
        });
        dialog->conventions().setLayoutProbe([] { return 1; });
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        QApplication::processEvents();
    }
    core::SettingsList& list() { return ws->settings().list(); }
    QPlainTextEdit* field() const { return dialog->crimeField(); }
    void typeLine(const QString& text) {
        test::typeText(field(), text);
        test::pressKey(field(), Qt::Key_Return, Qt::NoModifier, "\r");
    }

    test::TempHome home;
    std::unique_ptr<core::Workstation> ws;
    std::unique_ptr<TfrmCrimeEdit> dialog;
    QStringList questions;
    bool answer = true;
};

TEST_F(CrimeEditTest, ShowsTheEditableEntriesScaledToTheScreen) {
    open();
    EXPECT_EQ(test::unnamedControls(*dialog), "");
    EXPECT_EQ(dialog->windowTitle(), "Crime list editor");
    EXPECT_EQ(field()->toPlainText(), "Theft\nDrug offence");
    EXPECT_EQ(field()->accessibleName(), "Crime names, one a line :");
    dialog->conventions().refreshKeyboardIndicator();
    EXPECT_EQ(dialog->conventions().keyboardIndicatorText(), "C Y R");
    EXPECT_EQ(field()->palette().color(QPalette::Base), platform::DialogConventions::enteredColor());
    EXPECT_TRUE(dialog->conventions().hintPanelText().contains("stored as \"?\""));

    const QSize screen = dialog->screen()->availableGeometry().size();
    const QSize design = dialog->designSize();
    const DialogSize expected = crimeEditorSize({design.width(), design.height()}, {screen.width(), screen.height()});
    EXPECT_EQ(dialog->size(), QSize(expected.width, expected.height));
    // On the square test screen 80 % of the height is the bound.
    ASSERT_EQ(screen, QSize(800, 800));
    EXPECT_EQ(dialog->height(), 640);
    EXPECT_LE(dialog->height(), screen.height() * 8 / 10 + 1);
    EXPECT_LE(dialog->width(), screen.width());
}

TEST_F(CrimeEditTest, RussianEntriesAndTexts) {
    list().setValue("Language", "RUS");
    ws->settings().save();
    ws->settings().load();
    open();
    EXPECT_EQ(dialog->windowTitle(), "Редактор списка преступлений");
    EXPECT_EQ(field()->toPlainText(), "Кража");
    dialog->conventions().refreshKeyboardIndicator();
    EXPECT_EQ(dialog->conventions().keyboardIndicatorText(), "Р У С");
    EXPECT_EQ(test::unnamedControls(*dialog), "");
}

TEST_F(CrimeEditTest, OkStoresBlanksEmptyLinesAndNewKeys) {
    open();
    field()->clear();
    typeLine("Armed robbery");
    typeLine("");
    test::typeText(field(), "Fraud");
    EXPECT_EQ(field()->toPlainText(), "Armed robbery\n\nFraud");

    // No keeps the dialog open and the settings as they were.
    answer = false;
    dialog->okButton()->click();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(list().value("Eng_MaxCrime"), "3");
    answer = true;
    dialog->okButton()->click();
    EXPECT_EQ(questions,
              (QStringList{"Do you want to save changes and exit?", "Do you want to save changes and exit?"}));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);

    EXPECT_EQ(list().value("Eng_MaxCrime"), "4");
    EXPECT_EQ(list().value("Eng_Crime2"), "Armed_robbery");
    EXPECT_EQ(list().value("Eng_Crime3"), "Ъ");
    EXPECT_EQ(list().lines().front(), "Eng_Crime4=Fraud");
    EXPECT_EQ(list().value("Eng_Crime1"), "All_examinees");
    // The file waits for the next save.
    EXPECT_EQ(test::readFile(home / "lumo7w.ini").find("Armed"), std::string::npos);

    // Opened again, the empty line is empty again.
    open();
    EXPECT_EQ(field()->toPlainText(), "Armed robbery\n\nFraud");
}

TEST_F(CrimeEditTest, CancelAndEscAskBeforeDroppingTheChanges) {
    open();
    const auto before = list().lines();
    test::typeText(field(), "Bribery ");
    answer = false;
    test::pressKey(field(), Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    dialog->cancelButton()->click();
    EXPECT_TRUE(dialog->isVisible());
    answer = true;
    dialog->close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(questions, (QStringList{"Do you want to cancel changes and exit?",
                                      "Do you want to cancel changes and exit?",
                                      "Do you want to cancel changes and exit?"}));
    EXPECT_EQ(list().lines(), before);
}

TEST_F(CrimeEditTest, CrimesCommandOfTheMainWindow) {
    core::ui::TfrmMain main(*ws);
    QStringList errors;
    main.setErrorFunction([&](const QString&, const QString& text) { errors.append(text); });
    installCrimesCommand(main, *ws, {[&] {
                             TfrmCrimeEdit editor(*ws, &main);
                             editor.setConfirmFunction([](const QString&) { return true; });
                             editor.crimeField()->setPlainText("Theft\nSmuggling");
                             editor.okButton()->click();
                         }});
    main.runCommand(core::Command::Crimes);
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(list().value("Eng_Crime3"), "Smuggling");

    // A broken count reaches the examiner with the command's own message.
    list().setValue("Eng_MaxCrime", "x");
    installCrimesCommand(main, *ws);
    main.runCommand(core::Command::Crimes);
    EXPECT_EQ(errors, QStringList{"Not enough system resources to call crimes list\n'x' is not a valid integer value"});
}

}  // namespace
}  // namespace lumo::admin::ui
