#include "recording/state_session.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "core/settings.h"
#include "core/settings_list.h"
#include "core/string_table.h"
#include "core/texts/recording.h"
#include "device/device_script.h"
#include "device/lumo_device.h"
#include "device/simulated_link.h"
#include "recording/test_run_fixture.h"

namespace lumo::recording {
namespace {

// Records what the session asks of its window.
class RecordingView final : public StateSessionView {
public:
    void traceSample(std::array<int, 2> adc) override {
        ++traces;
        lastAdc = adc;
    }
    void statisticsChanged() override { ++changes; }
    void showError(const std::string& text) override { errors.push_back(text); }
    void showReport(const std::string& text) override { reports.push_back(text); }
    void showFailure(const std::string& text) override { failures.push_back(text); }
    void closeRequested(bool isCancelled) override {
        ++closeRequests;
        cancelled = isCancelled;
    }

    long traces = 0;
    std::array<int, 2> lastAdc{};
    int changes = 0;
    std::vector<std::string> errors, reports, failures;
    int closeRequests = 0;
    bool cancelled = false;
};

class StateSessionTest : public ::testing::Test {
protected:
    StateSessionTest() : settings_("/nonexistent"), texts_(strings_, settings_) {}

    StateSession& start(device::SerialLink& link) {
        session_ = std::make_unique<StateSession>(link, StateSessionSettings{}, texts_, priority_, view_);
        session_->open();
        return *session_;
    }

