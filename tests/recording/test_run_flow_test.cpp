// Whole tests on the virtual clock: the phases, keys, dialogs and outcomes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "core/settings.h"
#include "core/test_home.h"
#include "device/calibration_store.h"
#include "formats/chart.h"
#include "recording/protocol_log.h"
#include "recording/test_run_fixture.h"

namespace lumo::recording {
namespace {

namespace fs = std::filesystem;
using test::TestRunBench;

int countEvent(const std::vector<std::uint16_t>& marks, int event) {
    return static_cast<int>(std::count_if(marks.begin(), marks.end(), [&](std::uint16_t m) {
        return m < 30000 && (m / 1000) % 10 == event;
    }));
}

bool chartGone(const TestRunBench& bench) {
    return !fs::exists(bench.chartFile()) && !fs::exists(bench.screenFile()) && !fs::exists(bench.tableFile());
}

TEST(TestRunFlow, KeptChartPresentsEveryQuestionThenClosesAndSaves) {
    TestRunBench bench(6);
    bench.startToReady();
    for (int i = 0; i < 6; ++i) bench.present(i, i % 2 == 0);
    EXPECT_EQ(bench.view().continueDialogs, 1);
    EXPECT_EQ(bench.view().keepDialogs, 1);
    EXPECT_EQ(bench.run().phase(), TestPhase::Closing);
    EXPECT_EQ(bench.view().message, "Test\nends");
    ASSERT_TRUE(bench.waitForClose(20000));
    EXPECT_EQ(bench.run().outcome(), TestOutcome::Saved);
    EXPECT_FALSE(bench.view().cancelled);
    bench.run().close();

    const auto marks = bench.recordMarks();
    EXPECT_EQ(marks, bench.view().marks);
    EXPECT_EQ(countEvent(marks, 1), 6);
    EXPECT_EQ(countEvent(marks, 2), 6);
    EXPECT_EQ(countEvent(marks, 3), 3);
    EXPECT_EQ(countEvent(marks, 4), 3);
    EXPECT_TRUE(fs::exists(bench.tableFile()));
    EXPECT_EQ(bench.priority().raised, 1);
    EXPECT_EQ(bench.priority().restored, 1);
    const std::string log = test::readFile(protocolLogFile(bench.home()));
    EXPECT_NE(log.find("Chart saved: exam_01.ch1"), std::string::npos);
    // Each presentation's label carries the expected answer and the sign; the list shows the counts.
    const auto asked = std::count_if(bench.view().events.begin(), bench.view().events.end(),
                                     [](const EventLabel& l) { return l.kind == EventKind::Question && !l.top.empty(); });
    EXPECT_EQ(asked, 6);
    EXPECT_EQ(bench.view().list.entries[0].presentations, 1);
    // Every answer came after the end of its question: no ready lines.
    EXPECT_EQ(std::count_if(bench.view().events.begin(), bench.view().events.end(),
                            [](const EventLabel& l) { return l.kind == EventKind::Ready; }),
              0);
}

TEST(TestRunFlow, SpaceBeforeFifteenSecondsStartsNothingButFreezesTheSpeedList) {
    TestRunBench bench;
    bench.run().open();
    ASSERT_TRUE(bench.timers().runUntil([&] { return bench.run().sampleCounter() >= 160; }, 60000));
    EXPECT_EQ(bench.view().message, "Sensors\ntuning");
    EXPECT_EQ(bench.view().resistance.substr(0, 4), "R = ");
    EXPECT_TRUE(bench.press(TestKey::Space));
    EXPECT_EQ(bench.run().phase(), TestPhase::Settling);
    EXPECT_FALSE(bench.view().speedListEnabled);
    EXPECT_EQ(bench.view().centrings, 0);
    ASSERT_TRUE(bench.timers().runUntil([&] { return bench.run().sampleCounter() >= 480; }, 60000));
    EXPECT_EQ(bench.view().centrings, 1);
    EXPECT_EQ(bench.view().message, "Test - space");
    bench.press(TestKey::Space);
    EXPECT_EQ(bench.run().phase(), TestPhase::Opening);
    EXPECT_EQ(bench.run().startIndex(), 480);
    EXPECT_EQ(bench.view().waitLabel, "Wait (15s)");
}

TEST(TestRunFlow, AQuestionGoesAtMostThreeTimesAndTheContinueDialogComesOnce) {
    TestRunBench bench(4);
    bench.view().answerContinue = [] { return true; };
    bench.startToReady();
    for (int i = 0; i < 4; ++i) bench.present(i);
    EXPECT_EQ(bench.view().continueDialogs, 1);
    for (int round = 0; round < 3; ++round) bench.present(0);
    EXPECT_EQ(bench.view().continueDialogs, 1);
    EXPECT_EQ(bench.run().presentations().size(), 6u);  // the fourth try on question 1 is ignored
    EXPECT_EQ(bench.view().list.entries[0].presentations, 3);
    EXPECT_EQ(bench.run().distinctQuestions(), 4);
    bench.wait(500);
    bench.run().selectQuestion(0);
    bench.press(TestKey::Space);
    EXPECT_EQ(bench.run().phase(), TestPhase::Ready);
    // After an answer the selection moves to the first entry asked least often.
    bench.present(2);
    EXPECT_EQ(bench.view().list.selected, 1);
}

// Counts the questions put to the simulated examinee.
class AskingCountLink : public device::SimulatedLink {
public:
    device::Examinee& examinee() override {
        ++asked;
        return SimulatedLink::examinee();
    }
    int asked = 0;
};

TEST(TestRunFlow, TheSimulatedExamineeHearsEveryQuestionAsked) {
    TestRunBench bench(4);
    auto owned = std::make_unique<AskingCountLink>();
    AskingCountLink& link = *owned;
    bench.useLink(std::move(owned));
    bench.view().answerContinue = [] { return true; };
    bench.startToReady();
    EXPECT_EQ(link.asked, 0);
    for (int i = 0; i < 4; ++i) bench.present(i);
    for (int round = 0; round < 3; ++round) bench.present(0);
    EXPECT_EQ(link.asked, 6);  // the refused fourth try is not heard
}

TEST(TestRunFlow, AnswerKeysOutsideTheirPhasesRecordNothingAndWalkTheList) {
    TestRunBench bench(6);
    bench.startToReady();
    bench.wait(500);
    bench.press(TestKey::Right);  // already at the top
    bench.press(TestKey::Left);
    bench.press(TestKey::Left);
    bench.press(TestKey::Right);
    EXPECT_EQ(bench.run().questionList().selected, 1);  // left goes down the list, right up
    bench.press(TestKey::Space);
    bench.wait(1000);
    bench.press(TestKey::Left);  // answer "no" in Question: Reaction
    EXPECT_EQ(bench.run().phase(), TestPhase::Reaction);
    bench.press(TestKey::Right);  // in Reaction: no second answer
    EXPECT_EQ(bench.run().presentations().back().answer, "-");
    bench.timers().runUntil([&] { return bench.run().phase() == TestPhase::Ready; }, 30000);
    // Answered before the end of the question: the ready line is drawn.
    EXPECT_EQ(bench.view().events.back().kind, EventKind::Ready);
    bench.wait(500);
    const auto& marks = bench.view().marks;
    EXPECT_EQ(countEvent(marks, 3), 0);
    EXPECT_EQ(countEvent(marks, 4), 1);
}

TEST(TestRunFlow, TwoEventsInOnePeriodAddUpInOneMarkWord) {
    TestRunBench bench(6);
    bench.startToReady();
    bench.wait(500);
    bench.press(TestKey::Space);
    bench.wait(1000);
    bench.press(TestKey::F6);    // 7000
    bench.press(TestKey::Right);  // 3000
    bench.wait(500);
    bench.press(TestKey::F5);  // an artefact alone, in Reaction
    bench.wait(500);
    const auto& marks = bench.view().marks;
    // 10000 + a tick twice: the end of the opening, and the artefact with the answer.
    EXPECT_EQ(std::count_if(marks.begin(), marks.end(), [](std::uint16_t m) { return m / 1000 == 10; }), 2);
    EXPECT_EQ(countEvent(marks, 6), 1);
    ASSERT_EQ(bench.view().events.size(), 5u);  // X, the onset, the artefact, the answer, the artefact
    EXPECT_EQ(bench.view().events[2].kind, EventKind::Artefact);
    EXPECT_EQ(bench.view().events[2].text, "Cough");
}

TEST(TestRunFlow, QuestionTimeRunningOutWithoutTheEndKeyGivesReadyAndNoEndMark) {
    TestRunBench bench(6);
    bench.startToReady();
    bench.wait(500);
    bench.press(TestKey::Space);
    bench.wait(14900);
    EXPECT_EQ(bench.run().phase(), TestPhase::Question);
    bench.wait(300);
    EXPECT_EQ(bench.run().phase(), TestPhase::Ready);
    EXPECT_EQ(bench.view().message, "Ask\nquestion");
    EXPECT_EQ(bench.view().events.back().kind, EventKind::Ready);
    bench.wait(500);
    const auto& marks = bench.view().marks;
    EXPECT_EQ(countEvent(marks, 2), 0);
    EXPECT_EQ(countEvent(marks, 5), 1);
    EXPECT_EQ(bench.run().presentations().back().answer, " ");
}

TEST(TestRunFlow, TimeLimitWithFourDistinctQuestionsOffersKeepOnceAndCloses) {
    TestRunBench bench(4);
    bench.view().answerContinue = [] { return true; };
    bench.startToReady();
    for (int i = 0; i < 4; ++i) bench.present(i);
    ASSERT_TRUE(bench.timers().runUntil([&] { return bench.view().keepDialogs > 0; }, 600000));
    EXPECT_EQ(bench.run().remainingSeconds(), 15);
    EXPECT_EQ(bench.run().phase(), TestPhase::Closing);
    ASSERT_FALSE(bench.view().information.empty());
    EXPECT_EQ(bench.view().information.back(), "Test is aborted because of time limit");
    ASSERT_TRUE(bench.waitForClose(20000));
    EXPECT_EQ(bench.view().keepDialogs, 1);
    EXPECT_EQ(bench.run().outcome(), TestOutcome::Saved);
    EXPECT_EQ(bench.view().timeRemaining, "0");
    bench.run().close();
    // One tick per second of the test, none past the last second.
    const auto marks = bench.recordMarks();
    int largestTick = 0;
    for (std::uint16_t m : marks) {
        if (m < 30000) largestTick = std::max(largestTick, m % 1000);
    }
    EXPECT_GE(largestTick, 590);
    EXPECT_LE(largestTick, 600);
}

TEST(TestRunFlow, TimeLimitWithFewerThanFourQuestionsDiscardsWithoutAsking) {
    TestRunBench bench(6);
    bench.startToReady();
    bench.present(0);
    bench.present(1);
    ASSERT_TRUE(bench.waitForClose(600000));
    EXPECT_EQ(bench.view().keepDialogs, 0);
    EXPECT_EQ(bench.run().outcome(), TestOutcome::Discarded);
    EXPECT_TRUE(chartGone(bench));
    bench.run().close();
    EXPECT_EQ(bench.priority().restored, 1);
}

TEST(TestRunFlow, PauseStopsRecordsAndTheClockButTheCountdownKeepsWallTime) {
    TestRunBench bench(6);
    bench.startToReady();
    bench.wait(500);
    bench.press(TestKey::Space);
    bench.wait(1000);
    EXPECT_TRUE(bench.press(TestKey::F9));
    const std::int32_t counter = bench.run().sampleCounter();
    const int remaining = bench.run().remainingSeconds();
    bench.press(TestKey::Space);  // ignored while paused
    EXPECT_EQ(bench.run().phase(), TestPhase::Question);
    bench.wait(20000);
    EXPECT_EQ(bench.run().sampleCounter(), counter);
    EXPECT_EQ(bench.run().remainingSeconds(), remaining);
    EXPECT_EQ(bench.run().phase(), TestPhase::Question);
    bench.press(TestKey::F9);
    bench.wait(100);
    EXPECT_EQ(bench.run().phase(), TestPhase::Ready);  // the question time passed meanwhile
    bench.wait(500);
    bench.run().close();
    EXPECT_EQ(static_cast<std::int32_t>(bench.view().marks.size()) * 4,
              bench.run().sampleCounter() - bench.run().startIndex());
}

TEST(TestRunFlow, AbortInSettlingAsksAndDeletesTheChart) {
    TestRunBench bench;
    bench.settle();
    bench.view().answerConfirm = [] { return false; };
    bench.press(TestKey::Escape);
    EXPECT_FALSE(bench.view().closeAsked);
    EXPECT_TRUE(fs::exists(bench.chartFile()));
    bench.view().answerConfirm = [] { return true; };
    bench.press(TestKey::Escape);
    EXPECT_EQ(bench.view().confirmations, 2);
    EXPECT_TRUE(bench.view().closeAsked);
    EXPECT_TRUE(chartGone(bench));
    bench.run().close();
    EXPECT_EQ(bench.priority().restored, 1);
}

TEST(TestRunFlow, AbortInReadyKeepsOrDiscardsByTheDistinctQuestions) {
    {
        TestRunBench bench(6);
        bench.startToReady();
        bench.present(0);
        bench.press(TestKey::Escape);
        EXPECT_EQ(bench.view().keepDialogs, 0);
        EXPECT_TRUE(bench.view().closeAsked);
        EXPECT_TRUE(chartGone(bench));
    }
    {
        TestRunBench bench(6);
        bench.view().answerKeep = [] { return false; };
        bench.startToReady();
        for (int i = 0; i < 4; ++i) bench.present(i);
        bench.wait(500);
        bench.press(TestKey::Space);
        EXPECT_TRUE(bench.press(TestKey::Escape));  // in Question Esc does nothing
        EXPECT_EQ(bench.view().confirmations, 0);
        bench.timers().runUntil([&] { return bench.run().phase() == TestPhase::Ready; }, 30000);
        bench.press(TestKey::Escape);
        EXPECT_EQ(bench.view().keepDialogs, 1);
        EXPECT_EQ(bench.run().outcome(), TestOutcome::Discarded);
        EXPECT_TRUE(chartGone(bench));
        bench.run().close();
        EXPECT_NE(test::readFile(protocolLogFile(bench.home())).find("Chart discarded"), std::string::npos);
    }
    {
        TestRunBench bench(6);
        bench.startToReady();
        for (int i = 0; i < 4; ++i) bench.present(i);
        bench.press(TestKey::Escape);
        EXPECT_EQ(bench.run().phase(), TestPhase::Closing);  // kept: the closing 15 s first
        EXPECT_TRUE(bench.view().information.empty());
        ASSERT_TRUE(bench.waitForClose(20000));
        EXPECT_EQ(bench.run().outcome(), TestOutcome::Saved);
    }
    {
        // Closed during the closing 15 s: the kept chart is saved, not lost.
        TestRunBench bench(6);
        bench.startToReady();
        for (int i = 0; i < 4; ++i) bench.present(i);
        bench.press(TestKey::Escape);
        bench.wait(3000);
        bench.run().close();
        EXPECT_EQ(bench.run().outcome(), TestOutcome::Saved);
        EXPECT_TRUE(fs::exists(bench.tableFile()));
    }
}

TEST(TestRunFlow, TerminatingWithFewerThanFourQuestionsEndsAsAborted) {
    TestRunBench bench(3);
    bench.startToReady();
    for (int i = 0; i < 3; ++i) bench.present(i);
    EXPECT_EQ(bench.view().keepDialogs, 1);
    ASSERT_TRUE(bench.waitForClose(20000));
    EXPECT_EQ(bench.view().information.back(), "Test is aborted");
    EXPECT_EQ(bench.run().outcome(), TestOutcome::Discarded);
    EXPECT_TRUE(chartGone(bench));
}

std::string identOf(const device::SimulatedLink& link) {
    std::string text;
    char hex[3];
    for (std::uint8_t byte : link.unit().ident()) {
        std::snprintf(hex, sizeof hex, "%02X", byte);
        text += hex;
    }
    return text;
}

TEST(TestRunFlow, ReadingsUseTheUnitsCalibrationUnlessItIsOlderThanHalfAYear) {
    auto firstReading = [](const core::Date& calibrated) {
        TestRunBench bench(4);
        device::writeCalibration(bench.home(), identOf(bench.link()), calibrated, 2100.0, 1.0);
        bench.startToReady();
        bench.present(0);
        return bench.run().presentations().at(0).readings[0];
    };
    // The manual clock says 07-03-2001; the examinee rests near 250 kOhm on the default scale.
    EXPECT_NEAR(firstReading({2001, 3, 1}), 250 / 0.5555556, 90);
    EXPECT_NEAR(firstReading({2000, 8, 1}), 250, 50);
}

TEST(TestRunFlow, ClosingWritesTheDisplayBackToTheSettings) {
    TestRunBench bench(6, {"Test_Speed=4", "Test_iMin3=500", "Test_iMax3=400"});
    bench.settle();
    EXPECT_EQ(bench.run().speedEntry(), 3);
    bench.run().close();
    const auto& list = bench.workstation().settings().list();
    EXPECT_EQ(list.value("Test_Speed"), "4");
    EXPECT_EQ(list.value("Test_iMin3"), "400");  // swapped bands are kept in order
    EXPECT_EQ(list.value("Test_iMax3"), "500");
    EXPECT_EQ(list.value("DefScrGain7"), "5");
}

}  // namespace
}  // namespace lumo::recording
