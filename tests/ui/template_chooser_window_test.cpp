#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "authoring/question_editor.h"
#include "authoring/template_chooser.h"
#include "authoring/ui/frm_qst_edit.h"
#include "core/clock.h"
#include "core/test_home.h"
#include "core/workstation.h"
#include "ui/accessible_names.h"
#include "ui/test_window_events.h"

namespace lumo::authoring::ui {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

class TemplateChooserWindowTest : public ::testing::Test {
protected:
    void start(const std::string& language = "ENG", bool withPrint = true) {
        test::installSettings(home.path());
        test::writeLines(home / "QST/alpha.QS1", {" 1. N1.-.First?", " 2. R1.-.Second?", " 3. Q1.-.Odd?"});
        test::writeLines(home / "QST/beta.QS3", {" 1. I1.+.One?"});
        test::writeLines(home / "QST/broken.QS6", {"no stops here"});
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>());
        ws->initialise();
        ws->settings().list().setValue("Language", language);
        ws->settings().save();
        ws->settings().load();
        chooser = std::make_unique<TemplateChooser>(*ws);
        editor = std::make_unique<QuestionEditor>(*ws);
        PrintFunction print;
        if (withPrint) {
            print = [this](QWidget*, const std::string& heading, const Lines& lines) {
                printed = heading;
                printedLines = lines;
            };
        }
        dialog = std::make_unique<TfrmQstEdit>(*chooser, *editor, *ws, print);
        dialog->setPrompts({[this](const QString& text) {
                                boxes.append("confirm:" + text);
                                return answer;
                            },
                            [this](const QString& text) { boxes.append("inform:" + text); },
                            [this](const QString& text) { boxes.append("error:" + text); }});
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
    }
    QListWidget* list() const { return dialog->templateList(); }
    QStringList previewTexts() const {
        QStringList texts;
        for (int i = 0; i < dialog->preview()->count(); ++i) texts.append(dialog->preview()->item(i)->text());
        return texts;
    }

    test::TempHome home;
    std::unique_ptr<core::Workstation> ws;
    std::unique_ptr<TemplateChooser> chooser;
    std::unique_ptr<QuestionEditor> editor;
    std::unique_ptr<TfrmQstEdit> dialog;
    QStringList boxes;
    bool answer = true;
    std::string printed;
    Lines printedLines;
};

TEST_F(TemplateChooserWindowTest, ListsAndPreviewsTheTemplatesInColour) {
    start();
    EXPECT_EQ(test::unnamedControls(*dialog), "");
    EXPECT_EQ(dialog->windowTitle(), "Choose Template to Edit");
    EXPECT_EQ(list()->accessibleName(), "File Name :");
    ASSERT_EQ(list()->count(), 3);
    EXPECT_EQ(list()->item(2)->text(), "broken.QS6");
    EXPECT_EQ(QApplication::focusWidget(), list());
    EXPECT_EQ(previewTexts(), (QStringList{" 1. N1.-.First?", " 2. R1.-.Second?", " 3. Q1.-.Odd?"}));
    EXPECT_EQ(dialog->preview()->item(1)->foreground().color(), QColor(255, 0, 0));      // QColor1=Red
    EXPECT_EQ(dialog->preview()->item(0)->foreground().color(), QColor(255, 255, 255));  // QColor4=White
    EXPECT_EQ(dialog->preview()->palette().color(QPalette::Base), QColor(0, 0, 0));
    EXPECT_EQ(dialog->methodLabel()->text(), "Method : Control test");
    test::pressKey(list(), Qt::Key_Down);
    EXPECT_EQ(dialog->methodLabel()->text(), "Method : Knowledge");
    test::pressKey(list(), Qt::Key_Down);
    EXPECT_EQ(previewTexts(), QStringList{"Line 1 of template broken.QS6 is not a question (number.sign.answer.text)"});

    // OK on a damaged template explains and stays.
    test::pressKey(list(), Qt::Key_Return);
    EXPECT_EQ(boxes, QStringList{"error:Line 1 of template broken.QS6 is not a question (number.sign.answer.text)"});
    EXPECT_TRUE(dialog->isVisible());

    dialog->printButton()->click();
    EXPECT_EQ(boxes.size(), 2);  // printing a damaged template explains too
    test::pressKey(list(), Qt::Key_Up);
    dialog->printButton()->click();
    EXPECT_EQ(printed, "File Name : beta");
    EXPECT_EQ(printedLines, Lines{" 1. I1.+.One?"});
}

TEST_F(TemplateChooserWindowTest, EnterLoadsTheTemplateIntoTheEditor) {
    start();
    test::pressKey(list(), Qt::Key_Down);
    test::pressKey(list(), Qt::Key_Return);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(editor->fileName(), "beta");
    EXPECT_EQ(editor->method(), 3);
    EXPECT_EQ(editor->caption(), "Method : Knowledge");
    EXPECT_EQ(editor->rows().count(), 1);
    EXPECT_EQ(editor->rows().row(0), (QuestionRow{" 1", " I1", "+", "One?"}));
}

TEST_F(TemplateChooserWindowTest, DeletingTheLastTemplateSaysSoAndCloses) {
    start();
    answer = false;
    test::pressKey(list(), Qt::Key_Delete);
    EXPECT_EQ(boxes, QStringList{"confirm:Are you shure you want to delete the template?"});
    EXPECT_TRUE(fs::exists(home / "QST/alpha.QS1"));
    answer = true;
    test::pressKey(list(), Qt::Key_End);
    test::pressKey(list(), Qt::Key_Delete);
    EXPECT_FALSE(fs::exists(home / "QST/broken.QS6"));
    EXPECT_EQ(list()->count(), 2);
    EXPECT_EQ(list()->currentRow(), 1);  // the new last entry
    dialog->deleteButton()->click();
    dialog->deleteButton()->click();
    EXPECT_EQ(boxes.last(), "inform:No more templates");
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_TRUE(fs::is_empty(home / "QST"));
}

TEST_F(TemplateChooserWindowTest, SpeaksRussianAndKeepsPrintDisabledWithoutAPrinter) {
    start("RUS", false);
    EXPECT_EQ(test::unnamedControls(*dialog), "");
    EXPECT_EQ(dialog->windowTitle(), "Выбор бланка для правки");
    EXPECT_EQ(dialog->methodLabel()->text(), "Метод : Контр. вопросы");
    EXPECT_FALSE(dialog->printButton()->isEnabled());
    EXPECT_TRUE(dialog->okButton()->isEnabled());
    test::pressKey(list(), Qt::Key_Escape);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

}  // namespace
}  // namespace lumo::authoring::ui
