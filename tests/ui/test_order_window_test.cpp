#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

#include "authoring/exam_fixture.h"
#include "authoring/ui/frm_test_order.h"
#include "core/question_set.h"
#include "ui/accessible_names.h"
#include "ui/test_window_events.h"

namespace lumo::authoring::ui {
namespace {

namespace fs = std::filesystem;

// The order dialog on an exam of ten neutral questions, driven by keys.
class TestOrderWindowTest : public test::ExamHomeTest {
protected:
    void SetUp() override {
        test::ExamHomeTest::SetUp();
        start(0);
        test::writeExamFile(file(), "3", 10);
        dialog = std::make_unique<TfrmTestOrder>(*ws);
        dialog->setErrorFunction([this](const QString& text) { errors.append(text); });
        dialog->setExamFile(file());
    }
    void open(OrderMode mode) {
        dialog->prepare(mode);
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        dialog->orderList()->setFocus();
    }
    fs::path file() const { return folder() / "exam_01.qs_"; }
    QString cell(int row, int column) const {
        const QTableWidgetItem* item = dialog->grid()->item(row, column);
        return item == nullptr ? QString() : item->text();
    }

    std::unique_ptr<TfrmTestOrder> dialog;
    QStringList errors;
};

TEST_F(TestOrderWindowTest, SetModeShowsTheOrdersAndNamesEveryControl) {
    open(OrderMode::Set);
    EXPECT_EQ(dialog->windowTitle(), "Edit question order. Examinee : #0000001 / EXAM_01 ( Petrov )");
    EXPECT_EQ(dialog->okButton()->text(), "Save");
    EXPECT_EQ(dialog->orderList()->count(), 4);
    EXPECT_EQ(dialog->orderList()->item(3)->text(), "Order 4");
    EXPECT_EQ(cell(0, 0), " N1");
    EXPECT_EQ(cell(1, 9), " N10");
    EXPECT_EQ(dialog->questionList()->item(0)->text(), " 1. N1.+.Is it question 1?");
    EXPECT_EQ(test::unnamedControls(*dialog), "");
}

TEST_F(TestOrderWindowTest, PickingByEnterFillsTheRowAndEscAfterThreePicksRestoresOrder2) {
    open(OrderMode::Set);
    test::pressKey(dialog->orderList(), Qt::Key_Down);
    ASSERT_EQ(dialog->editor().selectedOrder(), 2);
    dialog->questionList()->setFocus();
    ASSERT_TRUE(dialog->editor().picking());
    EXPECT_FALSE(dialog->okButton()->isEnabled());
    EXPECT_FALSE(dialog->orderList()->isEnabled());
    EXPECT_EQ(cell(1, 0), "");
    test::pressKey(dialog->questionList(), Qt::Key_Down);
    test::pressKey(dialog->questionList(), Qt::Key_Return);  // question 2
    test::pressKey(dialog->questionList(), Qt::Key_Return);  // question 3
    test::pressKey(dialog->questionList(), Qt::Key_Return);  // question 4
    EXPECT_EQ(cell(1, 0), " N2");
    EXPECT_EQ(cell(1, 1), " N3");
    EXPECT_EQ(cell(1, 2), " N4");
    EXPECT_EQ(cell(1, 3), "");
    EXPECT_EQ(dialog->questionList()->count(), 7);
    test::pressKey(dialog->questionList(), Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->editor().picking());
    EXPECT_EQ(cell(1, 0), " N1");
    EXPECT_EQ(cell(1, 9), " N10");
    EXPECT_EQ(dialog->questionList()->count(), 10);
    EXPECT_TRUE(dialog->okButton()->isEnabled());
}

TEST_F(TestOrderWindowTest, PickingEveryQuestionAndSavingWritesTheOrder) {
    open(OrderMode::Set);
    test::pressKey(dialog->orderList(), Qt::Key_End);  // order 4
    dialog->questionList()->setFocus();
    // From the last line up: order 4 reverses the rows.
    for (int k = 0; k < 10; ++k) {
        test::pressKey(dialog->questionList(), Qt::Key_End);
        test::pressKey(dialog->questionList(), Qt::Key_Return);
    }
    EXPECT_FALSE(dialog->editor().picking());
    EXPECT_EQ(cell(3, 0), " N10");
    EXPECT_EQ(dialog->questionList()->item(0)->text(), "10. N10.+.Is it question 10?");
    test::pressKey(dialog->orderList(), Qt::Key_Return);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    const core::TQstTest saved(file(), 7);
    EXPECT_EQ(saved.question(1).order(4), 10);
    EXPECT_EQ(saved.question(10).order(4), 1);
    EXPECT_EQ(saved.question(10).order(2), 10);
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(TestOrderWindowTest, ChooseModeKeepsTheChosenOrderForTheNextUse) {
    open(OrderMode::Choose);
    EXPECT_EQ(dialog->windowTitle(), "Choose question order. Examinee : #0000001 / EXAM_01 ( Petrov )");
    EXPECT_EQ(dialog->okButton()->text(), "Choose");
    test::pressKey(dialog->orderList(), Qt::Key_Down);
    test::pressKey(dialog->orderList(), Qt::Key_Down);
    dialog->questionList()->setFocus();
    EXPECT_FALSE(dialog->editor().picking());  // nothing is picked when choosing
    test::pressKey(dialog->questionList(), Qt::Key_Return);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(ws->records().chosenOrder(), 3);
    const std::string before = test::readFile(file());
    open(OrderMode::Choose);
    EXPECT_EQ(dialog->orderList()->currentRow(), 2);
    test::pressKey(dialog->orderList(), Qt::Key_Up);
    test::pressKey(dialog->orderList(), Qt::Key_Escape);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(ws->records().chosenOrder(), 3);
    EXPECT_EQ(test::readFile(file()), before);
}

}  // namespace
}  // namespace lumo::authoring::ui
