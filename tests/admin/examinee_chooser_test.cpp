#include "admin/examinee_chooser.h"

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

class ExamineeChooserTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeRegisterIni(home.path());
        test::writeExaminee(home.path(), {"#0000001", "petrov", "10-01-2002", "Theft", "B-7", "second"});
        test::writeExaminee(home.path(), {"#0000002", "Ivanov", "07-03-2001", test::kLongCrime, "a-1", "First"});
        test::writeExaminee(home.path(), {"#0000003", "Sidorov", "31-12-1999", "Fraud", "C-2", "", "#"});
        start();
    }
    void start() {
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>());
        ws->initialise();
    }
    std::vector<std::string> column(const ExamineeChooser& chooser, int index = 0) const {
        std::vector<std::string> texts;
        for (int row = 0; row < static_cast<int>(chooser.rows().size()); ++row) {
            if (chooser.rows()[static_cast<std::size_t>(row)].visible) {
                texts.push_back(chooser.cells(row)[static_cast<std::size_t>(index)]);
            }
        }
        return texts;
    }
    ChooserPrompts prompts() {
        return {[this](const std::string& text) {
                    boxes.push_back("confirm:" + text);
                    return answer;
                },
                [this](const std::string& text) { boxes.push_back("inform:" + text); },
                [this](const std::string& text) { boxes.push_back("error:" + text); }};
    }

    test::TempHome home;
    std::unique_ptr<core::Workstation> ws;
    std::vector<std::string> boxes;
    bool answer = true;
};

using Codes = std::vector<std::string>;

TEST(ExamineeDates, OnlyCalendarDatesInTheRecordFormParse) {
    EXPECT_EQ(parseRecordDate("07-03-2001"), (core::Date{2001, 3, 7}));
    EXPECT_TRUE(parseRecordDate("29-02-2000"));
    EXPECT_FALSE(parseRecordDate("29-02-1900"));
    EXPECT_FALSE(parseRecordDate("31-04-2001"));
    EXPECT_FALSE(parseRecordDate("7-3-2001"));
    EXPECT_FALSE(parseRecordDate("07.03.2001"));
    EXPECT_FALSE(parseRecordDate("00-01-2001"));
    EXPECT_FALSE(parseRecordDate(""));
}

TEST(ExamineeSortOrder, SettingNamesAnyLetterCaseUnknownMeansDate) {
    EXPECT_EQ(sortColumnFromSetting("arch"), SortColumn::Arch);
    EXPECT_EQ(sortColumnFromSetting("MARK"), SortColumn::Mark);
    EXPECT_EQ(sortColumnFromSetting("Surname"), SortColumn::Date);
    EXPECT_EQ(sortColumnFromSetting(""), SortColumn::Date);
    EXPECT_EQ(sortColumnSetting(SortColumn::Issue), "Issue");
}

TEST_F(ExamineeChooserTest, StartsInTheStoredOrderWithTheCurrentExamineeSelected) {
    ws->records().makeCurrent(ws->records().examinees().at(1));
    ExamineeChooser chooser(*ws);
    EXPECT_EQ(chooser.sortColumn(), SortColumn::Date);
    EXPECT_FALSE(chooser.ascending());
    EXPECT_EQ(column(chooser), (Codes{"#0000001", "#0000002", "#0000003"}));
    EXPECT_EQ(chooser.selectedRow(), 1);
    EXPECT_EQ(chooser.selectedCrime(), 0);
    EXPECT_EQ(chooser.cells(2)[5], "#");
    EXPECT_EQ(chooser.columnTitle(SortColumn::Arch), "Archd");
    // The register itself stays in code order.
    EXPECT_EQ(ws->records().examinees().at(0).fileCode, "#0000001");
}

