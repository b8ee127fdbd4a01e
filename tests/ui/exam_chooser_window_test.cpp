#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "authoring/exam_fixture.h"
#include "authoring/ui/frm_qst_list.h"
#include "ui/accessible_names.h"
#include "ui/test_window_events.h"

namespace lumo::authoring::ui {
namespace {

namespace fs = std::filesystem;

// The exam chooser on two exams and two templates, driven by keys.
class ExamChooserWindowTest : public test::ExamHomeTest {
protected:
    void open(int exams) {
        start(exams);
        QstListSteps steps;
        steps.editExam = [this](QWidget* parent, const fs::path& file, bool structure) {
            shown.append(QString("edit:%1%2").arg(QString::fromStdString(file.filename().string()),
                                                  structure ? " structure" : ""));
            EXPECT_EQ(parent, chooser.get());
            return editorSaves;
        };
        steps.setOrders = [this](const fs::path&) { shown.append("set"); };
        steps.chooseOrder = [this](const fs::path&) {
            shown.append("choose");
            return false;
        };
        steps.runTest = [](const recording::TestRunSetup&) {};
        steps.askText = [this](const QString& title, const QString& prompt, const QString& proposal) {
            shown.append("ask:" + title + "|" + prompt + "|" + proposal);
            return std::optional<QString>("copy");
        };
        steps.confirm = [this](const QString& text) {
            shown.append("confirm:" + text);
            return true;
        };
        steps.warn = [this](const QString& text) { shown.append("warn:" + text); };
        steps.inform = [this](const QString& text) { shown.append("inform:" + text); };
        steps.error = [this](const QString& text) { shown.append("error:" + text); };
        chooser = std::make_unique<TfrmQstList>(*ws, remembered, steps);
        filled = chooser->fill();
        chooser->show();
        QApplication::setActiveWindow(chooser.get());
        chooser->list()->setFocus();
    }
    QStringList entries() const {
        QStringList names;
        for (int i = 0; i < chooser->list()->count(); ++i) names.append(chooser->list()->item(i)->text());
        return names;
    }

    std::unique_ptr<TfrmQstList> chooser;
    QStringList shown;
    int remembered = -1;
    bool editorSaves = true;
    bool filled = false;
};

TEST_F(ExamChooserWindowTest, ListsExamsThenTemplatesAndFollowsTheSelectionByKeys) {
    open(2);
    ASSERT_TRUE(filled);
    EXPECT_EQ(chooser->windowTitle(), "Select exam for test.   Examinee : #0000001   ( Petrov )");
    EXPECT_EQ(entries(), (QStringList{"EXAM_01.QS_", "EXAM_02.QS_", "alpha.QS3", "beta.qs1"}));
    EXPECT_EQ(chooser->preview()->count(), 4);
    EXPECT_EQ(chooser->methodLabel()->text(), "Method : Control question");
    EXPECT_TRUE(chooser->testButton()->isEnabled());
    EXPECT_FALSE(chooser->createButton()->isEnabled());
    EXPECT_EQ(test::unnamedControls(*chooser), "");

    ws->records().setChosenOrder(3);
    test::pressKey(chooser->list(), Qt::Key_Down);
    test::pressKey(chooser->list(), Qt::Key_Down);
    EXPECT_EQ(ws->records().chosenOrder(), 1);  // a key move resets the order
    EXPECT_EQ(chooser->preview()->item(0)->text(), " 1. R1.-.Were you there?");
    EXPECT_EQ(chooser->preview()->item(0)->foreground().color(), QColor(Qt::red));
    EXPECT_FALSE(chooser->testButton()->isEnabled());
    EXPECT_FALSE(chooser->deleteButton()->isEnabled());
    EXPECT_TRUE(chooser->createButton()->isEnabled());
    test::pressKey(chooser->list(), Qt::Key_Delete);  // no exam: nothing to delete
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(ExamChooserWindowTest, CreateByTemplateThenCancelLeavesNoFileAndSaveSelectsTheNewExam) {
    open(2);
    test::pressKey(chooser->list(), Qt::Key_Down);
    test::pressKey(chooser->list(), Qt::Key_Down);
    editorSaves = false;
    test::pressKey(chooser->createButton(), Qt::Key_Space);
    EXPECT_EQ(shown, QStringList{"edit:exam_03.qs_ structure"});
    EXPECT_FALSE(fs::exists(folder() / "exam_03.qs_"));
    EXPECT_EQ(entries().size(), 4);
    editorSaves = true;
    test::pressKey(chooser->createButton(), Qt::Key_Space);
    EXPECT_EQ(entries()[2], "EXAM_03.QS_");
    EXPECT_EQ(chooser->list()->currentRow(), 2);
    EXPECT_TRUE(chooser->testButton()->isEnabled());
}

TEST_F(ExamChooserWindowTest, DelDeletesTheExamAfterTheQuestionAndEnterTests) {
    open(2);
    addCharts(2, 1);
    test::pressKey(chooser->list(), Qt::Key_Down);
    test::pressKey(chooser->list(), Qt::Key_Delete);
    EXPECT_EQ(shown, QStringList{"confirm:Do you want to delete ALL data concerned with the exam?"});
    EXPECT_EQ(entries(), (QStringList{"EXAM_01.QS_", "alpha.QS3", "beta.qs1"}));
    EXPECT_EQ(chooser->list()->currentRow(), 1);
    EXPECT_EQ(folderFiles(), (std::vector<std::string>{"exam_01.qs_", "subject.dat"}));
    test::pressKey(chooser->list(), Qt::Key_Up);
    test::pressKey(chooser->list(), Qt::Key_Return);
    EXPECT_EQ(chooser->result(), QDialog::Accepted);
    EXPECT_EQ(chooser->chosenExam(), 1);
    EXPECT_EQ(remembered, 0);
}

TEST_F(ExamChooserWindowTest, ToTemplateAsksUnderTheChoosersCaptionAndAppendsTheTemplate) {
    open(1);
    test::pressKey(chooser->toTemplateButton(), Qt::Key_Space);
    EXPECT_EQ(shown, QStringList{"ask:Select exam for test.   Examinee : #0000001   ( Petrov )|Name new template :|EXAM_01"});
    EXPECT_EQ(entries().last(), "copy.QS3");
    EXPECT_TRUE(fs::exists(home / "QST" / "copy.QS3"));
}

TEST_F(ExamChooserWindowTest, NineChartsDisableTheOrderButtonsAndTest) {
    open(1);
    addCharts(1, 9);
    chooser = nullptr;
    QstListSteps steps;
    steps.setOrders = [](const fs::path&) {};
    steps.chooseOrder = [](const fs::path&) { return true; };
    steps.runTest = [](const recording::TestRunSetup&) {};
    TfrmQstList full(*ws, remembered, steps);
    ASSERT_TRUE(full.fill());
    EXPECT_EQ(full.list()->item(0)->data(Qt::UserRole + 1).toInt(), 9);
    EXPECT_FALSE(full.setButton()->isEnabled());
    EXPECT_FALSE(full.chooseButton()->isEnabled());
    EXPECT_FALSE(full.testButton()->isEnabled());
    EXPECT_FALSE(full.editButton()->isEnabled());  // no exam editor was given
    EXPECT_TRUE(full.deleteButton()->isEnabled());
}

}  // namespace
}  // namespace lumo::authoring::ui
