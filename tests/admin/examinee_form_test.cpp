#include "admin/examinee_form.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "admin/examinee_samples.h"
#include "core/clock.h"
#include "core/errors.h"
#include "core/workstation.h"

namespace lumo::admin {
namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

class ExamineeFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeRegisterIni(home.path());
        test::writeExaminee(home.path(), {"#0000001", "Petrov", "10-01-2002", "Theft", "B-7", ""});
        test::writeExaminee(home.path(), {"#0000003", "Ivanov", "07-03-2001", "Fraud", "A-1", "note"});
        start();
    }
    void start() {
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>(core::Date{2026, 12, 9}));
        ws->initialise();
    }
    FormPrompts prompts() {
        return {[this](const std::string& text) {
                    boxes.push_back("confirm:" + text);
                    return answer;
                },
                [this](const std::string& text) { boxes.push_back("error:" + text); }};
    }

    test::TempHome home;
    std::unique_ptr<core::Workstation> ws;
    Texts boxes;
    bool answer = true;
};

TEST(ExamineeCodes, FreeCodesInIncreasingOrderUpToTheLimit) {
    std::vector<core::TSubj> subjects(2);
    subjects[0].fileCode = "#0000003";
    subjects[1].fileCode = "#0000001";
    EXPECT_EQ(freeExamineeCodes(subjects, {}, 5), (Texts{"#0000002", "#0000004", "#0000005"}));
    // A folder left behind by a failed deletion keeps its code.
    EXPECT_EQ(freeExamineeCodes(subjects, {"#0000004"}, 5), (Texts{"#0000002", "#0000005"}));
    EXPECT_EQ(freeExamineeCodes(subjects, {}, 5, 1), (Texts{"#0000002"}));
    EXPECT_TRUE(freeExamineeCodes(subjects, {}, 0).empty());
}

TEST(ExamineeCodes, IssuesAreDistinctNonEmptyAndInListOrder) {
    std::vector<core::TSubj> subjects(4);
    subjects[0].issue = "B-7";
    subjects[2].issue = "A-1";
    subjects[3].issue = "B-7";
    EXPECT_EQ(distinctIssues(subjects), (Texts{"B-7", "A-1"}));
}

TEST_F(ExamineeFormTest, ANewExamineeStartsWithTheFirstOfEveryList) {
    ExamineeForm form(*ws, ExamineeForm::Mode::New);
    ASSERT_EQ(form.refusal(), "");
    EXPECT_EQ(form.codes(), (Texts{"#0000002", "#0000004", "#0000005"}));
    EXPECT_EQ(form.fileCode(), "#0000002");
    EXPECT_EQ(form.crimes(), (Texts{"Theft", test::kLongCrime, "Fraud"}));
    EXPECT_EQ(form.crimeIndex(), 0);
    EXPECT_EQ(form.issues(), (Texts{"B-7", "A-1"}));
    EXPECT_EQ(form.issue(), "B-7");
    EXPECT_EQ(form.examiners(), (Texts{"Operator 1"}));
    EXPECT_EQ(form.date(), "09-12-2026");
    EXPECT_EQ(form.name(), "");
    EXPECT_EQ(form.nameLimit(), kTypedFieldLimit);
}

TEST_F(ExamineeFormTest, PostingANewExamineeWritesItsRecordAndMakesItCurrent) {
    ExamineeForm form(*ws, ExamineeForm::Mode::New);
    form.selectCode(2);
    form.setName("Сидоров Пётр");
    form.selectCrime(1);
    form.setIssue("C 3");
    form.setNote("");
    ASSERT_TRUE(form.post(prompts()));
    EXPECT_TRUE(boxes.empty());
    const fs::path file = home / "DAT" / "#0000005" / "subject.dat";
    EXPECT_EQ(test::readFile(file), "FileCode=#0000005\r\nName=\xD1\xE8\xE4\xEE\xF0\xEE\xE2 \xCF\xB8\xF2\xF0\r\n"
                                    "Operator=Operator 1\r\nDate=09-12-2026\r\nCrime=Armed robbery at bay\r\n"
                                    "Issue=C 3\r\nArchive= \r\n");
    EXPECT_EQ(ws->records().current().record.fileCode, "#0000005");
    EXPECT_EQ(ws->records().current().position, 2);
    EXPECT_EQ(ws->records().examinees().size(), 3u);
}

TEST_F(ExamineeFormTest, AnEmptyNameIsKeptAsAnEmptyName) {
    ExamineeForm form(*ws, ExamineeForm::Mode::New);
    form.setIssue("");
    ASSERT_TRUE(form.post(prompts()));
    EXPECT_EQ(test::readFile(home / "DAT" / "#0000002" / "subject.dat"),
              "FileCode=#0000002\r\nOperator=Operator 1\r\nDate=09-12-2026\r\nCrime=Theft\r\nArchive= \r\n");
    start();
    EXPECT_EQ(ws->records().examinees().at(1).name, "");
    EXPECT_EQ(ws->records().examinees().at(1).crime, "Theft");
}

