#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <memory>
#include <string>
#include <vector>

#include "admin/ui/frm_users.h"
#include "admin/ui/register_commands.h"
#include "core/clock.h"
#include "core/file_size_limit.h"
#include "core/operators.h"
#include "core/test_home.h"
#include "core/ui/main_window.h"
#include "core/workstation.h"
#include "platform/dialog_conventions.h"
#include "ui/accessible_names.h"
#include "ui/test_window_events.h"

namespace lumo::admin::ui {
namespace {

using Users = std::vector<core::TUser>;

core::TUser user(const std::string& name, const std::string& note = "") {
    return {"12345678", name, "-", "01-01-2000", note};
}

class UsersDialogTest : public ::testing::Test {
protected:
    void start(const Users& users, int maxUser = 20, const std::string& language = "ENG") {
        test::installSettings(home.path());
        test::writeFile(home / "userlist.dat", core::OperatorList::encode(users));
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>());
        ws->initialise();
        ws->settings().list().setValue("MaxUser", std::to_string(maxUser));
        ws->settings().list().setValue("Language", language);
        dialog = std::make_unique<TfrmUsers>(*ws);
        dialog->setPrompts({[this](const QString& text) { boxes.append("warn:" + text); },
                            [this](const QString& text) {
                                boxes.append("confirm:" + text);
                                return answer;
                            },
                            [this](const QString& text) { boxes.append("error:" + text); }});
        dialog->conventions().setLayoutProbe([] { return 0; });
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        QApplication::processEvents();
    }
    const Users& users() const { return ws->records().operators().users(); }
    Users onDisk() const { return core::OperatorList::decode(test::readFile(home / "userlist.dat")); }
    QString cell(int row, int column) const { return dialog->grid()->item(row, column)->text(); }
    void focus(QWidget* widget) {
        widget->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    }
    void retype(const QString& text) {
        focus(dialog->nameField());
        dialog->nameField()->selectAll();
        test::pressKey(dialog->nameField(), Qt::Key_Backspace);
        test::typeText(dialog->nameField(), text);
    }

    test::TempHome home;
    std::unique_ptr<core::Workstation> ws;
    std::unique_ptr<TfrmUsers> dialog;
    QStringList boxes;
    bool answer = true;
};

TEST_F(UsersDialogTest, ShowsTheOperatorsWithNamedControls) {
    start({user("Operator 1", "Chief"), user("Petrov")});
    EXPECT_EQ(test::unnamedControls(*dialog), "");
    EXPECT_EQ(dialog->windowTitle(), "Examiners List Browser");
    QTableWidget* grid = dialog->grid();
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "Examiner Name");
    EXPECT_EQ(grid->horizontalHeaderItem(2)->text(), "Note");
    EXPECT_EQ(cell(0, 0), "Operator 1");
    EXPECT_EQ(cell(0, 1), "01-01-2000");
    EXPECT_EQ(cell(0, 2), "Chief");
    EXPECT_EQ(grid->accessibleName(), "Examiners List :");
    EXPECT_EQ(dialog->nameField()->accessibleName(), "Examiner Name :");
    EXPECT_EQ(dialog->nameField()->text(), "Operator 1");
    EXPECT_EQ(dialog->noteField()->text(), "Chief");
    // Two fifths, one fifth, two fifths.
    const int width = grid->viewport()->width();
    EXPECT_NEAR(grid->columnWidth(0), width * 2 / 5, 1);
    EXPECT_NEAR(grid->columnWidth(1), width / 5, 1);
    EXPECT_TRUE(dialog->okButton()->isDefault());
    dialog->conventions().refreshKeyboardIndicator();
    EXPECT_EQ(dialog->conventions().keyboardIndicatorText(), "L A T");

    focus(dialog->nameField());
    EXPECT_EQ(dialog->conventions().hintPanelText(),
              "Type Examiner new name. At most 20 characters; characters the Cyrillic code page (Windows-1251) "
              "cannot hold are stored as \"?\"");
    EXPECT_EQ(dialog->nameField()->palette().color(QPalette::Base), platform::DialogConventions::enteredColor());

    grid->setCurrentCell(1, 0);
    EXPECT_EQ(dialog->nameField()->text(), "Petrov");
    EXPECT_EQ(dialog->noteField()->text(), "");
    EXPECT_EQ(users()[1].date, "01-01-2000");
}

