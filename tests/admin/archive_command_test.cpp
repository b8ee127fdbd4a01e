#include "admin/archive_command.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "admin/archive_folders.h"
#include "core/clock.h"
#include "core/test_home.h"
#include "core/workstation.h"

namespace lumo::admin {
namespace {

namespace fs = std::filesystem;

class ArchiveCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeMinimalIni(home.path());
        test::writeLines(home / "DAT" / "#0000001" / "subject.dat",
                         {"Name=Examinee", "Operator=Operator 1", "Date=07-03-2001", "Archive= "});
        test::writeExamFile(home / "DAT" / "#0000001" / "exam_01.qs_", "1", 4);
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>());
        ws->initialise();
        steps.confirm = [this](const std::string& text) {
            questions.push_back(text);
            return answer;
        };
        steps.declined = [this] { ++declines; };
        steps.chooseFolder = [this](const core::TSubj&) { return chosen; };
        steps.runArchiver = [this](const core::TSubj& subject, const ArchiveTarget& target) {
            targets.push_back(target);
            // The archiver flips the flag and saves the record.
            core::TSubj archived = subject;
            archived.archive = compressesNext(subject) ? "#" : " ";
            ASSERT_TRUE(ws->records().saveExaminee(archived));
        };
    }

    core::CurrentExaminee& current() { return ws->records().current(); }
    void chooseExamAndChart() {
        ws->records().makeCurrent(ws->records().examinees().at(0));
        current().examNumber = 1;
        current().chart = 1;
    }

    test::TempHome home;
    std::unique_ptr<core::Workstation> ws;
    ArchiveCommandSteps steps;
    std::vector<std::string> questions;
    std::vector<ArchiveTarget> targets;
    bool answer = true;
    int declines = 0;
    std::optional<ArchiveTarget> chosen = ArchiveTarget{'A', "/media/disk"};
};

TEST_F(ArchiveCommandTest, NothingIsAskedWithoutACurrentExaminee) {
    runArchiveCommand(*ws, steps);
    EXPECT_TRUE(questions.empty());
}

TEST_F(ArchiveCommandTest, NoOrACancelledChooserChangesNothing) {
    chooseExamAndChart();
    answer = false;
    runArchiveCommand(*ws, steps);
    EXPECT_EQ(questions, std::vector<std::string>{"Do you want to compress Examinee charts ?"});
    EXPECT_EQ(declines, 1);

    answer = true;
    chosen.reset();
    runArchiveCommand(*ws, steps);
    EXPECT_EQ(declines, 1);
    EXPECT_TRUE(targets.empty());
    EXPECT_EQ(current().examNumber, 1);
    EXPECT_EQ(current().chart, 1);
}

TEST_F(ArchiveCommandTest, TheArchiverGetsASeparatedFolderAndTheExamineeStartsAfresh) {
    chooseExamAndChart();
    runArchiveCommand(*ws, steps);
    ASSERT_EQ(targets.size(), 1u);
    EXPECT_EQ(targets[0].driveLetter, 'A');
    EXPECT_EQ(targets[0].folder, fs::path("/media/disk/"));
    EXPECT_EQ(current().examNumber, 0);
    EXPECT_EQ(current().chart, 0);
    EXPECT_EQ(current().record.archive, "#");

    // Archived now: the question turns round, and a separator already there is kept single.
    chosen = ArchiveTarget{'C', "/srv/archive/"};
    runArchiveCommand(*ws, steps);
    EXPECT_EQ(questions.back(), "Do you want to decompress Examinee charts");
    EXPECT_EQ(targets.back().folder, fs::path("/srv/archive/"));
    EXPECT_EQ(current().record.archive, " ");
    EXPECT_EQ(current().exams.size(), 1u);
}

}  // namespace
}  // namespace lumo::admin
