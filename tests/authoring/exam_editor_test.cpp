#include "authoring/exam_editor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/file_size_limit.h"
#include "core/clock.h"
#include "core/errors.h"
#include "core/test_home.h"
#include "core/text_file.h"
#include "core/workstation.h"

namespace lumo::authoring {
namespace {

namespace fs = std::filesystem;
using Column = QuestionRows::Column;
using Lines = std::vector<std::string>;

class ExamEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeMinimalIni(home.path());
        ws = std::make_unique<core::Workstation>(home.path(),
                                                 std::make_unique<core::ManualClock>(core::Date{2026, 12, 9}));
        ws->initialise();
        exam = home / "DAT/#0000001/exam_01.qs_";
        test::writeExamFile(exam, "3", 6, "Theft");
    }

    test::TempHome home;
    std::unique_ptr<core::Workstation> ws;
    fs::path exam;
};

TEST_F(ExamEditorTest, ShowsTheExam) {
    ExamEditor editor(*ws, exam, false);
    EXPECT_EQ(editor.rows().count(), 6);
    EXPECT_EQ(editor.rows().row(0), (QuestionRow{" 1", " N1", "+", "Is it question 1?"}));
    EXPECT_EQ(editor.method(), 3);
    EXPECT_EQ(editor.methodNames().size(), 6u);
    EXPECT_EQ(editor.methodNames()[2], "Control question");
    EXPECT_EQ(editor.formatLabel(), "<<[n]-o-(v)-[c-i]-(v-[n])>>");
    EXPECT_EQ(editor.examineePanel(), "Examinee: Examinee");
    EXPECT_EQ(editor.examinerPanel(), "Examiner : Operator 1");
    EXPECT_EQ(editor.mark(), "Theft");
    EXPECT_EQ(editor.printHeading(), "Theft (exam_01.qs_); Examinee: Examinee; Control question");
    // Down on the last question goes to question 1, never appends.
    EXPECT_EQ(editor.rows().move(QuestionRows::Key::Down, {5, Column::Text}, false, false),
              (QuestionRows::Field{0, Column::Text}));
    EXPECT_EQ(editor.rows().count(), 6);
    EXPECT_FALSE(editor.rows().canInsert());
    EXPECT_FALSE(editor.rows().canDelete());
    ExamEditor structure(*ws, exam, true);
    EXPECT_TRUE(structure.rows().canInsert());
    EXPECT_TRUE(structure.rows().canDelete());
}

TEST_F(ExamEditorTest, SavingSplitsTextsAndResetsTheOrders) {
    // Orders 2 to 4 as the order dialog left them.
    core::TQstTest stored(exam, 7);
    for (int i = 1; i <= 6; ++i) stored.question(i).orders = {i, 7 - i, 7 - i, i};
    stored.save(exam);

    ExamEditor editor(*ws, exam, true);
    editor.rows().change({0, Column::Sign}, "R");
    editor.rows().change({1, Column::Text}, std::string(60, 'a') + "b?");
    editor.rows().change({2, Column::Text}, std::string(59, 'c') + "?");
    editor.rows().enter({5, Column::Sign});
    ASSERT_TRUE(editor.rows().remove());
    editor.setMethod(5);
    editor.setMark(std::string(70, 'm'));
    ASSERT_EQ(editor.save(), std::nullopt);

    const core::TQstTest saved(exam, 7);
    EXPECT_EQ(saved.method, 5);
    EXPECT_EQ(saved.examMark, std::string(60, 'm'));
    EXPECT_EQ(saved.date, "09-12-2026");
    EXPECT_EQ(saved.examineeName, "Examinee");
    EXPECT_EQ(saved.operatorName, "Operator 1");
    ASSERT_EQ(saved.questionCount(), 5);
    EXPECT_EQ(saved.question(1).sign, " R1");
    EXPECT_EQ(saved.question(2).sign, " N1");
    EXPECT_EQ(saved.question(2).textPart1, std::string(60, 'a'));
    EXPECT_EQ(saved.question(2).textPart2, "b?");
    EXPECT_EQ(saved.question(3).textPart1, std::string(59, 'c') + "?");
    EXPECT_EQ(saved.question(3).textPart2, "");
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(saved.question(i).orders, (std::array<int, 4>{i, i, i, i})) << i;
    }
    EXPECT_EQ(saved.typeCount(1), 1);
    EXPECT_EQ(saved.typeCount(4), 4);
    EXPECT_EQ(saved.typeCount(3), 0);
    // The header still carries seven counters.
    const Lines lines = core::readTextLines(exam);
    EXPECT_EQ(lines.size(), 7u + 7u + 5u * 10u);
}

TEST_F(ExamEditorTest, AFaultyRowKeepsTheFileAsItWas) {
    const std::string before = test::readFile(exam);
    ExamEditor editor(*ws, exam, false);
    editor.rows().change({2, Column::Sign}, "5");
    const auto fault = editor.save();
    ASSERT_TRUE(fault.has_value());
    EXPECT_EQ(fault->message, "Invalid type at line 3");
    EXPECT_EQ(test::readFile(exam), before);

    // A full disk: the error names the file, the exam stays as it was.
    editor.rows().change({2, Column::Sign}, "R");
    {
        test::FileSizeLimit limit(100);
        EXPECT_THROW(editor.save(), EInOutError);
    }
    EXPECT_EQ(test::readFile(exam), before);

    test::writeLines(exam, {"Examinee", "Operator", "x"});
    EXPECT_THROW(ExamEditor(*ws, exam, false), LumoError);
}

}  // namespace
}  // namespace lumo::authoring
