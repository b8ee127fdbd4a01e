#include "admin/examinee_commands.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "admin/examinee_samples.h"
#include "core/clock.h"
#include "core/workstation.h"

namespace lumo::admin {
namespace {

class ExamineeCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeRegisterIni(home.path(), {"MaxSubj=2"});
        ws = std::make_unique<core::Workstation>(home.path(), std::make_unique<core::ManualClock>());
        ws->initialise();
        steps.warn = [this](const std::string& text) { log.push_back("warn:" + text); };
        steps.reopenExamineeMenu = [this](int down) { log.push_back("reopen:" + std::to_string(down)); };
        steps.runChooser = [this] { log.push_back("chooser"); };
        steps.runNewExaminee = [this] { log.push_back("new"); };
        steps.runEditor = [this] {
            log.push_back("editor");
            // The editor rewrites the record behind the current copy's back.
            core::TSubj edited = ws->records().examinees().at(0);
            edited.name = "Edited";
            ws->records().examinees().put(edited);
        };
    }
    void addExaminee(const std::string& code) {
        core::TSubj subject;
        subject.fileCode = code;
        ASSERT_TRUE(ws->records().saveExaminee(subject));
    }

    test::TempHome home;
    std::unique_ptr<core::Workstation> ws;
    ExamineeCommandSteps steps;
    std::vector<std::string> log;
};

TEST_F(ExamineeCommandsTest, AnEmptyRegisterHasNobodyToChoose) {
    runChooseExamineeCommand(*ws, steps);
    EXPECT_EQ(log, (std::vector<std::string>{"warn:There are no Examinees to choose", "reopen:0"}));
    log.clear();
    addExaminee("#0000001");
    runChooseExamineeCommand(*ws, steps);
    EXPECT_EQ(log, std::vector<std::string>{"chooser"});
}

TEST_F(ExamineeCommandsTest, AFullRegisterTakesNoNewExaminee) {
    addExaminee("#0000001");
    runNewExamineeCommand(*ws, steps);
    EXPECT_EQ(log, std::vector<std::string>{"new"});
    log.clear();
    addExaminee("#0000002");
    runNewExamineeCommand(*ws, steps);
    EXPECT_EQ(log, (std::vector<std::string>{"warn:Maximal available Examinee count is achieved", "reopen:1"}));
}

TEST_F(ExamineeCommandsTest, AfterTheEditorTheRecordIsReadAgain) {
    addExaminee("#0000001");
    ws->records().current().examNumber = 1;
    runEditExamineeCommand(*ws, steps);
    EXPECT_EQ(ws->records().current().record.name, "Edited");
    EXPECT_EQ(ws->records().current().examNumber, 1);  // the same examinee keeps its exam
}

}  // namespace
}  // namespace lumo::admin