TEST_F(ExamineeChooserTest, EachColumnSortsByItsOwnRule) {
    ExamineeChooser chooser(*ws);
    chooser.clickHeader(SortColumn::Name);  // a new column keeps the direction: descending
    EXPECT_EQ(column(chooser, 1), (Codes{"Sidorov", "petrov", "Ivanov"}));
    chooser.clickHeader(SortColumn::Name);
    EXPECT_TRUE(chooser.ascending());
    EXPECT_EQ(column(chooser, 1), (Codes{"Ivanov", "petrov", "Sidorov"}));
    chooser.clickHeader(SortColumn::Issue);
    EXPECT_EQ(column(chooser, 3), (Codes{"a-1", "B-7", "C-2"}));
    chooser.clickHeader(SortColumn::Mark);
    EXPECT_EQ(column(chooser, 4), (Codes{"", "First", "second"}));
    chooser.clickHeader(SortColumn::Arch);
    EXPECT_EQ(column(chooser, 5), (Codes{" ", " ", "#"}));  // byte order: blank before "#"
    chooser.clickHeader(SortColumn::Code);
    chooser.clickHeader(SortColumn::Code);
    EXPECT_EQ(column(chooser), (Codes{"#0000003", "#0000002", "#0000001"}));
}

TEST_F(ExamineeChooserTest, ABrokenDateSortsAfterTheValidOnesBothWays) {
    test::writeExaminee(home.path(), {"#0000004", "Broken", "2001-03-07", "Theft", "", ""});
    test::writeExaminee(home.path(), {"#0000005", "Empty", "", "Theft", "", ""});
    start();
    ExamineeChooser chooser(*ws);
    EXPECT_EQ(column(chooser), (Codes{"#0000001", "#0000002", "#0000003", "#0000004", "#0000005"}));
    chooser.clickHeader(SortColumn::Date);
    EXPECT_EQ(column(chooser), (Codes{"#0000003", "#0000002", "#0000001", "#0000004", "#0000005"}));
}

TEST_F(ExamineeChooserTest, ResortingKeepsTheSelectedExaminee) {
    ExamineeChooser chooser(*ws);
    chooser.selectRow(2);  // #0000003
    chooser.clickHeader(SortColumn::Date);
    EXPECT_EQ(chooser.cells(chooser.selectedRow())[0], "#0000003");
    EXPECT_EQ(chooser.selectedRow(), 0);
}

TEST_F(ExamineeChooserTest, FinishWritesTheOrderBack) {
    ExamineeChooser chooser(*ws);
    chooser.clickHeader(SortColumn::Arch);
    chooser.clickHeader(SortColumn::Arch);
    chooser.finish();
    EXPECT_EQ(ws->settings().list().value("SortOrder"), "Arch");
    EXPECT_EQ(ws->settings().list().value("Ascend"), "True");
}

TEST_F(ExamineeChooserTest, CrimeFilterComparesTheFirstFifteenCharacters) {
    test::writeExaminee(home.path(), {"#0000004", "Cut", "07-03-2001", "Armed robbery a", "", ""});
    start();
    ExamineeChooser chooser(*ws);
    ASSERT_EQ(chooser.crimes(), (Codes{"All examinees", "Theft", test::kLongCrime, "Fraud"}));
    EXPECT_TRUE(chooser.crimeBound(1));
    EXPECT_TRUE(chooser.crimeBound(3));
    // Ivanov's whole 20-character crime never equals the cut entry; the record
    // cut to 15 characters (an old binary record) does.
    chooser.selectCrime(2);
    EXPECT_EQ(column(chooser), (Codes{"#0000004"}));
    EXPECT_TRUE(chooser.crimeBound(2));

    ws->records().examinees().remove("#0000004");
    ExamineeChooser without(*ws);
    EXPECT_FALSE(without.crimeBound(2));
    without.selectCrime(2);
    EXPECT_TRUE(column(without).empty());
    EXPECT_EQ(without.selectedRow(), -1);
    EXPECT_FALSE(without.choose());
}

TEST_F(ExamineeChooserTest, AHiddenRowIsNeitherSelectedNorChosen) {
    ExamineeChooser chooser(*ws);
    chooser.selectRow(2);  // Sidorov, Fraud
    chooser.selectCrime(1);  // Theft: only petrov
    EXPECT_EQ(column(chooser), (Codes{"#0000001"}));
    EXPECT_EQ(chooser.selectedRow(), 0);
    chooser.selectRow(2);
    EXPECT_EQ(chooser.selectedRow(), 0);
    chooser.selectCrime(0);
    EXPECT_EQ(column(chooser).size(), 3u);
    chooser.selectRow(1);
    ASSERT_TRUE(chooser.choose());
    EXPECT_EQ(ws->records().current().record.fileCode, "#0000002");
    EXPECT_EQ(ws->records().current().position, 1);
}

