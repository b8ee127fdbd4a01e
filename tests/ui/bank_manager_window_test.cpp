#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <memory>
#include <string>

#include "authoring/ui/frm_bank_edit.h"
#include "authoring/ui/frm_bank_new.h"
#include "authoring/ui/frm_theme_edit.h"
#include "core/clock.h"
#include "core/test_home.h"
#include "core/workstation.h"
#include "platform/dialog_conventions.h"
#include "ui/accessible_names.h"
#include "ui/test_window_events.h"

namespace lumo::authoring::ui {
namespace {

class BankManagerWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::installSettings(home.path());
        test::writeFile(folder / "A.TXT", "Questions on\r\nhonesty.\r\nOne?\r\nTwo is\r\nlong?\r\nThree?\r\nFour?\r\n");
        test::writeFile(folder / "B.TXT", "Thefts.\r\nDid you steal?\r\n");
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>());
        ws->initialise();
    }
    void start(const std::string& language = "ENG") {
        ws->settings().list().setValue("Language", language);
        dialog = std::make_unique<TfrmBankEdit>(folder, ws->texts(),
                                                [] { return LocalTime{{2003, 3, 5}, 36'000'000}; });
        dialog->setPrompts({[this](const QString& text) { boxes.append("warn:" + text); },
                            [this](const QString& text) { boxes.append("error:" + text); },
                            [this](const QString& text) {
                                boxes.append("confirm:" + text);
                                return true;
                            }});
        dialog->setDialogs({[this](const QString& generated) {
                                offered = generated;
                                return newTopic;
                            },
                            [this](const QString& name, const QString& file) {
                                offered = name + "|" + file;
                                return editedTopic;
                            }});
        dialog->conventions().setLayoutProbe([] { return 0; });
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        QApplication::processEvents();
    }
    void focus(QWidget* widget) {
        widget->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    }
    // A button pressed from the keyboard: focus, then Space.
    void press(QPushButton* button) {
        focus(button);
        test::pressKey(button, Qt::Key_Space, Qt::NoModifier, " ");
    }
    std::string file(const char* name) const { return test::readFile(folder / name); }

    test::TempHome home;
    std::filesystem::path folder = home / "BNK";
    std::unique_ptr<core::Workstation> ws;
    std::unique_ptr<TfrmBankEdit> dialog;
    QStringList boxes;
    QString offered;
    TfrmBankEdit::TopicFields newTopic;
    TfrmBankEdit::TopicFields editedTopic;
};

TEST_F(BankManagerWindowTest, ShowsTheFirstTopicWithNamedControls) {
    start();
    EXPECT_EQ(test::unnamedControls(*dialog), "");
    EXPECT_EQ(dialog->windowTitle(), "Question Base Manager");
    ASSERT_EQ(dialog->topicList()->count(), 2);
    EXPECT_EQ(dialog->topicList()->item(0)->text(), "Questions on honesty.");
    EXPECT_EQ(dialog->topicList()->accessibleName(), "Topic List :");
    EXPECT_EQ(dialog->clipboardList()->accessibleName(), "Clipboard :");
    EXPECT_EQ(dialog->questionPanel()->title(), "TOPIC : QUESTIONS ON HONESTY. (A.TXT)");
    EXPECT_EQ(dialog->questionArea()->toPlainText(), "One?\nTwo is long?\nThree?\nFour?");
    EXPECT_TRUE(dialog->topicList()->hasFocus());
    EXPECT_TRUE(dialog->modifyButton()->isEnabled());
    EXPECT_FALSE(dialog->cutButton()->isEnabled());
    EXPECT_FALSE(dialog->pasteButton()->isEnabled());
    dialog->conventions().refreshKeyboardIndicator();
    EXPECT_EQ(dialog->conventions().keyboardIndicatorText(), "L A T");
    EXPECT_EQ(dialog->conventions().hintPanelText(), "Choose topic to edit its question list");
}

TEST_F(BankManagerWindowTest, RussianTexts) {
    start("RUS");
    EXPECT_EQ(dialog->windowTitle(), "Менеджер Базы вопросов");
    EXPECT_EQ(dialog->questionPanel()->title(), "ТЕМА : QUESTIONS ON HONESTY. (A.TXT)");
    EXPECT_EQ(dialog->addButton()->text(), "Добавить тему");
    EXPECT_EQ(test::unnamedControls(*dialog), "");
}

