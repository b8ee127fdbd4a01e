#include "core/exam_list.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/settings.h"
#include "core/test_home.h"

namespace lumo::core {
namespace {

namespace fs = std::filesystem;
using test::writeExamFile;
using test::writeResultsTable;

class ExamList : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeMinimalIni(home.path());
        settings.load();
        fs::create_directories(folder);
    }

    test::TempHome home;
    Settings settings{home.path()};
    fs::path folder = home / "DAT" / "#0000001";
};

TEST_F(ExamList, ChartsNeedTheirResultsTable) {
    writeExamFile(folder / "exam_01.qs_", "1", 5, "Theft, first");
    test::writeFile(folder / "exam_01.ch1", "chart");  // no results table: not listed
    test::writeFile(folder / "EXAM_01.CH2", "chart");
    writeResultsTable(folder / "Exam_01.Qt2", "07-03-2001 extra", "12:34:56.78", 5, 15, 312);
    test::writeFile(folder / "exam_01.tx2", "");
    writeResultsTable(folder / "exam_01.qt3", "07-03-2001", "13:00:00", 5, 15, 100);  // no chart file

    const std::vector<TExam> exams = loadExamList(folder, settings);
    ASSERT_EQ(exams.size(), 1u);
    const TExam& exam = exams[0];
    EXPECT_EQ(exam.number, "01");
    EXPECT_EQ(exam.methodName, "Zone comparison");
    EXPECT_EQ(exam.questionCount, 5);
    EXPECT_EQ(exam.mark, "Theft, first");
    ASSERT_EQ(exam.chartCount, 1);
    const TTest& chart = exam.charts[0];
    EXPECT_EQ(chart.chartNumber, "02");
    EXPECT_EQ(chart.presentations, 5);
    EXPECT_EQ(chart.date, "07-03-2001");
    EXPECT_EQ(chart.startTime, "12:34:56");
    EXPECT_EQ(chart.duration, 312);
    EXPECT_EQ(chart.questionTime, 15);
    EXPECT_EQ(chart.marker, "#");

    fs::remove(folder / "exam_01.tx2");
    EXPECT_EQ(loadExamList(folder, settings)[0].charts[0].marker, " ");
}

TEST_F(ExamList, NumericLinesAreTrimmedBeforeConversion) {
    writeExamFile(folder / "exam_01.qs_", "1", 3);
    test::writeFile(folder / "exam_01.ch1", "chart");
    std::vector<std::string> table(15, "0");
    table[11] = "  7 ";
    table[13] = " 20";
    table[14] = "99  ";
    test::writeLines(folder / "exam_01.qt1", table);
    const TTest chart = loadExamList(folder, settings)[0].charts[0];
    EXPECT_EQ(chart.presentations, 7);
    EXPECT_EQ(chart.questionTime, 20);
    EXPECT_EQ(chart.duration, 99);
}

TEST_F(ExamList, MethodNameFollowsTheLanguageAndIsCutTo15) {
    writeExamFile(folder / "exam_01.qs_", " 3 ", 2);  // trimmed before the look-up
    writeExamFile(folder / "exam_02.qs_", "03", 2);   // looked up as text: no such key
    std::vector<TExam> exams = loadExamList(folder, settings);
    EXPECT_EQ(exams[0].methodName, "Control questio");
    EXPECT_EQ(exams[1].methodName, "");

    settings.list().setValue("Language", "RUS");
    settings.save();
    settings.load();
    exams = loadExamList(folder, settings);
    EXPECT_EQ(exams[0].methodName, "Метод 3");
}

TEST_F(ExamList, SortedByNumberWithFormatNames) {
    EXPECT_EQ(examFileName(9), "exam_09.qs_");
    EXPECT_EQ(examFileName(10), "exam_10.qs_");
    EXPECT_EQ(examStem(1), "exam_01");
    EXPECT_THROW(examStem(0), EListError);
    EXPECT_THROW(examStem(100), EListError);

    writeExamFile(folder / examFileName(10), "1", 1);
    writeExamFile(folder / examFileName(9), "2", 2);
    writeExamFile(folder / "EXAM_02.QS_", "3", 3);
    writeExamFile(folder / "exam_ab.qs_", "1", 1);  // not an exam number
    writeExamFile(folder / "exam_00.qs_", "1", 1);  // 0 stands for "no exam"
    fs::create_directories(folder / "exam_03.qs_");  // a folder, not an exam
    writeExamFile(folder / "exam_1.qs_", "1", 1);
    std::vector<std::string> numbers;
    for (const TExam& exam : loadExamList(folder, settings)) numbers.push_back(exam.number);
    EXPECT_EQ(numbers, (std::vector<std::string>{"02", "09", "10"}));
    EXPECT_TRUE(loadExamList(home / "DAT" / "#0000002", settings).empty());
}

TEST_F(ExamList, DamagedFilesRaiseInsteadOfReadingPastTheEnd) {
    writeExamFile(folder / "exam_01.qs_", "1", 2);
    test::writeFile(folder / "exam_01.ch1", "chart");
    test::writeLines(folder / "exam_01.qt1", std::vector<std::string>(10, "1"));
    try {
        loadExamList(folder, settings);
        FAIL() << "a results table of 10 lines was accepted";
    } catch (const EListError& error) {
        EXPECT_NE(std::string(error.what()).find("exam_01.qt1"), std::string::npos) << error.what();
    }

    std::vector<std::string> table(15, "1");
    table[11] = "many";
    test::writeLines(folder / "exam_01.qt1", table);
    EXPECT_THROW(loadExamList(folder, settings), EConvertError);

    fs::remove(folder / "exam_01.ch1");
    test::writeLines(folder / "exam_01.qs_", {"Examinee", "Operator 1", "1", "0", "x"});
    try {
        loadExamList(folder, settings);
        FAIL() << "a question count of x was accepted";
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), "'x' is not a valid integer value");
    }
    test::writeLines(folder / "exam_01.qs_", {"Examinee", "Operator 1", "1"});
    EXPECT_THROW(loadExamList(folder, settings), EListError);
}

}  // namespace
}  // namespace lumo::core