TEST_F(ExamineeChooserTest, DeletingTheCurrentExamineeClearsItAndRemovesTheFolder) {
    ws->records().makeCurrent(ws->records().examinees().at(0));
    test::writeFile(home / "DAT" / "#0000001" / "exam_01.ch1", "chart");
    test::writeFile(home / "DAT" / "#0000001" / "sub" / "x.txt", "x");
    ExamineeChooser chooser(*ws);
    answer = false;
    EXPECT_FALSE(chooser.deleteSelected(prompts()));
    EXPECT_TRUE(fs::exists(home / "DAT" / "#0000001"));

    answer = true;
    EXPECT_FALSE(chooser.deleteSelected(prompts()));
    EXPECT_EQ(boxes, (Codes{"confirm:Do you want to delete all info about the Examinee?",
                            "confirm:Do you want to delete all info about the Examinee?"}));
    EXPECT_FALSE(fs::exists(home / "DAT" / "#0000001"));
    EXPECT_FALSE(ws->records().current().isSet());
    EXPECT_EQ(ws->records().examinees().size(), 2u);
    EXPECT_EQ(column(chooser), (Codes{"#0000002", "#0000003"}));
    EXPECT_EQ(chooser.selectedRow(), 0);
}

TEST_F(ExamineeChooserTest, DeletingAnotherExamineeKeepsTheCurrentOnesPlace) {
    ws->records().makeCurrent(ws->records().examinees().at(2));
    ExamineeChooser chooser(*ws);
    chooser.selectRow(0);
    chooser.deleteSelected(prompts());
    EXPECT_EQ(ws->records().current().record.fileCode, "#0000003");
    EXPECT_EQ(ws->records().current().position, 1);
}

TEST_F(ExamineeChooserTest, DeletingTheLastExamineeClosesTheChooser) {
    ExamineeChooser chooser(*ws);
    EXPECT_FALSE(chooser.deleteSelected(prompts()));
    EXPECT_FALSE(chooser.deleteSelected(prompts()));
    EXPECT_TRUE(chooser.deleteSelected(prompts()));
    EXPECT_EQ(boxes.back(), "inform:There are no more Examinees to choose");
    EXPECT_TRUE(ws->records().examinees().empty());
    EXPECT_TRUE(fs::is_empty(home / "DAT"));
}

TEST_F(ExamineeChooserTest, AFolderThatStaysKeepsTheRecord) {
    ws->records().makeCurrent(ws->records().examinees().at(0));
    const fs::path folder = home / "DAT" / "#0000001";
    test::writeFile(folder / "exam_01.ch1", "chart");
    test::writeFile(folder / "zz" / "locked.txt", "x");
    test::Undeletable locked(folder / "zz" / "locked.txt");
    if (!locked.active()) GTEST_SKIP() << "no way to make a file undeletable here";
    ExamineeChooser chooser(*ws);
    EXPECT_FALSE(chooser.deleteSelected(prompts()));
    locked.release();
    EXPECT_EQ(boxes.back(), "error:Can not delete Examinee info");
    // Removed as far as it went, but the record file goes last and is still there.
    EXPECT_FALSE(fs::exists(folder / "exam_01.ch1"));
    EXPECT_TRUE(fs::exists(folder / "subject.dat"));
    EXPECT_EQ(ws->records().examinees().size(), 3u);
    EXPECT_EQ(ws->records().current().record.fileCode, "#0000001");
    EXPECT_EQ(column(chooser).size(), 3u);
}

TEST_F(ExamineeChooserTest, AFolderAlreadyGoneIsNoFailure) {
    fs::remove_all(home / "DAT" / "#0000001");
    ExamineeChooser chooser(*ws);
    EXPECT_FALSE(chooser.deleteSelected(prompts()));
    EXPECT_EQ(ws->records().examinees().size(), 2u);
}

TEST_F(ExamineeChooserTest, AMalformedCrimeCountFailsTheChooser) {
    ws->settings().list().setValue("Eng_MaxCrime", "many");
    EXPECT_THROW(ExamineeChooser chooser(*ws), EConvertError);
}

}  // namespace
}  // namespace lumo::admin