TEST_F(ExamineeFormTest, TheLimitOrNoFreeCodeRefusesANewExaminee) {
    ws->settings().list().setValue("MaxSubj", "2");
    EXPECT_EQ(ExamineeForm(*ws, ExamineeForm::Mode::New).refusal(), "Maximal available Examinee count is achieved");
    // Three codes, two of them used and the third taken by a folder left behind.
    ws->settings().list().setValue("MaxSubj", "3");
    fs::create_directories(home / "DAT" / "#0000002");
    ExamineeForm form(*ws, ExamineeForm::Mode::New);
    EXPECT_EQ(form.refusal(), "Maximal available Examinee count is achieved");
    EXPECT_FALSE(form.post(prompts()));
    ws->settings().list().setValue("MaxSubj", "five");
    EXPECT_THROW(ExamineeForm(*ws, ExamineeForm::Mode::New), EConvertError);
}

TEST_F(ExamineeFormTest, AFolderThatCannotBeMadeShowsTheCreatingFailure) {
    test::writeFile(home / "DAT" / "#0000002", "a file where the folder goes");
    ws->settings().list().setValue("MaxSubj", "5");
    ExamineeForm form(*ws, ExamineeForm::Mode::New);
    EXPECT_EQ(form.fileCode(), "#0000004");
    fs::remove(home / "DAT" / "#0000002");
    test::writeFile(home / "DAT" / "#0000004", "now here");
    EXPECT_FALSE(form.post(prompts()));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("error:Examinee info creating failure:\nCannot create folder", 0), 0u) << boxes[0];
    EXPECT_FALSE(ws->records().current().isSet());
    EXPECT_EQ(ws->records().examinees().size(), 2u);
}

TEST_F(ExamineeFormTest, CancellingANewExamineeAsksFirst) {
    ExamineeForm form(*ws, ExamineeForm::Mode::New);
    answer = false;
    EXPECT_FALSE(form.cancel(prompts()));
    answer = true;
    EXPECT_TRUE(form.cancel(prompts()));
    EXPECT_EQ(boxes, (Texts{"confirm:Do you want to cancel Examinee info creating?",
                            "confirm:Do you want to cancel Examinee info creating?"}));
}

TEST_F(ExamineeFormTest, TheEditorNeedsACurrentExaminee) {
    EXPECT_EQ(ExamineeForm(*ws, ExamineeForm::Mode::Edit).refusal(), "No Examinee is chosen");
}

TEST_F(ExamineeFormTest, TheEditorShowsAndPostsTheCurrentRecord) {
    ws->records().makeCurrent(ws->records().examinees().at(1));
    ExamineeForm form(*ws, ExamineeForm::Mode::Edit);
    EXPECT_EQ(form.codes(), (Texts{"#0000003"}));
    EXPECT_EQ(form.crimes()[static_cast<std::size_t>(form.crimeIndex())], "Fraud");
    EXPECT_EQ(form.issue(), "A-1");
    EXPECT_EQ(form.note(), "note");
    EXPECT_FALSE(form.archived());
    EXPECT_TRUE(form.cancel(prompts()));  // no question in the editor
    form.selectCode(0);
    form.setName("Ivanov Ivan");
    form.setArchived(true);
    ASSERT_TRUE(form.post(prompts()));
    const core::TSubj stored = core::readSubjectFile(home / "DAT" / "#0000003" / "subject.dat", "#0000003");
    EXPECT_EQ(stored.name, "Ivanov Ivan");
    EXPECT_EQ(stored.archive, "#");
    EXPECT_EQ(stored.date, "07-03-2001");  // the creation date stays
    EXPECT_EQ(ws->records().examinees().at(1), stored);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ExamineeFormTest, TheEditorKeepsACrimeAndExaminerNoLongerListed) {
    test::writeLines(home / "DAT" / "#0000003" / "subject.dat",
                     {"Name=" + std::string(60, 'N'), "Operator=Gone", "Date=07-03-2001", "Crime=Old crime", "Archive=*"});
    start();
    ws->records().makeCurrent(ws->records().examinees().at(1));
    ExamineeForm form(*ws, ExamineeForm::Mode::Edit);
    EXPECT_EQ(form.crimes().back(), "Old crime");
    EXPECT_EQ(form.crimeIndex(), 3);
    EXPECT_EQ(form.examiners(), (Texts{"Operator 1", "Gone"}));
    EXPECT_EQ(form.examinerIndex(), 1);
    EXPECT_TRUE(form.archived());
    EXPECT_EQ(form.nameLimit(), 60u);  // a longer name on file is not cut
    EXPECT_EQ(form.record().crime, "Old crime");
    EXPECT_EQ(form.record().operatorName, "Gone");
    EXPECT_EQ(form.record().archive, "#");
}

TEST_F(ExamineeFormTest, CharactersTheRecordCannotHoldAreAnnounced) {
    ExamineeForm form(*ws, ExamineeForm::Mode::New);
    form.setName("Łukasz");
    EXPECT_EQ(form.codePageWarning(), "Characters that the record files cannot hold will be stored as \"?\"");
    form.setName("Пётр Smith");
    EXPECT_EQ(form.codePageWarning(), "");
    form.setNote("€ 5");  // the code page has the euro sign
    EXPECT_EQ(form.codePageWarning(), "");
    form.setIssue("№ 5 ✓");
    EXPECT_NE(form.codePageWarning(), "");
}

}  // namespace
}  // namespace lumo::admin