TEST_F(BankManagerWindowTest, LeavingATopicWritesItAndEscExitsSavingAll) {
    start();
    test::pressKey(dialog->topicList(), Qt::Key_Down);
    EXPECT_EQ(dialog->questionPanel()->title(), "TOPIC : THEFTS. (B.TXT)");
    EXPECT_EQ(file("A.TXT"), "Questions on honesty.\r\nOne?\r\nTwo is long?\r\nThree?\r\nFour?\r\n");

    focus(dialog->questionArea());
    test::pressKey(dialog->questionArea(), Qt::Key_End, Qt::ControlModifier);
    test::pressKey(dialog->questionArea(), Qt::Key_Return, Qt::NoModifier, "\r");
    test::typeText(dialog->questionArea(), "Did you sell it?");
    // Leaving the text area writes the topic; the caret stays.
    focus(dialog->topicList());
    EXPECT_EQ(file("B.TXT"), "Thefts.\r\nDid you steal?\r\nDid you sell it?\r\n");
    EXPECT_EQ(dialog->questionArea()->textCursor().blockNumber(), 1);

    focus(dialog->questionArea());
    test::typeText(dialog->questionArea(), " Where");
    test::pressKey(dialog->questionArea(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(file("B.TXT"), "Thefts.\r\nDid you steal?\r\nDid you sell it? Where\r\n");
}

TEST_F(BankManagerWindowTest, CutAcrossTwoQuestionsThenPasteBeforeTheCaretLine) {
    start();
    QPlainTextEdit* area = dialog->questionArea();
    focus(area);
    test::pressKey(area, Qt::Key_Home, Qt::ControlModifier);
    test::pressKey(area, Qt::Key_Down);
    test::pressKey(area, Qt::Key_Right);
    test::pressKey(area, Qt::Key_Right);
    test::pressKey(area, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_TRUE(dialog->cutButton()->isEnabled());
    press(dialog->cutButton());
    EXPECT_EQ(area->toPlainText(), "One?\nFour?");
    ASSERT_EQ(dialog->clipboardList()->count(), 2);
    EXPECT_EQ(dialog->clipboardList()->item(0)->text(), "Two is long?");
    EXPECT_EQ(dialog->clipboardList()->item(1)->text(), "Three?");
    EXPECT_TRUE(dialog->clipboardList()->item(0)->isSelected());
    EXPECT_TRUE(dialog->pasteButton()->isEnabled());
    EXPECT_FALSE(dialog->cutButton()->isEnabled());

    // Both entries selected from the keyboard; the caret on "Four?".
    focus(dialog->clipboardList());
    test::pressKey(dialog->clipboardList(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_TRUE(dialog->clipboardList()->item(1)->isSelected());
    focus(area);
    test::pressKey(area, Qt::Key_End, Qt::ControlModifier);
    press(dialog->pasteButton());
    EXPECT_EQ(area->toPlainText(), "One?\nTwo is long?\nThree?\nFour?");
    EXPECT_EQ(dialog->clipboardList()->count(), 2);

    // Copy leaves the text as it is.
    focus(area);
    test::pressKey(area, Qt::Key_Home, Qt::ControlModifier);
    test::pressKey(area, Qt::Key_End, Qt::ShiftModifier);
    press(dialog->copyButton());
    EXPECT_EQ(dialog->clipboardList()->count(), 3);
    EXPECT_EQ(dialog->clipboardList()->item(2)->text(), "One?");
    press(dialog->exitButton());
    EXPECT_EQ(file("A.TXT"), "Questions on honesty.\r\nOne?\r\nTwo is long?\r\nThree?\r\nFour?\r\n");
}

TEST_F(BankManagerWindowTest, AddModifyAndDeleteTopics) {
    start();
    newTopic = std::make_pair(QString("Copy"), QString("a.txt"));
    press(dialog->addButton());
    EXPECT_EQ(offered, "32255100.7D6");
    EXPECT_EQ(boxes, QStringList{"warn:File A.TXT already exists"});
    EXPECT_EQ(dialog->topicList()->count(), 2);

    newTopic = std::make_pair(QString("Bribes"), offered);
    press(dialog->addButton());
    ASSERT_EQ(dialog->topicList()->count(), 3);
    EXPECT_EQ(dialog->topicList()->currentRow(), 2);
    EXPECT_EQ(dialog->topicList()->item(2)->text(), "Bribes.");
    EXPECT_EQ(file("32255100.7D6"), "Bribes.\r\n");
    EXPECT_TRUE(dialog->questionArea()->hasFocus());

    editedTopic = std::make_pair(QString("Bribes at work"), QString("BRIBES.TXT"));
    press(dialog->modifyButton());
    EXPECT_EQ(offered, "Bribes.|32255100.7D6");
    EXPECT_EQ(dialog->questionPanel()->title(), "TOPIC : BRIBES AT WORK. (BRIBES.TXT)");
    EXPECT_EQ(dialog->topicList()->item(2)->text(), "Bribes at work.");
    EXPECT_TRUE(std::filesystem::exists(folder / "BRIBES.TXT"));

    press(dialog->deleteButton());
    EXPECT_EQ(boxes.last(), "confirm:Do you want to delete topic \n\"Bribes at work.\" ?");
    EXPECT_FALSE(std::filesystem::exists(folder / "BRIBES.TXT"));
    EXPECT_EQ(dialog->topicList()->count(), 2);
    EXPECT_EQ(dialog->topicList()->currentRow(), -1);
    EXPECT_EQ(dialog->questionArea()->toPlainText(), "");
    EXPECT_FALSE(dialog->deleteButton()->isEnabled());
    EXPECT_FALSE(dialog->modifyButton()->isEnabled());
}

TEST_F(BankManagerWindowTest, AFileThatIsNoTopicIsListedWithItsError) {
    test::writeFile(folder / "C.BIN", std::string("\x00\x01\x02", 3));
    start();
    ASSERT_EQ(dialog->topicList()->count(), 3);
    EXPECT_EQ(dialog->topicList()->item(2)->text(), "C.BIN  [unreadable]");
    dialog->topicList()->setCurrentRow(2);
    EXPECT_EQ(dialog->conventions().hintPanel()->text(), "File C.BIN is not a text file (line 1)");
    EXPECT_TRUE(dialog->questionArea()->isReadOnly());
    EXPECT_FALSE(dialog->modifyButton()->isEnabled());
    test::pressKey(dialog->topicList(), Qt::Key_Escape);
    EXPECT_EQ(file("C.BIN"), std::string("\x00\x01\x02", 3));
}

// The topic dialogs as the examiner meets them: typed into, Enter adds, Esc cancels.
TEST(BankTopicDialogsTest, NewTopicAndTopicEditorByKeys) {
    test::TempHome home;
    test::installSettings(home.path());
    core::Workstation ws(home.path(), std::make_unique<core::ManualClock>());
    ws.initialise();
    {
        TfrmBankNew dialog(ws.texts(), "32255100.7D6");
        dialog.conventions().setLayoutProbe([] { return 1; });
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QApplication::processEvents();
        EXPECT_EQ(test::unnamedControls(dialog), "");
        EXPECT_EQ(dialog.windowTitle(), "Adding new topic");
        EXPECT_EQ(dialog.nameField()->accessibleName(), "Type new  t o p i c  name :");
        EXPECT_EQ(dialog.name(), "New topic.");
        EXPECT_EQ(dialog.fileName(), "32255100.7D6");
        EXPECT_EQ(dialog.okButton()->text(), "Add");
        EXPECT_EQ(dialog.fileField()->maxLength(), 12);
        EXPECT_EQ(dialog.nameField()->maxLength(), 254);
        dialog.conventions().refreshKeyboardIndicator();
        EXPECT_EQ(dialog.conventions().keyboardIndicatorText(), "C Y R");
        dialog.nameField()->selectAll();
        test::typeText(dialog.nameField(), "Bribes");
        test::pressKey(dialog.nameField(), Qt::Key_Return, Qt::NoModifier, "\r");
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.name(), "Bribes");
    }
    {
        ws.settings().list().setValue("Language", "RUS");
        TfrmThemeEdit dialog(ws.texts(), "Bribes.", "B.TXT");
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QApplication::processEvents();
        EXPECT_EQ(test::unnamedControls(dialog), "");
        EXPECT_EQ(dialog.windowTitle(), "Редактор темы");
        EXPECT_EQ(dialog.name(), "Bribes.");
        EXPECT_EQ(dialog.fileName(), "B.TXT");
        test::pressKey(dialog.fileField(), Qt::Key_Escape);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
}

}  // namespace
}  // namespace lumo::authoring::ui
