#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "authoring/exam_editor.h"
#include "authoring/ui/frm_exam_edit.h"
#include "authoring/ui/question_grid.h"
#include "core/clock.h"
#include "core/question_set.h"
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

class ExamEditorWindowTest : public ::testing::Test {
protected:
    void start(bool structure, const std::string& language = "ENG") {
        test::installSettings(home.path());
        ws = std::make_unique<core::Workstation>(home.path(),
                                                 std::make_unique<core::ManualClock>(core::Date{2026, 12, 9}));
        ws->initialise();
        ws->settings().list().setValue("Language", language);
        ws->settings().save();
        ws->settings().load();
        exam = home / "DAT/#0000001/exam_02.qs_";
        test::writeExamFile(exam, "1", 6, "Theft");
        core::TQstTest stored(exam, 7);
        for (int i = 1; i <= 6; ++i) stored.question(i).orders = {i, 7 - i, i, 7 - i};
        stored.save(exam);
        editor = std::make_unique<ExamEditor>(*ws, exam, structure);
        dialog = std::make_unique<TfrmExamEdit>(*editor, *ws, [this](QWidget*, const std::string& heading, const Lines& lines) {
            printed = heading;
            printedLines = lines;
        });
        dialog->setPrompts({[this](const QString& text) { boxes.append("warn:" + text); },
                            [this](const QString& text) {
                                boxes.append("confirm:" + text);
                                return answer;
                            },
                            [this](const QString& text) { boxes.append("error:" + text); }});
        dialog->conventions().setLayoutProbe([] { return 1; });
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        QApplication::processEvents();
    }
    QLineEdit* edit(int row, Column column) const { return dialog->grid()->fieldEdit(row, column); }
    static QWidget* focused() { return QApplication::focusWidget(); }
    static void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { test::pressKey(focused(), k, modifiers); }

    test::TempHome home;
    std::unique_ptr<core::Workstation> ws;
    fs::path exam;
    std::unique_ptr<ExamEditor> editor;
    std::unique_ptr<TfrmExamEdit> dialog;
    QStringList boxes;
    bool answer = true;
    std::string printed;
    Lines printedLines;
};

TEST_F(ExamEditorWindowTest, EditsAndSavesAnExamByKeyboard) {
    start(false);
    EXPECT_EQ(test::unnamedControls(*dialog), "");
    EXPECT_EQ(dialog->windowTitle(), "Exam Editor");
    EXPECT_EQ(dialog->methodList()->currentText(), "Control test");
    EXPECT_EQ(dialog->formatLabel()->text(), "<<[n]-o-(v)-[c-r]-c-(o-[n])>>");
    EXPECT_EQ(dialog->examineePanel()->text(), "Examinee: Examinee");
    EXPECT_EQ(dialog->examinerPanel()->text(), "Examiner : Operator 1");
    EXPECT_EQ(dialog->markField()->text(), "Theft");
    dialog->conventions().refreshKeyboardIndicator();
    EXPECT_EQ(dialog->conventions().keyboardIndicatorText(), "C Y R");
    EXPECT_FALSE(dialog->insertButton()->isEnabled());
    EXPECT_FALSE(dialog->deleteButton()->isEnabled());

    ASSERT_EQ(focused(), edit(0, Column::Sign));
    key(Qt::Key_Up);
    ASSERT_EQ(focused(), edit(5, Column::Sign));
    key(Qt::Key_Down);  // the last question goes to the first, no row is appended
    EXPECT_EQ(focused(), edit(0, Column::Sign));
    EXPECT_EQ(editor->rows().count(), 6);
    key(Qt::Key_Delete, Qt::AltModifier);  // no structure mode: nothing happens
    key(Qt::Key_Insert, Qt::AltModifier);
    EXPECT_EQ(editor->rows().count(), 6);

    key(Qt::Key_Home);
    key(Qt::Key_Left);
    ASSERT_EQ(focused(), edit(0, Column::Text));
    key(Qt::Key_End);
    key(Qt::Key_Left);
    test::typeText(focused(), QString(" and what is more, did you take the money from the desk of your chief"));
    key(Qt::Key_Backtab);
    ASSERT_EQ(focused(), dialog->markField());
    key(Qt::Key_End);
    test::typeText(focused(), " 2");
    key(Qt::Key_Backtab);
    ASSERT_EQ(focused(), dialog->methodList());
    key(Qt::Key_Down);
    EXPECT_EQ(dialog->formatLabel()->text(), "<<[n]-o-(v-[c-r])-<c>-<i>-c-<r>-c-(o-[n])>>");
    key(Qt::Key_Return);

    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join(";").toStdString();
    const core::TQstTest saved(exam, 7);
    EXPECT_EQ(saved.method, 2);
    EXPECT_EQ(saved.examMark, "Theft 2");
    EXPECT_EQ(saved.date, "09-12-2026");
    const std::string text = "Is it question 1 and what is more, did you take the money from the desk of your chief?";
    EXPECT_EQ(saved.question(1).textPart1, text.substr(0, 60));
    EXPECT_EQ(saved.question(1).textPart2, text.substr(60));
    for (int i = 1; i <= 6; ++i) EXPECT_EQ(saved.question(i).orders, (std::array<int, 4>{i, i, i, i}));
}

