// Bad input and faults of a test run: the port, the link, the opening values and the disk.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "core/errors.h"
#include "core/test_home.h"
#include "recording/test_run_fixture.h"

namespace lumo::recording {
namespace {

namespace fs = std::filesystem;
using test::TestRunBench;

class BusyPortLink final : public device::SimulatedLink {
protected:
    void doOpen() override { throw LumoError("Device or resource busy"); }
};

// Drops whatever the unit sends while muted, as a pulled cable would.
class CutLink final : public device::SimulatedLink {
public:
    bool muted = false;

protected:
    void collectArrivals(std::int64_t now, std::vector<std::uint8_t>& out) override {
        std::vector<std::uint8_t> bytes;
        SimulatedLink::collectArrivals(now, bytes);
        if (!muted) out.insert(out.end(), bytes.begin(), bytes.end());
    }
};

// The test started on a CutLink and at its first question.
CutLink& presentFirstOnCutLink(TestRunBench& bench) {
    auto owned = std::make_unique<CutLink>();
    CutLink& link = *owned;
    bench.useLink(std::move(owned));
    bench.startToReady();
    bench.present(0);
    return link;
}

int countText(const std::vector<std::string>& texts, const std::string& text) {
    return static_cast<int>(std::count(texts.begin(), texts.end(), text));
}

TEST(TestRunFaults, APortThatCannotOpenGivesTheReasonAndCancels) {
    TestRunBench bench;
    bench.useLink(std::make_unique<BusyPortLink>());
    bench.run().open();
    ASSERT_EQ(bench.view().errors.size(), 1u);
    EXPECT_EQ(bench.view().errors[0], "Maybe port number setting is wrong:\nDevice or resource busy");
    EXPECT_TRUE(bench.view().closeAsked);
    EXPECT_TRUE(bench.view().cancelled);
    bench.run().close();
    EXPECT_EQ(bench.run().outcome(), TestOutcome::Cancelled);
    EXPECT_FALSE(fs::exists(bench.chartFile()));
    EXPECT_EQ(bench.priority().restored, 1);
}

TEST(TestRunFaults, AUnitThatNeverAnswersIsReportedOnceAndLeavesNoChart) {
    TestRunBench bench;
    auto link = std::make_unique<CutLink>();
    link->muted = true;
    bench.useLink(std::move(link));
    bench.run().open();
    EXPECT_TRUE(fs::exists(bench.chartFile()));
    ASSERT_TRUE(bench.waitForClose(120000));
    bench.wait(30000);
    EXPECT_EQ(bench.view().errors, std::vector<std::string>{"Cannot establish link to the sensor unit"});
    EXPECT_EQ(bench.run().outcome(), TestOutcome::Discarded);
    EXPECT_FALSE(fs::exists(bench.chartFile()));
    EXPECT_FALSE(fs::exists(bench.screenFile()));
    bench.run().close();
    EXPECT_EQ(bench.priority().restored, 1);
}

TEST(TestRunFaults, ALinkLostMidTestRecordsOnWhenItReturnsWithOneHeader) {
    TestRunBench bench(4);
    CutLink& link = presentFirstOnCutLink(bench);
    const std::uint64_t infoBlocks = link.unit().infoBlocksSent();
    link.muted = true;
    bench.wait(5000);
    link.muted = false;
    const std::int32_t before = bench.run().sampleCounter();
    ASSERT_TRUE(bench.timers().runUntil([&] { return bench.run().sampleCounter() > before + 80; }, 60000));
    EXPECT_GT(link.unit().infoBlocksSent(), infoBlocks);  // the unit was connected afresh
    for (int i = 1; i < 4; ++i) bench.present(i);
    ASSERT_TRUE(bench.waitForClose(30000));
    EXPECT_EQ(bench.run().outcome(), TestOutcome::Saved);
    EXPECT_TRUE(bench.view().errors.empty());
    const std::string bytes = test::readFile(bench.chartFile());
    // A second header inside the records would break the 57-byte rhythm.
    EXPECT_EQ(bytes.size(), 60 + 57 * bench.view().marks.size());
}

TEST(TestRunFaults, ALinkThatStaysLostIsReportedOnceAndTheTestGoesOn) {
    TestRunBench bench(4);
    presentFirstOnCutLink(bench).muted = true;
    bench.wait(60000);
    EXPECT_EQ(countText(bench.view().errors, "Cannot establish link to the sensor unit"), 1);
    EXPECT_FALSE(bench.view().closeAsked);
    for (int i = 1; i < 4; ++i) bench.present(i);
    ASSERT_TRUE(bench.waitForClose(30000));
    EXPECT_EQ(bench.run().outcome(), TestOutcome::Saved);
    EXPECT_EQ(countText(bench.view().errors, "Cannot establish link to the sensor unit"), 1);
}

TEST(TestRunFaults, ASaveThatFailsIsReportedAndKeepsWhatWasWritten) {
    TestRunBench bench(4);
    bench.startToReady();
    fs::create_directories(bench.tableFile() / "in-the-way");  // the results table cannot replace a folder
    for (int i = 0; i < 4; ++i) bench.present(i);
    ASSERT_TRUE(bench.waitForClose(30000));
    EXPECT_EQ(bench.run().outcome(), TestOutcome::SaveFailed);
    ASSERT_EQ(bench.view().errors.size(), 1u);
    EXPECT_EQ(bench.view().errors[0].rfind("Not enough system resources to save the chart\n", 0), 0u);
    EXPECT_EQ(test::readFile(bench.chartFile()).size(), 60 + 57 * bench.view().marks.size());
    EXPECT_TRUE(fs::exists(bench.screenFile()));
    bench.run().close();
    EXPECT_EQ(bench.priority().restored, 1);
}

TEST(TestRunFaults, BadOpeningValuesCloseWithTheirMessages) {
    {
        TestRunBench bench(4, {}, 1, 5);
        bench.run().open();
        ASSERT_EQ(bench.view().errors.size(), 1u);
        EXPECT_EQ(bench.view().errors[0], "Questions loading error:\nInvalid sequence number: 5");
        EXPECT_TRUE(bench.view().cancelled);
        EXPECT_FALSE(fs::exists(bench.chartFile()));
    }
    {
        TestRunBench bench(4, {}, 10, 1);
        bench.run().open();
        ASSERT_EQ(bench.view().errors.size(), 1u);
        EXPECT_EQ(bench.view().errors[0], "Unable to start the unit:\nInvalid chart number : 10");
    }
    {
        TestRunBench bench(4, {"DataTimeout=soon"});
        bench.run().open();
        ASSERT_EQ(bench.view().errors.size(), 1u);
        EXPECT_EQ(bench.view().errors[0].rfind("Error initialising the unit:\n", 0), 0u);
        EXPECT_NE(bench.view().errors[0].find("soon"), std::string::npos);
        bench.run().close();
        EXPECT_EQ(bench.priority().restored, 1);
        // A run that never opened leaves the settings as they were.
        EXPECT_EQ(bench.workstation().settings().list().value("DataTimeout"), "soon");
    }
    {
        TestRunBench bench(4);
        fs::remove(bench.examFile());
        bench.run().open();
        ASSERT_EQ(bench.view().errors.size(), 1u);
        EXPECT_EQ(bench.view().errors[0].rfind("Questions loading error:\n", 0), 0u);
    }
}

TEST(TestRunFaults, KeysAndTimersAfterTheCloseRequestChangeNothing) {
    TestRunBench bench;
    bench.settle();
    bench.press(TestKey::Escape);
    ASSERT_TRUE(bench.view().closeAsked);
    EXPECT_FALSE(bench.press(TestKey::Space));
    bench.wait(5000);
    EXPECT_EQ(bench.run().phase(), TestPhase::Settling);
    bench.run().close();
    bench.run().close();
    EXPECT_EQ(bench.priority().restored, 1);
}

}  // namespace
}  // namespace lumo::recording
