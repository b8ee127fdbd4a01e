#include "authoring/question_order.h"

#include <gtest/gtest.h>

#include "authoring/exam_fixture.h"
#include "core/question_set.h"

namespace lumo::authoring {
namespace {

namespace fs = std::filesystem;

class QuestionOrderTest : public test::ExamHomeTest {
protected:
    void SetUp() override {
        test::ExamHomeTest::SetUp();
        start(0);
        // Ten questions; order 2 reverses the rows.
        std::vector<std::string> lines = {"Petrov", "Operator 1", "3", "0", "10", "Mark", "07-03-2001",
                                          "1", "0", "1", "8", "0", "0", "0"};
        for (int i = 1; i <= 10; ++i) {
            const std::string sign = i == 1 ? " R1" : i == 2 ? " C1" : " N" + std::to_string(i - 2);
            lines.insert(lines.end(), {(i < 10 ? " " : "") + std::to_string(i), sign, "+",
                                       "Question " + std::to_string(i) + "?", "", std::to_string(i),
                                       std::to_string(11 - i), std::to_string(i), std::to_string(i), " "});
        }
        test::writeLines(file(), lines);
        original = test::readFile(file());
    }
    fs::path file() const { return folder() / "exam_01.qs_"; }
    std::vector<std::string> row(const QuestionOrderEditor& editor, int order) const {
        std::vector<std::string> signs;
        for (int c = 0; c < QuestionOrderEditor::kGridColumns; ++c) signs.push_back(editor.cell(order, c).sign);
        while (!signs.empty() && signs.back().empty()) signs.pop_back();
        return signs;
    }
    std::string original;
};

TEST_F(QuestionOrderTest, TheGridShowsEveryOrderAndTheListTheSelectedOne) {
    QuestionOrderEditor editor(*ws);
    editor.open(file(), OrderMode::Set, 2);
    EXPECT_EQ(editor.caption(), "Edit question order. Examinee : #0000001 / EXAM_01 ( Petrov )");
    EXPECT_EQ(editor.methodCaption(), "Method : Control question");
    EXPECT_EQ(row(editor, 1).front(), " R1");
    EXPECT_EQ(row(editor, 2).front(), " N8");
    EXPECT_EQ(row(editor, 2).size(), 10u);
    EXPECT_EQ(editor.cell(1, 0).colour, (core::Rgb{255, 0, 0}));
    EXPECT_EQ(editor.cell(1, 1).colour, (core::Rgb{0, 255, 0}));
    EXPECT_EQ(editor.listLine(0), "10. N8.+.Question 10?");
    editor.selectOrder(1);
    EXPECT_EQ(editor.listLine(0), " 1. R1.+.Question 1?");
    editor.open(file(), OrderMode::Choose, 4);
    EXPECT_EQ(editor.caption(), "Choose question order. Examinee : #0000001 / EXAM_01 ( Petrov )");
    EXPECT_EQ(editor.selectedOrder(), 4);
    EXPECT_FALSE(editor.enterList());  // nothing is picked in choose mode
}

TEST_F(QuestionOrderTest, PickingFillsTheRowFromTheLeftAndEscAfterThreePicksRestoresIt) {
    QuestionOrderEditor editor(*ws);
    editor.open(file(), OrderMode::Set, 2);
    ASSERT_TRUE(editor.enterList());
    EXPECT_TRUE(row(editor, 2).empty());
    EXPECT_EQ(editor.listLine(0), " 1. R1.+.Question 1?");  // row order while picking
    editor.setListSelection(2);
    editor.pick();  // question 3
    EXPECT_EQ(row(editor, 2), std::vector<std::string>{" N1"});
    EXPECT_EQ(editor.listSelection(), 2);  // stays on the line, now question 4
    editor.pick();
    editor.setListSelection(7);  // the last line
    editor.pick();               // question 10
    EXPECT_EQ(row(editor, 2), (std::vector<std::string>{" N1", " N2", " N8"}));
    EXPECT_EQ(editor.listCount(), 7);
    EXPECT_EQ(editor.listSelection(), 6);  // moved to the new last line
    EXPECT_FALSE(editor.canClose());
    editor.selectOrder(3);
    EXPECT_EQ(editor.selectedOrder(), 2);

    editor.cancelPicking();
    EXPECT_FALSE(editor.picking());
    EXPECT_EQ(row(editor, 2).front(), " N8");
    EXPECT_EQ(row(editor, 2).back(), " R1");
    EXPECT_EQ(editor.listCount(), 10);
    EXPECT_EQ(editor.listLine(0), "10. N8.+.Question 10?");
}

TEST_F(QuestionOrderTest, OrderOneIsNeverPicked) {
    QuestionOrderEditor editor(*ws);
    editor.open(file(), OrderMode::Set, 1);
    EXPECT_FALSE(editor.enterList());
    EXPECT_FALSE(editor.picking());
}

TEST_F(QuestionOrderTest, SaveWritesTheNewOrderAndEverythingElseAsRead) {
    QuestionOrderEditor editor(*ws);
    editor.open(file(), OrderMode::Set, 3);
    ASSERT_TRUE(editor.enterList());
    // Pick the last line each time: order 3 becomes the reverse of the rows.
    for (int k = 0; k < 10; ++k) {
        editor.setListSelection(editor.listCount() - 1);
        editor.pick();
    }
    EXPECT_FALSE(editor.picking());
    EXPECT_EQ(editor.listLine(0), "10. N8.+.Question 10?");
    editor.save();
    // Byte for byte: the file as read, with the order-3 line of question i
    // (line 15 + 10 (i - 1) + 7) now 11 - i.
    std::string expected;
    std::size_t at = 0;
    for (int line = 1; at < original.size(); ++line) {
        const std::size_t end = original.find("\r\n", at);
        std::string text = original.substr(at, end - at);
        if (line >= 15 && (line - 15) % 10 == 7) text = std::to_string(11 - ((line - 15) / 10 + 1));
        expected += text + "\r\n";
        at = end + 2;
    }
    EXPECT_EQ(test::readFile(file()), expected);
}

}  // namespace
}  // namespace lumo::authoring