    core::Settings settings_;
    core::StringTable strings_;
    core::Texts texts_;
    test::CountingPriority priority_;
    RecordingView view_;
    // The links outlive the session, which stops the unit when it goes.
    device::SimulatedLink link_;
    test::ScriptedLink scripted_;
    std::unique_ptr<StateSession> session_;
};

TEST_F(StateSessionTest, MeasuresTheSimulatedExamineesPulseWithBothChannelsTuned) {
    device::SimulatedLink& link = link_;
    StateSession& session = start(link);
    EXPECT_EQ(priority_.raised, 1);
    link.run(3000);
    ASSERT_TRUE(session.dataReceived());
    // The first sample after the connection started the statistics, with the skin resistance then.
    EXPECT_GT(session.statistics().gsc0, 0.0f);
    link.run(4000);
    // Channel 5's tuner is done: the highest range, centred on its value.
    device::TLumoDevice_7_2& driver = *session.driver();
    EXPECT_EQ(driver.Samples[5].range, 7);
    EXPECT_NE(driver.Samples[0].range, 0) << "the pulse channel's tuner chose a sensitive range";
    link.run(30000);
    EXPECT_GT(view_.lastAdc[0], 0);
    EXPECT_LT(view_.lastAdc[0], 4095);
    EXPECT_GT(view_.changes, 60);
    const StateReport report = session.report();
    EXPECT_NEAR(report.pulseRate, link.unit().examinee().scenario().heartRate, 3);
    EXPECT_GT(report.mainToneProbability, 0.3);

    // Space: afresh, with the skin resistance of the moment.
    session.restart();
    EXPECT_EQ(session.statistics().count, 0u);
    EXPECT_EQ(session.periodsSinceRestart(), 0);
    EXPECT_EQ(session.statistics().gsc0, driver.ChannelValue(5));
    link.run(2000);
    EXPECT_EQ(session.periodsSinceRestart(), 16);

    // Esc: the unit stops, the priority goes back, then the report and OK.
    session.finish();
    EXPECT_TRUE(session.closed());
    EXPECT_EQ(priority_.restored, 1);
    ASSERT_EQ(view_.reports.size(), 1u);
    EXPECT_EQ(view_.reports[0].rfind("Pulse Mean Frequency = ", 0), 0u);
    EXPECT_EQ(view_.closeRequests, 1);
    EXPECT_FALSE(view_.cancelled);
    EXPECT_FALSE(link.isOpen());
    const long traces = view_.traces;
    link.run(2000);
    EXPECT_EQ(view_.traces, traces);
    session.close();
    EXPECT_EQ(priority_.restored, 1);
}

// The refinement's correction is taken in hertz: a pure tone of 1.1 Hz reads
// as 1.0 + 0.18 Hz, and the examinee's pulse of 66 per minute about the same.
TEST_F(StateSessionTest, TheRefinementReadsAPulseOf66PerMinuteAsAboutSeventyOne) {
    device::SimulatedUnitOptions options;
    options.scenario.heartRate = 66;
    device::SimulatedLink link(options);
    StateSession& session = start(link);
    link.run(40000);
    EXPECT_NEAR(session.report().pulseRate, 71, 1.5);
    session_.reset();  // before the link goes
}

TEST_F(StateSessionTest, AFlatPulseChannelSaysSoInsteadOfAReport) {
    device::SimulatedLink& link = link_;
    link.unit().setSignalSource([](int, double) { return 2100.0; });
    StateSession& session = start(link);
    link.run(20000);
    EXPECT_TRUE(session.dataReceived());
    EXPECT_EQ(session.statistics().count, 0u);
    session.finish();
    EXPECT_TRUE(view_.reports.empty());
    EXPECT_EQ(view_.failures, std::vector<std::string>{texts_(txt::StateNoPeriods)});
    EXPECT_TRUE(view_.cancelled);
    EXPECT_EQ(priority_.restored, 1);
}

TEST_F(StateSessionTest, EscBeforeAnyDataClosesWithCancelAndNoBox) {
    device::SimulatedLink& link = link_;
    StateSession& session = start(link);
    session.finish();
    EXPECT_TRUE(view_.failures.empty());
    EXPECT_TRUE(view_.reports.empty());
    EXPECT_TRUE(view_.cancelled);
    EXPECT_EQ(priority_.restored, 1);
}

TEST_F(StateSessionTest, APortThatCannotBeOpenedIsShownAndCancels) {
    test::ScriptedLink& link = scripted_;
    link.throwOnOpen = true;
    StateSession& session = start(link);
    ASSERT_EQ(view_.errors.size(), 1u);
    EXPECT_EQ(view_.errors[0], "Maybe port number setting is wrong:\nport busy");
    EXPECT_EQ(view_.closeRequests, 1);
    EXPECT_TRUE(view_.cancelled);
    EXPECT_EQ(priority_.raised, 1);
    EXPECT_EQ(priority_.restored, 1);
    (void)link.takeCalls();
    session.finish();
    session.close();
    EXPECT_TRUE(link.takeCalls().empty()) << "nothing to stop";
    EXPECT_EQ(view_.closeRequests, 1);
}

TEST_F(StateSessionTest, ALinkLostBeforeTheFirstSampleDisconnectsAndCancels) {
    test::ScriptedLink& link = scripted_;
    StateSession& session = start(link);
    (void)link.takeCalls();
    link.expire();  // no ready byte from the unit
    ASSERT_EQ(view_.errors.size(), 1u);
    EXPECT_EQ(view_.errors[0], texts_(txt::StateNoLink));
    EXPECT_TRUE(session.linkFailed());
    EXPECT_TRUE(view_.cancelled);
    EXPECT_EQ(priority_.restored, 1);
    // Disconnect: no stop bytes.
    const std::vector<std::string> calls = link.takeCalls();
    EXPECT_EQ(calls, (std::vector<std::string>{"remove", "close"}));
    link.expire();
    EXPECT_EQ(view_.errors.size(), 1u) << "reported once";
}

TEST_F(StateSessionTest, ALinkLostWhileMeasuringIsShownOnceAndTheMeasurementGoesOn) {
    device::SimulatedLink& link = link_;
    StateSession& session = start(link);
    link.run(3000);
    ASSERT_TRUE(session.dataReceived());
    session.notificationFailed("DAC = 0");
    EXPECT_EQ(view_.errors, std::vector<std::string>{texts_(txt::StateNoLink) + ":\nDAC = 0"});
    EXPECT_EQ(view_.closeRequests, 0);
    EXPECT_FALSE(session.closed());
    session.notificationFailed("again");
    EXPECT_EQ(view_.errors.size(), 1u);
}

TEST(StateSessionSettingsTest, ReadsTheTimeoutsAndTheTwoSpyDelays) {
    core::SettingsList list;
    list.setValue("DeviceTimeout", "20");
    list.setValue("DataTimeout", "70000");
    list.setValue("SpyDelay0", "4000");
    list.setValue("SpyDelay5", "15000");
    const StateSessionSettings settings = stateSessionSettings(list);
    EXPECT_EQ(settings.deviceTimeout, 20);
    EXPECT_EQ(settings.dataTimeout, 65535);
    EXPECT_EQ(settings.pulseSpyDelay, 4000);
    EXPECT_EQ(settings.skinSpyDelay, 15000);
    list.setValue("SpyDelay5", "x");
    EXPECT_THROW((void)stateSessionSettings(list), EConvertError);
}

}  // namespace
}  // namespace lumo::recording
