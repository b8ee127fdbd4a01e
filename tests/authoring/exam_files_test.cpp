#include "authoring/exam_files.h"

#include <gtest/gtest.h>

#include "authoring/exam_fixture.h"
#include "core/errors.h"
#include "core/text_file.h"

namespace lumo::authoring {
namespace {

namespace fs = std::filesystem;

core::TExam examNumbered(const std::string& number) {
    core::TExam exam;
    exam.number = number;
    return exam;
}

TEST(ExamNumbers, TheNextIsTheLastPlusOneWithGapsKeptAndTheLowestFreeAfter99) {
    EXPECT_EQ(nextExamNumber({}), 1);
    EXPECT_EQ(nextExamNumber({examNumbered("01"), examNumbered("02")}), 3);
    // Exam 02 deleted from 01 ... 03: still after the last.
    EXPECT_EQ(nextExamNumber({examNumbered("01"), examNumbered("03")}), 4);
    EXPECT_EQ(nextExamNumber({examNumbered("02"), examNumbered("99")}), 1);
    std::vector<core::TExam> all;
    for (int n = 1; n <= 99; ++n) all.push_back(examNumbered((n < 10 ? "0" : "") + std::to_string(n)));
    EXPECT_EQ(nextExamNumber(all), 0);
    all.erase(all.begin() + 41);  // 42
    EXPECT_EQ(nextExamNumber(all), 42);
}

class ExamFilesTest : public test::ExamHomeTest {};

TEST_F(ExamFilesTest, DeletingAnExamTakesItsFilesOnlyInAnyCaseOfTheNames) {
    start(1);
    for (const char* name : {"exam_01.ch1", "EXAM_01.QT1", "exam_01.sc1", "exam_01.tx1", "exam_011.ch1",
                             "exam_01x.qs_", "exam_010.qs_", "exam_02.ch1", "exam_01", "xexam_01.ch1"}) {
        test::writeFile(folder() / name, "x");
    }
    fs::create_directories(folder() / "exam_01.dir");
    EXPECT_TRUE(deleteExamFiles(folder(), 1).empty());
    EXPECT_EQ(folderFiles(), (std::vector<std::string>{"exam_01", "exam_01.dir", "exam_010.qs_", "exam_011.ch1",
                                                       "exam_01x.qs_", "exam_02.ch1", "subject.dat", "xexam_01.ch1"}));
}

TEST_F(ExamFilesTest, AFileThatCannotBeDeletedIsNamedAndTheOthersGo) {
    start(2);
    addCharts(2, 2);
    ws->records().current().examNumber = 2;
    const FileRemover refuseOne = [](const fs::path& file) {
        return file.filename() != "exam_02.qt2" && fs::remove(file);
    };
    try {
        removeExam(*ws, 2, refuseOne);
        ADD_FAILURE();
    } catch (const EInOutError& error) {
        EXPECT_EQ(std::string(error.what()), "The file " + (folder() / "exam_02.qt2").string() + " cannot be deleted");
    }
    EXPECT_EQ(ws->records().current().examNumber, 0);
    EXPECT_EQ(ws->records().current().exams.size(), 1u);
    EXPECT_EQ(folderFiles(), (std::vector<std::string>{"exam_01.qs_", "exam_02.qt2", "subject.dat"}));
}

TEST_F(ExamFilesTest, TemplateNamesThatNoDiskTakesAreRefusedBeforeWriting) {
    start(1);
    const core::Texts& texts = ws->texts();
    EXPECT_NO_THROW(checkTemplateName("Zone test 2", texts));
    EXPECT_NO_THROW(checkTemplateName("Опрос", texts));
    for (const char* bad : {"a/b", "a\\b", "what?", "x:y", "<a>", "a|b", "a*", "\"q\""}) {
        try {
            checkTemplateName(bad, texts);
            ADD_FAILURE() << bad;
        } catch (const EInOutError& error) {
            EXPECT_NE(std::string(error.what()).find("A template name cannot hold the character"), std::string::npos);
        }
    }
    EXPECT_THROW(checkTemplateName("tab\there", texts), EInOutError);
    EXPECT_THROW(checkTemplateName("..", texts), EInOutError);
    try {
        checkTemplateName("   ", texts);
        ADD_FAILURE();
    } catch (const EInOutError& error) {
        EXPECT_STREQ(error.what(), "Template name is empty");
    }
}

TEST_F(ExamFilesTest, ExportAsksForTheNameAndBeforeOverwriting) {
    start(2);
    std::vector<std::string> asked;
    std::string answer = "alpha";
    bool overwrite = false;
    TemplateExportSteps steps;
    steps.askName = [&](const std::string& proposal) -> std::optional<std::string> {
        asked.push_back("name:" + proposal);
        return answer;
    };
    steps.confirm = [&](const std::string& text) {
        asked.push_back("confirm:" + text);
        return overwrite;
    };
    const fs::path exam = folder() / "exam_02.qs_";
    const std::string before = test::readFile(home / "QST" / "alpha.QS3");
    EXPECT_FALSE(exportExamToTemplate(*ws, exam, "EXAM_02", steps).has_value());
    EXPECT_EQ(asked, (std::vector<std::string>{"name:EXAM_02",
                                               "confirm:Template with the same name already exists. Overwrite?"}));
    EXPECT_EQ(test::readFile(home / "QST" / "alpha.QS3"), before);

    overwrite = true;
    bool created = true;
    const auto file = exportExamToTemplate(*ws, exam, "EXAM_02", steps, &created);
    ASSERT_TRUE(file.has_value());
    EXPECT_FALSE(created);
    EXPECT_EQ(file->filename(), "alpha.QS3");
    EXPECT_EQ(core::readTextLines(*file).front(), " 1. N1.+.Is it question 1?");

    answer = "bad/name";
    EXPECT_THROW(exportExamToTemplate(*ws, exam, "EXAM_02", steps), EInOutError);
    EXPECT_EQ(std::distance(fs::directory_iterator(home / "QST"), fs::directory_iterator()), 2);
}

}  // namespace
}  // namespace lumo::authoring