TEST_F(UsersDialogTest, RussianTexts) {
    start({user("Operator 1")}, 20, "RUS");
    EXPECT_EQ(dialog->windowTitle(), "Просмотр списка операторов");
    EXPECT_EQ(dialog->addButton()->text(), "&Добавить");
    EXPECT_EQ(dialog->grid()->horizontalHeaderItem(0)->text(), "Имя оператора");
    EXPECT_EQ(test::unnamedControls(*dialog), "");
}

TEST_F(UsersDialogTest, AddAndDeleteFollowMaxUserAndTheLastOperator) {
    start({user("Operator 1"), user("Petrov"), user("Sidorov")}, 3);
    EXPECT_FALSE(dialog->addButton()->isEnabled());
    EXPECT_TRUE(dialog->deleteButton()->isEnabled());

    // Cancel in the confirmation keeps the operator.
    dialog->grid()->setCurrentCell(1, 0);
    answer = false;
    test::pressKey(dialog->grid(), Qt::Key_Delete);
    EXPECT_EQ(dialog->grid()->rowCount(), 3);
    answer = true;
    dialog->deleteButton()->click();
    EXPECT_EQ(boxes, (QStringList{"confirm:Delete Examiner data?", "confirm:Delete Examiner data?"}));
    ASSERT_EQ(dialog->grid()->rowCount(), 2);
    EXPECT_EQ(cell(1, 0), "Sidorov");
    EXPECT_EQ(dialog->grid()->currentRow(), 1);
    EXPECT_EQ(dialog->nameField()->text(), "Sidorov");
    EXPECT_TRUE(dialog->addButton()->isEnabled());

    dialog->addButton()->click();
    ASSERT_EQ(dialog->grid()->rowCount(), 3);
    EXPECT_EQ(dialog->grid()->currentRow(), 2);
    EXPECT_EQ(dialog->nameField()->text(), "");
    EXPECT_EQ(cell(2, 1), "07-03-2001");
    EXPECT_FALSE(dialog->addButton()->isEnabled());
    EXPECT_EQ(users()[2].status, "-");

    // Down to one operator, Delete is off and the Del key does nothing.
    dialog->deleteButton()->click();
    dialog->deleteButton()->click();
    EXPECT_EQ(dialog->grid()->rowCount(), 1);
    EXPECT_FALSE(dialog->deleteButton()->isEnabled());
    boxes.clear();
    test::pressKey(dialog->grid(), Qt::Key_Delete);
    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_EQ(users().size(), 1u);
}

TEST_F(UsersDialogTest, TypingRenamesAtOnceUpToTwentyCharacters) {
    start({user("Operator 1"), user("Petrov")});
    dialog->grid()->setCurrentCell(1, 0);
    retype("Ivanova Anna Petrovna");  // 21 characters
    EXPECT_EQ(dialog->nameField()->text(), "Ivanova Anna Petrovn");
    EXPECT_EQ(users()[1].name, "Ivanova Anna Petrovn");
    EXPECT_EQ(cell(1, 0), "Ivanova Anna Petrovn");
    EXPECT_EQ(cell(1, 1), "07-03-2001");
    // Twenty Cyrillic characters fit although they take more bytes.
    retype("Иванова Анна Петровн");
    test::typeText(dialog->nameField(), "а");
    EXPECT_EQ(dialog->nameField()->text(), "Иванова Анна Петровн");

    focus(dialog->noteField());
    test::typeText(dialog->noteField(), "Night shift");
    EXPECT_EQ(cell(1, 2), "Night shift");
    EXPECT_TRUE(boxes.isEmpty());
}

