#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "authoring/question_editor.h"
#include "authoring/ui/frm_qst_new.h"
#include "authoring/ui/question_grid.h"
#include "core/clock.h"
#include "core/test_home.h"
#include "core/workstation.h"
#include "platform/dialog_conventions.h"
#include "ui/accessible_names.h"
#include "ui/test_window_events.h"

namespace lumo::authoring::ui {
namespace {

namespace fs = std::filesystem;
using Column = QuestionRows::Column;
using Lines = std::vector<std::string>;

class QuestionEditorWindowTest : public ::testing::Test {
protected:
    void start(const Lines& signs, const std::string& language = "ENG", bool withHooks = true) {
        test::installSettings(home.path());
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>());
        ws->initialise();
        ws->settings().list().setValue("Language", language);
        ws->settings().save();
        ws->settings().load();  // the sign letters follow the language prefix of a load
        editor = std::make_unique<QuestionEditor>(*ws);
        TemplateSkeleton skeleton{1, "Method : Control test", {}};
        for (std::size_t i = 0; i < signs.size(); ++i) {
            skeleton.rows.push_back({rowNumber(static_cast<int>(i) + 1), signs[i], "-", " ?"});
        }
        editor->setSkeleton(skeleton);
        LoadFromBaseFunction base;
        PrintFunction print;
        if (withHooks) {
            base = [this](const Lines& lines) -> std::optional<Lines> {
                baseGot = lines;
                return baseGives;
            };
            print = [this](QWidget*, const std::string& heading, const Lines& lines) {
                printed = heading;
                printedLines = lines;
            };
        }
        dialog = std::make_unique<TfrmQstNew>(*editor, *ws, base, print);
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
    QLineEdit* edit(int row, Column column) const { return dialog->grid()->fieldEdit(row, column); }
    static QWidget* focused() { return QApplication::focusWidget(); }
    // Keys to whatever has the focus, as the keyboard would deliver them.
    static void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { test::pressKey(focused(), k, modifiers); }
    static void type(const QString& text) { test::typeText(focused(), text); }
    QString cell(int row, int column) const { return dialog->grid()->item(row, column)->text(); }