TEST_F(ExamEditorWindowTest, TheStructureModeInsertsAndDeletes) {
    start(true);
    EXPECT_TRUE(dialog->insertButton()->isEnabled());
    EXPECT_TRUE(dialog->deleteButton()->isEnabled());
    key(Qt::Key_Delete, Qt::AltModifier);
    EXPECT_EQ(editor->rows().count(), 5);
    EXPECT_FALSE(dialog->deleteButton()->isEnabled());
    EXPECT_EQ(edit(0, Column::Text)->text(), "Is it question 2?");
    key(Qt::Key_Insert, Qt::AltModifier);
    EXPECT_EQ(editor->rows().count(), 6);
    EXPECT_EQ(edit(0, Column::Text)->text(), "?");
    // Down still wraps, also in structure mode.
    key(Qt::Key_Up);
    key(Qt::Key_Down);
    EXPECT_EQ(focused(), edit(0, Column::Sign));

    dialog->printButton()->click();
    EXPECT_EQ(printed, "Theft (exam_02.qs_); Examinee: Examinee; Control test");
    EXPECT_EQ(printedLines.size(), 6u);
    EXPECT_EQ(printedLines[1], " 2. N2.+.Is it question 2?");
}

TEST_F(ExamEditorWindowTest, CancelAsksAndFaultsKeepTheFile) {
    start(false);
    const std::string before = test::readFile(exam);
    key(Qt::Key_Home);
    key(Qt::Key_End, Qt::ShiftModifier);
    test::typeText(focused(), "7");
    dialog->saveButton()->click();
    EXPECT_EQ(boxes, QStringList{"warn:Invalid type at line 1"});
    EXPECT_EQ(focused(), edit(0, Column::Sign));
    EXPECT_EQ(test::readFile(exam), before);

    boxes.clear();
    answer = false;
    key(Qt::Key_Escape);
    EXPECT_EQ(boxes, QStringList{"confirm:Exit without saving?"});
    EXPECT_TRUE(dialog->isVisible());
    answer = true;
    dialog->cancelButton()->click();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(test::readFile(exam), before);
}

TEST_F(ExamEditorWindowTest, SpeaksRussian) {
    start(true, "RUS");
    EXPECT_EQ(test::unnamedControls(*dialog), "");
    EXPECT_EQ(dialog->windowTitle(), "Редактор обследования");
    EXPECT_EQ(dialog->examineePanel()->text(), "Субъект: Examinee");
    EXPECT_EQ(edit(0, Column::Sign)->text(), " Н1");
}

}  // namespace
}  // namespace lumo::authoring::ui
