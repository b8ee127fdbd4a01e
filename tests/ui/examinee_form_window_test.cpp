#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <filesystem>

#include "admin/ui/frm_subj_edit.h"
#include "admin/ui/frm_subj_new.h"
#include "core/examinee.h"
#include "core/file_size_limit.h"
#include "platform/dialog_conventions.h"
#include "ui/accessible_names.h"
#include "ui/examinee_windows.h"
#include "ui/test_window_events.h"

namespace lumo::admin::ui {
namespace {

namespace fs = std::filesystem;

class ExamineeFormWindowTest : public test::ExamineeWindowTest {
protected:
    template <typename Dialog>
    std::unique_ptr<Dialog> open() {
        auto window = std::make_unique<Dialog>(*ws);
        window->setBoxes(boxes());
        window->show();
        return window;
    }
    static QStringList items(const QComboBox* list) {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i) texts.append(list->itemText(i));
        return texts;
    }
    std::string subjectFile(const std::string& code) const {
        return test::readFile(home / "DAT" / code / "subject.dat");
    }
};

TEST_F(ExamineeFormWindowTest, ANewExamineeIsTypedInAndSavedWithEnter) {
    auto window = open<TfrmSubjNew>();
    EXPECT_EQ(test::unnamedControls(*window), "");
    EXPECT_EQ(window->windowTitle(), "New Examinee");
    EXPECT_EQ(items(window->codeList()), (QStringList{"#0000002", "#0000004", "#0000005"}));
    EXPECT_EQ(items(window->crimeList()), (QStringList{"Theft", "Armed robbery at bay", "Fraud"}));
    EXPECT_EQ(items(window->issueList()), (QStringList{"B-7", "A-1"}));
    EXPECT_EQ(window->issueList()->currentText(), "B-7");
    EXPECT_EQ(items(window->examinerList()), QStringList{"Operator 1"});
    EXPECT_EQ(window->nameField()->accessibleName(), "Examinee name :");
    EXPECT_EQ(window->nameField()->maxLength(), 50);

    window->codeList()->setCurrentIndex(1);
    window->crimeList()->setCurrentIndex(2);
    test::typeText(window->nameField(), "Sidorov");
    window->issueList()->setEditText("D-4");
    test::typeText(window->noteField(), "late");
    test::pressKey(window->noteField(), Qt::Key_Return);
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(subjectFile("#0000004"),
              "FileCode=#0000004\r\nName=Sidorov\r\nOperator=Operator 1\r\nDate=09-12-2026\r\nCrime=Fraud\r\n"
              "Issue=D-4\r\nArchive= \r\nMark=late\r\n");
    EXPECT_EQ(ws->records().current().record.fileCode, "#0000004");
    EXPECT_EQ(ws->records().examinees().size(), 3u);
}

TEST_F(ExamineeFormWindowTest, EscAsksBeforeCancellingTheCancelButtonDoesNot) {
    auto window = open<TfrmSubjNew>();
    answer = false;
    test::pressKey(window->nameField(), Qt::Key_Escape);
    EXPECT_EQ(shown, QStringList{"confirm:Do you want to cancel Examinee info creating?"});
    EXPECT_TRUE(window->isVisible());
    answer = true;
    test::pressKey(window->nameField(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Rejected);

    shown.clear();
    window = open<TfrmSubjNew>();
    window->cancelButton()->click();
    EXPECT_EQ(window->result(), QDialog::Rejected);
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(ws->records().examinees().size(), 2u);
}

TEST_F(ExamineeFormWindowTest, AFullRegisterOnlyWarns) {
    ws->settings().list().setValue("MaxSubj", "2");
    TfrmSubjNew window(*ws);
    window.setBoxes(boxes());
    EXPECT_EQ(window.exec(), QDialog::Rejected);
    EXPECT_EQ(shown, QStringList{"warn:Maximal available Examinee count is achieved"});
}

TEST_F(ExamineeFormWindowTest, NamesTheCodePageCannotHoldAreAnnouncedAndStoredAsQuestionMarks) {
    auto window = open<TfrmSubjNew>();
    window->nameField()->setFocus();
    test::typeText(window->nameField(), QString::fromUtf8("Łukasz"));
    EXPECT_EQ(window->hintPanelText(), "Characters that the record files cannot hold will be stored as \"?\"");
    window->okButton()->click();
    EXPECT_NE(subjectFile("#0000002").find("Name=?ukasz\r\n"), std::string::npos);
}

TEST_F(ExamineeFormWindowTest, TheKeyboardIndicatorFollowsTheLayout) {
    auto window = open<TfrmSubjNew>();
    int layout = 1;
    window->conventions().setLayoutProbe([&layout] { return layout; });
    window->conventions().refreshKeyboardIndicator();
    EXPECT_EQ(window->conventions().keyboardIndicatorText(), "C Y R");
    layout = 0;
    window->conventions().refreshKeyboardIndicator();
    EXPECT_EQ(window->conventions().keyboardIndicatorText(), "L A T");
}

TEST_F(ExamineeFormWindowTest, TheEditorWithoutACurrentExamineeOnlyWarns) {
    TfrmSubjEdit window(*ws);
    window.setBoxes(boxes());
    EXPECT_EQ(window.exec(), QDialog::Rejected);
    EXPECT_EQ(shown, QStringList{"warn:No Examinee is chosen"});
}

TEST_F(ExamineeFormWindowTest, PostRewritesTheRecordButNotItsCodeAndDate) {
    ws->records().makeCurrent(ws->records().examinees().at(1));
    auto window = open<TfrmSubjEdit>();
    EXPECT_EQ(test::unnamedControls(*window), "");
    EXPECT_EQ(window->windowTitle(), "Edit Examinee");
    EXPECT_EQ(window->nameField()->text(), "Ivanov");
    EXPECT_EQ(window->crimeList()->currentText(), "Armed robbery at bay");
    EXPECT_EQ(window->issueList()->currentText(), "A-1");
    EXPECT_EQ(window->noteField()->text(), "First");
    EXPECT_FALSE(window->archivedBox()->isChecked());
    EXPECT_EQ(window->okButton()->text().remove('&'), "Post");

    window->nameField()->setText("Ivanov Ivan");
    window->archivedBox()->click();
    window->crimeList()->setCurrentIndex(0);
    // Enter in the editable issue list posts as well.
    test::pressKey(window->issueList()->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_EQ(subjectFile("#0000003"),
              "FileCode=#0000003\r\nName=Ivanov Ivan\r\nOperator=Operator 1\r\nDate=07-03-2001\r\nCrime=Theft\r\n"
              "Issue=A-1\r\nArchive=#\r\nMark=First\r\n");
    EXPECT_EQ(ws->records().current().record.archive, "#");
    EXPECT_EQ(ws->records().examinees().at(1).name, "Ivanov Ivan");

    // The box shows the flag it wrote.
    window = open<TfrmSubjEdit>();
    EXPECT_TRUE(window->archivedBox()->isChecked());
    window->cancelButton()->click();
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(ExamineeFormWindowTest, AFullDiskKeepsTheOldRecordAndSaysWhy) {
    ws->records().makeCurrent(ws->records().examinees().at(0));
    const std::string before = subjectFile("#0000001");
    auto window = open<TfrmSubjEdit>();
    window->noteField()->setText(QString(50, 'x'));
    window->issueList()->setEditText(QString(50, 'y'));
    {
        const test::FileSizeLimit limit(64);
        window->okButton()->click();
    }

    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith("error:Posting failure :\nCannot write file")) << shown[0].toStdString();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(subjectFile("#0000001"), before);
    EXPECT_EQ(fs::directory_iterator(home / "DAT" / "#0000001")->path().filename(), "subject.dat");
    EXPECT_EQ(ws->records().examinees().at(0).mark, "second");
}

TEST_F(ExamineeFormWindowTest, BothDialogsBuildInRussian) {
    start("RUS");
    auto created = open<TfrmSubjNew>();
    EXPECT_EQ(created->windowTitle(), "Новый субъект");
    EXPECT_EQ(items(created->crimeList()), (QStringList{"Кража", "Мошенничество"}));
    EXPECT_EQ(test::unnamedControls(*created), "");
    ws->records().makeCurrent(ws->records().examinees().at(0));
    auto edited = open<TfrmSubjEdit>();
    EXPECT_EQ(edited->windowTitle(), "Правка субъекта");
    EXPECT_EQ(edited->archivedBox()->text().remove('&'), "Сведения в архиве");
    // The English crime of the record is kept as the examinee's own entry.
    EXPECT_EQ(edited->crimeList()->currentText(), "Theft");
    EXPECT_EQ(test::unnamedControls(*edited), "");
}

}  // namespace
}  // namespace lumo::admin::ui
