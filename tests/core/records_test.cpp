#include "core/records.h"

#include <gtest/gtest.h>

#include "core/clock.h"
#include "core/errors.h"
#include "core/settings.h"
#include "core/test_home.h"

namespace lumo::core {
namespace {

namespace fs = std::filesystem;

TSubj named(std::string code, std::string name) {
    TSubj subject;
    subject.fileCode = std::move(code);
    subject.name = std::move(name);
    return subject;
}

class RecordsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeMinimalIni(home.path());
        settings.load();
        test::writeLines(home / "DAT" / "#0000001" / "subject.dat", {"Name=First", "Archive= "});
        test::writeLines(home / "DAT" / "#0000002" / "subject.dat", {"Name=Second", "Archive= "});
        test::writeExamFile(home / "DAT" / "#0000001" / "exam_01.qs_", "1", 4);
        test::writeExamFile(home / "DAT" / "#0000001" / "exam_02.qs_", "2", 4);
        test::writeExamFile(home / "DAT" / "#0000002" / "exam_01.qs_", "3", 4);
    }

    test::TempHome home;
    Settings settings{home.path()};
    ManualClock clock{{2001, 3, 7}};
    Records records{settings, clock};
};

TEST_F(RecordsTest, LoadsOperatorsThenExaminees) {
    records.load();
    ASSERT_EQ(records.operators().size(), 1u);
    EXPECT_EQ(records.operators().users()[0].date, "07-03-2001");
    EXPECT_TRUE(fs::exists(home / "userlist.dat"));
    ASSERT_EQ(records.examinees().size(), 2u);
    EXPECT_EQ(records.examinees().at(1).name, "Second");
    EXPECT_FALSE(records.current().isSet());
}

TEST_F(RecordsTest, FindsTheDataFilesWhateverTheirLetterCase) {
    fs::rename(home / "DAT", home / "dat");
    test::writeFile(home / "USERLIST.DAT", "");
    records.load();
    EXPECT_EQ(records.examinees().size(), 2u);
    EXPECT_TRUE(records.operators().empty());  // the existing empty file, not a new default one
    EXPECT_FALSE(fs::exists(home / "userlist.dat"));
}

TEST_F(RecordsTest, MakeCurrentKeepsExamAndChartOnlyForTheSameExaminee) {
    records.load();
    records.makeCurrent(records.examinees().at(0));
    CurrentExaminee& current = records.current();
    EXPECT_EQ(current.position, 0);
    ASSERT_EQ(current.exams.size(), 2u);
    current.examNumber = 2;
    current.chart = 1;
    ASSERT_NE(current.currentExam(), nullptr);
    EXPECT_EQ(current.currentExam()->methodName, "Peak of tension");

    TSubj renamed = records.examinees().at(0);
    renamed.name = "First, renamed";
    records.makeCurrent(renamed);
    EXPECT_EQ(current.record.name, "First, renamed");
    EXPECT_EQ(current.examNumber, 2);
    EXPECT_EQ(current.chart, 1);

    records.makeCurrent(records.examinees().at(1));
    EXPECT_EQ(current.record.name, "Second");
    EXPECT_EQ(current.position, 1);
    EXPECT_EQ(current.examNumber, 0);
    EXPECT_EQ(current.chart, 0);
    ASSERT_EQ(current.exams.size(), 1u);
    EXPECT_EQ(current.exams[0].methodName, "Control questio");
    EXPECT_EQ(current.currentExam(), nullptr);

    records.clearCurrent();
    EXPECT_FALSE(current.isSet());
    EXPECT_EQ(current.position, -1);
    EXPECT_EQ(current.record.archive, " ");
    EXPECT_TRUE(current.exams.empty());
}

TEST_F(RecordsTest, AFailedExamListLeavesNoExamsOfThePreviousExaminee) {
    records.load();
    records.makeCurrent(records.examinees().at(0));
    test::writeLines(home / "DAT" / "#0000002" / "exam_01.qs_", {"Examinee", "Operator 1", "3", "0", "four"});
    EXPECT_THROW(records.makeCurrent(records.examinees().at(1)), EConvertError);
    EXPECT_EQ(records.current().record.fileCode, "#0000002");
    EXPECT_TRUE(records.current().exams.empty());
}

TEST_F(RecordsTest, ReloadExamsPicksUpNewFiles) {
    records.load();
    records.makeCurrent(records.examinees().at(1));
    test::writeExamFile(home / "DAT" / "#0000002" / "exam_02.qs_", "1", 3);
    records.reloadExams();
    EXPECT_EQ(records.current().exams.size(), 2u);
    records.clearCurrent();
    records.reloadExams();
    EXPECT_TRUE(records.current().exams.empty());
}

TEST_F(RecordsTest, SaveExamineeWritesListsAndMakesCurrent) {
    records.load();
    const TSubj added{"#0000003", "Third", "Operator 1", "07-03-2001", "Theft", "", " ", "note"};
    ASSERT_TRUE(records.saveExaminee(added));
    EXPECT_EQ(readSubjectFile(home / "DAT" / "#0000003" / "subject.dat", "#0000003"), added);
    EXPECT_EQ(records.examinees().size(), 3u);
    EXPECT_EQ(records.current().record, added);
    EXPECT_EQ(records.current().position, 2);

    // Saving an existing examinee (its folder exists) replaces its entry.
    TSubj edited = records.examinees().at(0);
    edited.issue = "Case 1";
    ASSERT_TRUE(records.saveExaminee(edited));
    EXPECT_EQ(records.examinees().size(), 3u);
    EXPECT_EQ(records.examinees().at(0).issue, "Case 1");
    EXPECT_EQ(records.current().position, 0);

    // The list agrees with what a fresh load finds.
    ExamineeList fresh;
    fresh.load(home / "DAT");
    EXPECT_EQ(fresh.entries(), records.examinees().entries());
}

TEST_F(RecordsTest, BinaryRecordIsSavedInKeyValueForm) {
    std::string binary(122, '\0');
    binary.replace(0, 9, std::string("\x08") + "#0000004");
    binary.replace(9, 6, std::string("\x05") + "Fifth");
    binary.replace(99, 2, std::string("\x01") + " ");
    test::writeFile(home / "DAT" / "#0000004" / "subject.dat", binary);
    records.load();
    const int index = records.examinees().indexOf("#0000004");
    ASSERT_GE(index, 0);
    ASSERT_TRUE(records.saveExaminee(records.examinees().at(static_cast<std::size_t>(index))));
    EXPECT_EQ(test::readFile(home / "DAT" / "#0000004" / "subject.dat"),
              "FileCode=#0000004\r\nName=Fifth\r\nArchive= \r\n");
}

TEST_F(RecordsTest, SaveExamineeFailsQuietly) {
    records.load();
    EXPECT_FALSE(records.saveExaminee(named("", "Nobody")));
    EXPECT_FALSE(records.saveExaminee(named("#/../../x", "Outside")));
    test::writeFile(home / "DAT" / "#0000005", "a file where the folder should be");
    EXPECT_FALSE(records.saveExaminee(named("#0000005", "Blocked")));
    EXPECT_EQ(records.examinees().size(), 2u);
    EXPECT_FALSE(records.current().isSet());
}

}  // namespace
}  // namespace lumo::core