TEST_F(UsersDialogTest, RenameAndCancelRestoresTheFile) {
    start({user("Operator 1"), user("Petrov")});
    const std::string before = test::readFile(home / "userlist.dat");
    retype("Somebody else");
    dialog->addButton()->click();
    EXPECT_EQ(users().size(), 3u);
    test::pressKey(dialog->grid(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(users(), (Users{user("Operator 1"), user("Petrov")}));
    EXPECT_EQ(test::readFile(home / "userlist.dat"), before);
    EXPECT_EQ(ws->settings().list().value("NUser"), "2");
}

TEST_F(UsersDialogTest, DuplicateNamesWarnOnLeavingAndStopOk) {
    start({user("Operator 1"), user("Petrov")});
    const std::string before = test::readFile(home / "userlist.dat");
    dialog->grid()->setCurrentCell(1, 0);
    retype("Operator 1");
    focus(dialog->noteField());
    EXPECT_EQ(boxes, QStringList{"warn:Examiner name is not unique"});
    EXPECT_EQ(QApplication::focusWidget(), dialog->nameField());

    // Cancel is no reason to warn.
    boxes.clear();
    focus(dialog->cancelButton());
    EXPECT_TRUE(boxes.isEmpty());

    // Enter in the name field is OK.
    focus(dialog->nameField());
    test::pressKey(dialog->nameField(), Qt::Key_Return);
    EXPECT_EQ(boxes, QStringList{"warn:Examiner name is not unique"});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(test::readFile(home / "userlist.dat"), before);
}

TEST_F(UsersDialogTest, AnAddedOperatorLeftUnnamedStopsOk) {
    start({user("Operator 1"), user("Petrov")});
    dialog->addButton()->click();
    dialog->grid()->setCurrentCell(0, 0);
    dialog->okButton()->click();
    EXPECT_EQ(boxes, QStringList{"warn:Examiner name is empty"});
    EXPECT_EQ(dialog->grid()->currentRow(), 2);
    EXPECT_EQ(QApplication::focusWidget(), dialog->nameField());
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(UsersDialogTest, OkWritesTheEditedListScrambled) {
    start({user("Operator 1", " "), user("Petrov")});
    dialog->grid()->setCurrentCell(1, 0);
    retype("Петров Ñ");
    focus(dialog->noteField());
    test::typeText(dialog->noteField(), "Shift B");
    dialog->addButton()->click();
    test::typeText(dialog->nameField(), "Sidorov");
    dialog->okButton()->click();
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join(";").toStdString();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);

    const std::string bytes = test::readFile(home / "userlist.dat");
    ASSERT_EQ(bytes.size(), 3u * core::kOperatorRecordSize);
    // The name field of the second record: its length byte, then scrambled bytes.
    EXPECT_EQ(static_cast<unsigned char>(bytes[64 + 9]), 8u);
    EXPECT_EQ(bytes.find("Sidorov"), std::string::npos);
    const Users saved = core::OperatorList::decode(bytes);
    // "Ñ" has no place in Windows-1251.
    EXPECT_EQ(saved, (Users{user("Operator 1", " "), {"12345678", "Петров ?", "-", "07-03-2001", "Shift B"},
                            {"00000000", "Sidorov", "-", "07-03-2001", ""}}));
    EXPECT_EQ(ws->settings().list().value("NUser"), "3");
}

TEST_F(UsersDialogTest, AFullDiskKeepsTheDialogAndTheEdits) {
    start({user("Operator 1"), user("Petrov")});
    const std::string before = test::readFile(home / "userlist.dat");
    retype("Renamed");
    {
        const test::FileSizeLimit full(64);
        dialog->okButton()->click();
    }
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].startsWith("error:Examiners data are not saved:\n")) << boxes[0].toStdString();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(test::readFile(home / "userlist.dat"), before);
    EXPECT_EQ(users()[0].name, "Renamed");
    dialog->okButton()->click();
    EXPECT_EQ(onDisk()[0].name, "Renamed");
}

TEST_F(UsersDialogTest, DeactivationSetsNUser) {
    start({user("Operator 1")});
    dialog->addButton()->click();
    EXPECT_EQ(ws->settings().list().value("NUser"), "0");
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    QApplication::processEvents();
    EXPECT_EQ(ws->settings().list().value("NUser"), "2");
}

TEST_F(UsersDialogTest, OperatorsCommandOfTheMainWindow) {
    start({user("Operator 1")});
    dialog.reset();
    core::ui::TfrmMain main(*ws);
    QStringList errors;
    main.setErrorFunction([&](const QString&, const QString& text) { errors.append(text); });
    int runs = 0;
    installOperatorsCommand(main, *ws, {[&] {
                                ++runs;
                                TfrmUsers window(*ws, &main);
                                window.setPrompts({[](const QString&) {}, [](const QString&) { return true; },
                                                   [](const QString&) {}});
                                window.addButton()->click();
                                window.nameField()->setText("Second");
                                test::typeText(window.nameField(), "!");
                                window.okButton()->click();
                            }});
    main.runCommand(core::Command::Operators);
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(errors.isEmpty());
    ASSERT_EQ(onDisk().size(), 2u);
    EXPECT_EQ(onDisk()[1].name, "Second!");

    // A MaxUser that is no number is the command's error, shown in the main window.
    ws->settings().list().setValue("MaxUser", "many");
    installOperatorsCommand(main, *ws);
    main.runCommand(core::Command::Operators);
    EXPECT_EQ(errors, QStringList{"'many' is not a valid integer value"});
}

}  // namespace
}  // namespace lumo::admin::ui