    test::TempHome home;
    std::unique_ptr<core::Workstation> ws;
    std::unique_ptr<QuestionEditor> editor;
    std::unique_ptr<TfrmQstNew> dialog;
    QStringList boxes;
    bool answer = true;
    Lines baseGot;
    std::optional<Lines> baseGives;
    std::string printed;
    Lines printedLines;
};

TEST_F(QuestionEditorWindowTest, AWholeTemplateIsWrittenAndSavedByKeyboardOnly) {
    start({" N1", " O1", " C1", " R1", " C2"});
    ASSERT_EQ(focused(), edit(0, Column::Sign));
    key(Qt::Key_Right);  // the caret starts before the last character
    key(Qt::Key_Right);
    ASSERT_EQ(focused(), edit(0, Column::Answer));
    key(Qt::Key_Delete);
    type("+");
    key(Qt::Key_Right);
    ASSERT_EQ(focused(), edit(0, Column::Text));
    type("Is your name John");
    key(Qt::Key_Down);
    type("Do you live in Moscow");
    key(Qt::Key_Down);
    type("Did you ever take anything");
    key(Qt::Key_Down);
    type("Did you take the money. The 500 roubles");
    key(Qt::Key_Down);
    type("Did you ever lie to a friend");
    key(Qt::Key_Down);  // the last row: a sixth row continues its type
    ASSERT_EQ(focused(), edit(5, Column::Text));
    EXPECT_EQ(cell(5, 1), " C3");
    type("Did you ever lie to get out of trouble");
    key(Qt::Key_End);
    key(Qt::Key_Right);
    ASSERT_EQ(focused(), edit(5, Column::Sign));
    key(Qt::Key_Home);
    key(Qt::Key_End, Qt::ShiftModifier);
    type("R");
    EXPECT_EQ(edit(5, Column::Sign)->text(), " R2");
    key(Qt::Key_Insert, Qt::AltModifier);  // a row before the sixth
    ASSERT_EQ(focused(), edit(5, Column::Sign));
    EXPECT_EQ(cell(6, 3), "Did you ever lie to get out of trouble?");
    EXPECT_EQ(cell(6, 1), " R3");
    key(Qt::Key_Home);
    key(Qt::Key_Left);
    ASSERT_EQ(focused(), edit(5, Column::Text));
    type("Were you there");
    key(Qt::Key_Backtab);
    ASSERT_EQ(focused(), dialog->fileNameField());
    type("Theft");
    key(Qt::Key_Return);

    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join("; ").toStdString();
    EXPECT_EQ(test::readFile(home / "QST/Theft.QS1"),
              " 1. N1.+.Is your name John?\r\n"
              " 2. O1.-.Do you live in Moscow?\r\n"
              " 3. C1.-.Did you ever take anything?\r\n"
              " 4. R1.-.Did you take the money. The 500 roubles?\r\n"
              " 5. C2.-.Did you ever lie to a friend?\r\n"
              " 6. R2.-.Were you there?\r\n"
              " 7. R3.-.Did you ever lie to get out of trouble?\r\n");
}

TEST_F(QuestionEditorWindowTest, ShowsNamedColouredRowsAndTheKeyboardIndicator) {
    start({" N1", " R1", " C1", " R2", " C2"});
    EXPECT_EQ(test::unnamedControls(*dialog), "");
    EXPECT_EQ(dialog->windowTitle(), "Method : Control test");
    EXPECT_EQ(dialog->fileNameField()->accessibleName(), "File Name :");
    EXPECT_EQ(dialog->grid()->accessibleName(), "Question editor");
    EXPECT_EQ(edit(2, Column::Sign)->accessibleName(), "Type, row 3");
    EXPECT_EQ(dialog->grid()->horizontalHeaderItem(3)->text(), "Question Text");
    // The cells as a table.
    EXPECT_EQ(cell(1, 0), " 2");
    EXPECT_EQ(cell(1, 1), " R1");
    EXPECT_EQ(cell(1, 2), "-");
    EXPECT_EQ(cell(1, 3), " ?");
    EXPECT_EQ(edit(1, Column::Text)->palette().color(QPalette::Text), QColor(255, 0, 0));  // QColor1=Red
    EXPECT_EQ(edit(1, Column::Text)->palette().color(QPalette::Base), QColor(0, 0, 0));
    EXPECT_TRUE(edit(4, Column::Text)->isEnabled());
    EXPECT_FALSE(edit(5, Column::Text)->isEnabled());
    EXPECT_EQ(edit(5, Column::Text)->palette().color(QPalette::Text), QColor(0, 0, 0));
    // Only the current field is a tab stop.
    EXPECT_EQ(edit(0, Column::Sign)->focusPolicy(), Qt::StrongFocus);
    EXPECT_EQ(edit(1, Column::Sign)->focusPolicy(), Qt::ClickFocus);
    EXPECT_EQ(dialog->grid()->focusPolicy(), Qt::NoFocus);
    key(Qt::Key_Tab);  // Tab leaves the grid for the buttons, and comes back to the same field
    EXPECT_EQ(focused(), dialog->insertButton());
    key(Qt::Key_Backtab);
    EXPECT_EQ(focused(), edit(0, Column::Sign));
    dialog->conventions().refreshKeyboardIndicator();
    EXPECT_EQ(dialog->conventions().keyboardIndicatorText(), "L A T");
    EXPECT_FALSE(dialog->deleteButton()->isEnabled());  // five questions
    EXPECT_TRUE(dialog->insertButton()->isEnabled());
    EXPECT_TRUE(dialog->saveButton()->isDefault());

    // An unknown sign turns its row red with black text.
    focused()->setFocus();
    key(Qt::Key_Down);
    key(Qt::Key_Home);
    key(Qt::Key_End, Qt::ShiftModifier);
    type("x");
    EXPECT_EQ(edit(1, Column::Text)->palette().color(QPalette::Base), QColor(255, 0, 0));
    EXPECT_EQ(edit(1, Column::Text)->palette().color(QPalette::Text), QColor(0, 0, 0));
}

TEST_F(QuestionEditorWindowTest, LeavingABadSignWarnsAndReturnsToIt) {
    start({" N1", " R1", " C1", " R2", " C2"});
    key(Qt::Key_Down);
    key(Qt::Key_Home);
    key(Qt::Key_End, Qt::ShiftModifier);
    type("5");
    EXPECT_EQ(focused(), edit(1, Column::Sign));
    key(Qt::Key_Down);
    EXPECT_EQ(boxes, QStringList{"warn:Invalid type"});
    EXPECT_EQ(focused(), edit(1, Column::Sign));
    EXPECT_EQ(edit(1, Column::Sign)->text(), " N2");
    EXPECT_EQ(cell(3, 1), " R1");

    boxes.clear();
    key(Qt::Key_Right);
    key(Qt::Key_Right);
    ASSERT_EQ(focused(), edit(1, Column::Answer));
    key(Qt::Key_Delete);
    type("y");
    key(Qt::Key_Up);
    EXPECT_EQ(boxes, QStringList{"warn:Invalid answer"});
    EXPECT_EQ(focused(), edit(0, Column::Answer));
    EXPECT_EQ(cell(1, 2), "-");

    // Up from row 1 to the last row in use; Down from it appends no more than the check allows.
    key(Qt::Key_Up);
    EXPECT_EQ(focused(), edit(4, Column::Answer));
}

TEST_F(QuestionEditorWindowTest, TheTextKeepsItsQuestionMark) {
    start({" N1", " R1", " C1", " R2", " C2"});
    key(Qt::Key_Left);
    key(Qt::Key_Left);
    key(Qt::Key_Left);
    ASSERT_EQ(focused(), edit(0, Column::Text));
    auto* text = edit(0, Column::Text);
    text->selectAll();
    key(Qt::Key_Backspace);
    EXPECT_EQ(text->text(), "?");
    type("Were you there");
    EXPECT_EQ(text->text(), "Were you there?");
    key(Qt::Key_End);
    key(Qt::Key_Backspace);  // the final "?" goes: the character before it becomes "?"
    EXPECT_EQ(text->text(), "Were you ther?");
}

TEST_F(QuestionEditorWindowTest, InsertAndDeleteStopAtTwentyAndFive) {
    Lines twenty(19, " N1");
    start(twenty);
    key(Qt::Key_Up);
    ASSERT_EQ(focused(), edit(18, Column::Sign));
    key(Qt::Key_Down);  // row 19 is last: row 20 is appended
    EXPECT_EQ(focused(), edit(19, Column::Sign));
    EXPECT_EQ(cell(19, 1), "N20");
    EXPECT_FALSE(dialog->insertButton()->isEnabled());
    key(Qt::Key_Insert, Qt::AltModifier);
    EXPECT_EQ(editor->rows().count(), 20);
    key(Qt::Key_Down);  // row 20 goes to row 1
    EXPECT_EQ(focused(), edit(0, Column::Sign));

    key(Qt::Key_Delete, Qt::AltModifier);
    EXPECT_EQ(editor->rows().count(), 19);
    EXPECT_TRUE(dialog->insertButton()->isEnabled());
    for (int i = 0; i < 20; ++i) key(Qt::Key_Delete, Qt::AltModifier);
    EXPECT_EQ(editor->rows().count(), 5);
    EXPECT_FALSE(dialog->deleteButton()->isEnabled());
    EXPECT_FALSE(edit(5, Column::Sign)->isEnabled());
    EXPECT_EQ(focused(), edit(0, Column::Sign));
}

TEST_F(QuestionEditorWindowTest, SavingNamesTheFaultAndTheFileProblems) {
    start({" N1", " R1", " C1", " R2", " C2"});
    edit(2, Column::Text)->setText(QString(121, 'a'));
    editor->rows().change({2, Column::Text}, std::string(121, 'a'));
    dialog->fileNameField()->setFocus();
    type("Theft");
    dialog->saveButton()->click();
    EXPECT_EQ(boxes, QStringList{"warn:Too big question text at line 3"});
    EXPECT_EQ(focused(), edit(2, Column::Text));
    EXPECT_TRUE(dialog->isVisible());

    boxes.clear();
    editor->rows().change({2, Column::Text}, "Short?");
    dialog->fileNameField()->setText("");
    dialog->saveButton()->click();
    EXPECT_EQ(boxes, QStringList{"error:Error creating file .QS1 :\nTemplate name is empty"});
    EXPECT_EQ(focused(), dialog->fileNameField());

    boxes.clear();
    test::writeLines(home / "QST/Theft.QS1", {" 1. N1.-.Old?"});
    dialog->fileNameField()->setText("Theft");
    answer = false;
    dialog->saveButton()->click();
    EXPECT_EQ(boxes, QStringList{"confirm:Template with the same name already exists. Overwrite?"});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(test::readFile(home / "QST/Theft.QS1"), " 1. N1.-.Old?\r\n");
    answer = true;
    edit(2, Column::Text)->setFocus();
    key(Qt::Key_Return);  // Enter in a row field saves too
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_NE(test::readFile(home / "QST/Theft.QS1").find("Short?"), std::string::npos);
}

TEST_F(QuestionEditorWindowTest, CancelAsksFirst) {
    start({" N1", " R1", " C1", " R2", " C2"});
    answer = false;
    key(Qt::Key_Escape);
    EXPECT_EQ(boxes, QStringList{"confirm:Exit without saving?"});
    EXPECT_TRUE(dialog->isVisible());
    answer = true;
    dialog->cancelButton()->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_TRUE(!fs::exists(home / "QST") || fs::is_empty(home / "QST"));
}

TEST_F(QuestionEditorWindowTest, LoadFromBaseAndPrintGoThroughTheirHooks) {
    start({" N1", " R1", " C1", " R2", " C2"});
    baseGives = Lines{" 1. N1.-.From the base?", " 2. R1.+.Second. With a stop?", " 3. C1.-.?", " 4. R2.-.?",
                      " 5. C2.-.?", " 6. C3.-.Sixth?"};
    dialog->loadFromBaseButton()->click();
    EXPECT_EQ(baseGot, (Lines{" 1. N1.-. ?", " 2. R1.-. ?", " 3. C1.-. ?", " 4. R2.-. ?", " 5. C2.-. ?"}));
    EXPECT_EQ(editor->rows().count(), 6);
    EXPECT_EQ(cell(1, 3), "Second. With a stop?");
    EXPECT_EQ(cell(1, 2), "+");
    EXPECT_TRUE(dialog->deleteButton()->isEnabled());

    dialog->fileNameField()->setText("Theft");
    editor->setFileName("Theft");
    dialog->printButton()->click();
    EXPECT_EQ(printed, "File Name : Theft");
    EXPECT_EQ(printedLines.size(), 6u);
    EXPECT_EQ(printedLines[1], " 2. R1.+.Second. With a stop?");
}

TEST_F(QuestionEditorWindowTest, WithoutHooksTheirButtonsStayDisabled) {
    start({" N1", " R1", " C1", " R2", " C2"}, "ENG", false);
    EXPECT_FALSE(dialog->loadFromBaseButton()->isEnabled());
    EXPECT_FALSE(dialog->printButton()->isEnabled());
}

TEST_F(QuestionEditorWindowTest, SpeaksRussian) {
    start({" N1", " R1", " C1", " R2", " C2"}, "RUS");
    EXPECT_EQ(test::unnamedControls(*dialog), "");
    EXPECT_EQ(cell(1, 1), " З1");
    EXPECT_EQ(dialog->saveButton()->text(), "&Сохранить");
    EXPECT_EQ(edit(0, Column::Sign)->accessibleName(), "Тип, строка 1");
    key(Qt::Key_Home);
    key(Qt::Key_End, Qt::ShiftModifier);
    key(Qt::Key_Backspace);
    key(Qt::Key_Down);
    EXPECT_EQ(boxes, QStringList{"warn:Поле типа вопроса пусто"});
    EXPECT_EQ(cell(0, 1), " Н1");
}

// The rows keep their colours where a style sheet rules the line edits, as
// the main window's does for every dialog it opens.
TEST_F(QuestionEditorWindowTest, RowsKeepTheirColoursUnderAStyleSheet) {
    start({" N1", " R1", " C1", " R2", " C2"});
    dialog->setStyleSheet(QStringLiteral("QLineEdit { background: white; color: black; }"));
    QApplication::processEvents();
    const QImage picture = dialog->grab().toImage();
    const auto pixelOf = [&](QLineEdit* field) {
        const QPoint corner = field->mapTo(dialog.get(), QPoint(field->width() - 3, field->height() / 2));
        return picture.pixelColor(corner * picture.devicePixelRatio());
    };
    EXPECT_EQ(pixelOf(edit(0, Column::Text)), QColor(Qt::black));  // a row in use: on black
    EXPECT_EQ(pixelOf(edit(12, Column::Text)), QColor(Qt::black));  // beyond the count: black on black
}

}  // namespace
}  // namespace lumo::authoring::ui
