#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <optional>

#include "core/clock.h"
#include "core/errors.h"
#include "core/settings_list.h"
#include "core/string_table.h"
#include "core/texts/device.h"
#include "core/texts/recording.h"
#include "core/test_home.h"
#include "device/adjusting_device.h"
#include "device/calibration.h"
#include "device/calibration_hand.h"
#include "device/calibration_store.h"
#include "device/device_script.h"
#include "device/simulated_link.h"

namespace lumo::device {
namespace {

using test::Bytes;
using test::ScriptedLink;
using test::TempHome;

namespace fs = std::filesystem;

constexpr const char* kIdent = "4C550720240611003170";
constexpr core::Date kDay{2001, 3, 7};

// ---------------------------------------------------------------- the store

TEST(CalibrationStore, ReadsBackBitForBitWhatItWrote) {
    TempHome home;
    const double zero = 2100.0 + 1.0 / 3.0;
    const double prop = -(0.1 + 0.2);
    writeCalibration(home.path(), kIdent, kDay, zero, prop);
    const ResistanceCalibration read = readCalibration(home.path(), kIdent, kDay);
    EXPECT_FALSE(read.stale);
    EXPECT_EQ(std::memcmp(&read.zeroRes, &zero, sizeof zero), 0);
    EXPECT_EQ(std::memcmp(&read.propRes, &prop, sizeof prop), 0);

    // Rewriting replaces the file whole and leaves nothing else behind.
    writeCalibration(home.path(), kIdent, {2001, 3, 8}, 1530.0, -1.0);
    EXPECT_EQ(test::readFile(home / "calibration" / (std::string(kIdent) + ".ini")),
              "AdjustDate=08-03-2001\nZeroRes=1530\nPropRes=-1\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(home / "calibration"), fs::directory_iterator()), 1);

    // Each unit has its own.
    EXPECT_TRUE(readCalibration(home.path(), "4C550720240611003171", kDay).stale);
}

TEST(CalibrationStore, IsValidFor182DaysAfterItsDate) {
    TempHome home;
    writeCalibration(home.path(), kIdent, {2023, 11, 1}, 1530.0, -1.0);
    EXPECT_FALSE(readCalibration(home.path(), kIdent, {2024, 5, 1}).stale);  // 182 days, over 29 February
    const ResistanceCalibration old = readCalibration(home.path(), kIdent, {2024, 5, 2});
    EXPECT_TRUE(old.stale);
    EXPECT_EQ(old.zeroRes, 2100.0);
    EXPECT_EQ(old.propRes, 0.5555556);
}

TEST(CalibrationStore, AnythingDamagedReadsAsStale) {
    TempHome home;
    const fs::path file = home / "calibration" / (std::string(kIdent) + ".ini");
    const char* damaged[] = {
        "",
        "\x01\x02garbage without lines",
        "AdjustDate=07-03-2001\nZeroRes=1530\n",                // no PropRes
        "ZeroRes=1530\nPropRes=-1\n",                           // no date
        "AdjustDate=31-02-2001\nZeroRes=1530\nPropRes=-1\n",    // no such day
        "AdjustDate=7-3-2001\nZeroRes=1530\nPropRes=-1\n",
        "AdjustDate=07-03-2001\nZeroRes=15x30\nPropRes=-1\n",
        "AdjustDate=07-03-2001\nZeroRes=nan\nPropRes=-1\n",
        "AdjustDate=07-03-2001\nZeroRes=1530\nPropRes=0\n",     // would divide nothing into kOhm
        "AdjustDate=07-03-2001\nZeroRes=1530\nPropRes=1e999\n",
    };
    for (const char* text : damaged) {
        test::writeFile(file, text);
        const ResistanceCalibration read = readCalibration(home.path(), kIdent, kDay);
        EXPECT_TRUE(read.stale) << text;
        EXPECT_EQ(read.zeroRes, 2100.0) << text;
    }
    // Written by hand on another system: CR LF and the keys in another order still read.
    test::writeFile(file, "PropRes=-1\r\nAdjustDate=07-03-2001\r\nZeroRes=1530\r\n");
    EXPECT_FALSE(readCalibration(home.path(), kIdent, kDay).stale);

    // Only an identification names a file.
    EXPECT_TRUE(readCalibration(home.path(), "../../etc/passwd", kDay).stale);
    EXPECT_THROW(writeCalibration(home.path(), "../x", kDay, 1, 1), std::invalid_argument);
    EXPECT_THROW(writeCalibration(home.path(), "4c550720240611003170", kDay, 1, 1), std::invalid_argument);
}

// ------------------------------------------------ the calibration, scripted

core::StringTable& table() {
    static core::StringTable strings;
    return strings;
}

std::string english(int id) {
    return std::string(table().text(id, core::Language::English));
}

struct RecordingView : CalibrationView {
    void showPanel(int textId) override {
        if (panels.empty() || panels.back() != textId) panels.push_back(textId);
    }
    void finished(CalibrationOutcome result, const std::string& text) override {
        ++finishes;
        outcome = result;
        message = text;
    }
    std::vector<int> panels;
    std::optional<CalibrationOutcome> outcome;
    std::string message;
    int finishes = 0;
};

// The unit's side for the scripted link: channel 5 follows the commands the
// driver sends and shows `value` through them. Its constants make the
// arithmetic exact: DacZero = AdcZero = 2048, DacScale = -36, Gains[0] = 36 and
// 1 above, so at range 7 ChannelValue = dac + (adc - 2048) / 36.
class SkinUnit {
public:
    explicit SkinUnit(ScriptedLink& link) : link_(link) {}

    void connect() {
        std::array<std::pair<std::uint16_t, std::uint16_t>, 7> steps;
        steps.fill({1, 1});
        steps[0] = {36, 1};
        link_.feed(0x0A);
        link_.feed(0x55);
        for (int k = 0; k < 5; ++k) link_.feed(test::infoBlock(2048, 2048 * 8, 2032, 2624 * 8, steps));
        link_.feed(Bytes{0x4C, 0x55, 0x07, 0x20, 0x24, 0x06, 0x11, 0x00, 0x31, 0x70});
        link_.feed(Bytes{0x0D, 0x87, 0x8F, 0x81, 0x01});
        link_.takeSent();
    }

    // One packet; commands sent so far take effect first.
    void packet() {
        const Bytes sent = link_.takeSent();
        for (std::size_t i = 0; i + 2 < sent.size();) {
            if (sent[i] != 0x0D && sent[i] != 0x8D) {
                ++i;
                continue;
            }
            if ((sent[i + 1] & 0x1F) == 6) {
                range = sent[i + 1] >> 5;
                dac = (((sent[i] & 0x80) != 0 ? 256 : 0) + sent[i + 2]) * 8;
                dacs.push_back(dac);
            }
            i += 3;
        }
        const double gain = range == 0 ? 36 : 1;
        const long adc = std::lround(2048 + 36 * (value - dac) / gain);
        std::array<TChartBlock, 10> items;
        items.fill({0, 2000, 2048});
        items[2] = {static_cast<std::uint8_t>(range), static_cast<std::int16_t>(std::clamp(adc, 0L, 4095L)),
                    static_cast<std::uint16_t>(dac)};
        link_.feed(test::packet(++counter_, items));
    }
    void packets(int count) {
        for (int i = 0; i < count; ++i) packet();
    }

    double value = 1000;
    int range = 0;
    int dac = 2048;
    std::vector<int> dacs;  // offsets commanded, in order

private:
    ScriptedLink& link_;
    std::uint32_t counter_ = 0;
};

class ScriptedCalibration : public ::testing::Test {
protected:
    ScriptedCalibration()
        : calibration(link, clock, {home.path(), 18, 18}, english, view), unit(link) {}

    fs::path storeFile() const { return home / "calibration" / (std::string(kIdent) + ".ini"); }

    // Connected, the range-7 command confirmed and Enter pressed.
    void startMeasuring() {
        calibration.start();
        unit.connect();
        unit.packets(6);
        ASSERT_EQ(calibration.phase(), CalibrationPhase::WaitingForEnter);
        ASSERT_EQ(unit.range, 7);
        ASSERT_FALSE(calibration.waitingForCommand());
        calibration.enterPressed();
    }
    // Packets until the signal sits in the window and `count` samples are taken.
    void runUntilCount(int count, int limit = 200) {
        for (int i = 0; i < limit && calibration.sampleCount() != count && !view.outcome; ++i) unit.packet();
        ASSERT_EQ(calibration.sampleCount(), count);
    }

    TempHome home;
    ScriptedLink link;
    core::ManualClock clock{kDay};
    RecordingView view;
    Calibration calibration;
    SkinUnit unit;
};

TEST_F(ScriptedCalibration, WholeRunStoresTheConversionThatReads530And100kOhm) {
    unit.value = 1000;
    startMeasuring();
    runUntilCount(10);
    unit.packet();
    EXPECT_EQ(calibration.sampleCount(), Calibration::kCounting);
    unit.packets(3);
    EXPECT_EQ(calibration.waitCounter(), 3);
    unit.value = 1430;
    runUntilCount(10);
    EXPECT_EQ(calibration.releasedLevel(), 1000.0f);
    unit.packet();

    ASSERT_EQ(view.outcome, CalibrationOutcome::Complete);
    EXPECT_EQ(view.message, "Adjusting is complete");
    EXPECT_EQ(calibration.ident(), kIdent);
    EXPECT_EQ(calibration.pressedLevel(), 1430.0f);
    EXPECT_EQ(calibration.propRes(), -1.0);
    EXPECT_EQ(calibration.zeroRes(), 1530.0);
    EXPECT_EQ(test::readFile(storeFile()), "AdjustDate=07-03-2001\nZeroRes=1530\nPropRes=-1\n");
    EXPECT_EQ(view.panels, (std::vector<int>{txt::CalibratePlugSensors, txt::CalibrateAcquiring,
                                            txt::CalibratePushButton, txt::CalibrateAcquiring, 0}));
    EXPECT_EQ(calibration.phase(), CalibrationPhase::Idle);

    // Later samples change nothing; closing stops the unit with the stop bytes.
    unit.packets(3);
    EXPECT_EQ(view.finishes, 1);
    calibration.stop();
    EXPECT_EQ(link.takeSent(), (Bytes{0, 0, 0}));
    EXPECT_FALSE(link.isOpen());
}

TEST_F(ScriptedCalibration, SeriesRestartFromADriftingSampleOrAnEarlyPress) {
    // The calibration sees each packet one period late (the driver's samples
    // during a notification are the previous packet's).
    unit.value = 1000;
    startMeasuring();
    runUntilCount(5);
    unit.value = 1005;  // within 5 of the first sample: the series goes on
    unit.packets(3);
    EXPECT_EQ(calibration.sampleCount(), 8);
    unit.value = 1006;  // more than 5 away: the series starts afresh from this sample
    unit.packets(2);
    EXPECT_EQ(calibration.sampleCount(), 1);
    unit.packets(5);
    EXPECT_EQ(calibration.sampleCount(), 6);
    // The button pressed too early (the level jumps and is re-centred) only restarts the series.
    unit.value = 1430;
    unit.packet();
    runUntilCount(1);
    EXPECT_EQ(calibration.phase(), CalibrationPhase::Released);
    EXPECT_NE(view.panels.back(), txt::CalibratePushButton);
    runUntilCount(10);
    unit.packet();
    EXPECT_EQ(view.panels.back(), txt::CalibratePushButton);
    unit.value = 1000;  // the examiner lets go: taken as the change
    runUntilCount(10);
    EXPECT_EQ(calibration.releasedLevel(), 1430.0f);
    EXPECT_EQ(calibration.phase(), CalibrationPhase::Pressed);
}

TEST_F(ScriptedCalibration, AdjustingDeviceFailuresStoreNothing) {
    // No level change within 100 samples of the request.
    unit.value = 1000;
    startMeasuring();
    runUntilCount(10);
    unit.packet();
    unit.packets(100);
    EXPECT_FALSE(view.outcome.has_value());
    EXPECT_EQ(calibration.waitCounter(), 100);
    unit.packet();
    ASSERT_EQ(view.outcome, CalibrationOutcome::DeviceFailure);
    EXPECT_EQ(view.message, "Adjusting device is unplugged or has a failure");
    EXPECT_FALSE(fs::exists(storeFile()));
}

TEST_F(ScriptedCalibration, LevelsCloserThan100FailAndExactly100Passes) {
    for (const double pressed : {1099.0, 1100.0}) {
        TempHome otherHome;
        ScriptedLink otherLink;
        RecordingView otherView;
        Calibration run(otherLink, clock, {otherHome.path(), 18, 18}, english, otherView);
        SkinUnit skin(otherLink);
        skin.value = 1000;
        run.start();
        skin.connect();
        skin.packets(6);
        run.enterPressed();
        for (int i = 0; i < 200 && run.sampleCount() != Calibration::kCounting; ++i) skin.packet();
        skin.value = pressed;
        for (int i = 0; i < 200 && !otherView.outcome; ++i) skin.packet();
        const bool complete = pressed == 1100.0;
        EXPECT_EQ(otherView.outcome, complete ? CalibrationOutcome::Complete : CalibrationOutcome::DeviceFailure);
        EXPECT_EQ(fs::exists(otherHome / "calibration" / (std::string(kIdent) + ".ini")), complete);
        if (complete) {
            EXPECT_DOUBLE_EQ(run.propRes(), -4.3);
        }
    }
}

TEST_F(ScriptedCalibration, RecentringMovesTheOffsetStepwiseWithoutOvershooting) {
    // At power-on dac 2048 the released level lies far below the window: the
    // offset goes down (the signal up) in steps no wider than the window.
    unit.value = 1000;
    startMeasuring();
    runUntilCount(1);
    ASSERT_GT(unit.dacs.size(), 3u);
    for (std::size_t k = 2; k < unit.dacs.size(); ++k) {
        EXPECT_LT(unit.dacs[k], unit.dacs[k - 1]) << k;
        EXPECT_GE(unit.dacs[k], 1000 - 42) << k;
    }
    // Samples are taken only once the signal is inside.
    EXPECT_LE(std::abs(unit.dac - 1000), 42);

    // The pressed level lies above: the offset goes up (the signal down).
    runUntilCount(10);
    unit.packet();
    const std::size_t before = unit.dacs.size();
    unit.value = 1430;
    runUntilCount(1);
    ASSERT_GT(unit.dacs.size(), before + 2);
    for (std::size_t k = before + 1; k < unit.dacs.size(); ++k) EXPECT_GT(unit.dacs[k], unit.dacs[k - 1]) << k;
    EXPECT_LE(std::abs(unit.dac - 1430), 42);
    EXPECT_EQ(calibration.phase(), CalibrationPhase::Pressed);
}

TEST_F(ScriptedCalibration, ASignalTheOffsetCannotReachEndsWithTheDeviceFailure) {
    unit.value = 5000;  // beyond the highest offset: as if nothing were plugged in
    startMeasuring();
    for (int i = 0; i < 400 && !view.outcome; ++i) unit.packet();
    ASSERT_EQ(view.outcome, CalibrationOutcome::DeviceFailure);
    EXPECT_EQ(unit.dac, 4088);
    EXPECT_FALSE(fs::exists(storeFile()));
}

TEST_F(ScriptedCalibration, EscAndEnterAreTakenOnlyWhereTheyMeanSomething) {
    calibration.start();
    calibration.enterPressed();  // nothing to start yet
    EXPECT_EQ(calibration.phase(), CalibrationPhase::Idle);
    unit.value = 1000;
    unit.connect();
    unit.packets(6);
    calibration.enterPressed();
    runUntilCount(10);
    unit.packet();
    unit.value = 1430;
    runUntilCount(5);
    calibration.cancel();
    EXPECT_EQ(view.outcome, CalibrationOutcome::Cancelled);
    unit.packets(20);
    EXPECT_EQ(view.finishes, 1);
    EXPECT_FALSE(fs::exists(storeFile()));
    calibration.stop();
    EXPECT_EQ(link.takeSent(), (Bytes{0, 0, 0}));
}

TEST_F(ScriptedCalibration, LinkAndPortFailures) {
    // The unit falls silent: one report, and closing does without the stop bytes.
    calibration.start();
    for (int i = 0; i < 20 && !view.outcome; ++i) link.expire();
    ASSERT_EQ(view.outcome, CalibrationOutcome::LinkFailure);
    EXPECT_EQ(view.message, english(txt::TestNoLink));
    for (int i = 0; i < 5; ++i) link.expire();
    EXPECT_EQ(view.finishes, 1);
    link.takeSent();
    calibration.stop();
    EXPECT_TRUE(link.takeSent().empty());
    EXPECT_FALSE(link.isOpen());

    // A port that cannot be opened: its reason under message 239; closing touches nothing.
    ScriptedLink busy;
    busy.throwOnOpen = true;
    RecordingView busyView;
    Calibration refused(busy, clock, {home.path(), 18, 18}, english, busyView);
    refused.start();
    EXPECT_EQ(busyView.outcome, CalibrationOutcome::OpenFailure);
    EXPECT_EQ(busyView.message, english(txt::TestMaybePortWrong) + ":\nport busy");
    busy.takeCalls();
    refused.stop();
    EXPECT_TRUE(busy.takeCalls().empty());

    // A unit whose info block never makes sense stops talking: reported, not waited for.
    ScriptedLink odd;
    RecordingView oddView;
    Calibration confused(odd, clock, {home.path(), 18, 18}, english, oddView);
    confused.start();
    odd.feed(0x0A);
    odd.feed(0x55);
    for (int k = 0; k < 10; ++k) odd.feed(test::infoWithGain0(20, 1));
    EXPECT_EQ(oddView.outcome, CalibrationOutcome::LinkFailure);
}

// ------------------------------------------------ against the simulated unit

TEST(SimulatedCalibration, MeasuresTheSimulatedAdjustingDevice) {
    TempHome home;
    core::ManualClock clock{{2026, 12, 9}};
    SimulatedLink link;
    AdjustingDevice device(link.unit());
    RecordingView view;
    Calibration calibration(link, clock, {home.path(), 18, 18}, english, view);
    calibration.start();
    link.run(3000);
    ASSERT_EQ(calibration.phase(), CalibrationPhase::WaitingForEnter);
    calibration.enterPressed();
    for (int i = 0; i < 600 && view.panels.back() != txt::CalibratePushButton; ++i) link.run(125);
    ASSERT_EQ(view.panels.back(), txt::CalibratePushButton);
    device.setPressed(true);
    for (int i = 0; i < 600 && !view.outcome; ++i) link.run(125);
    ASSERT_EQ(view.outcome, CalibrationOutcome::Complete);

    const ResistanceCalibration stored = readCalibration(home.path(), "4C55072024061100317A", clock.today());
    ASSERT_FALSE(stored.stale);
    // The device presents 530 and 100 kOhm as the uncalibrated conversion reads them.
    EXPECT_NEAR(stored.propRes, kSkinPerCount, 0.01 * kSkinPerCount);
    EXPECT_NEAR(stored.zeroRes, kSkinZero, 10);
    EXPECT_NEAR((calibration.releasedLevel() - stored.zeroRes) * stored.propRes, 530, 1e-6);
    EXPECT_NEAR((calibration.pressedLevel() - stored.zeroRes) * stored.propRes, 100, 1e-6);
}

TEST(SimulatedCalibration, AnUnpluggedDeviceIsReported) {
    TempHome home;
    core::ManualClock clock;
    SimulatedLink link;
    AdjustingDevice device(link.unit());
    device.setPlugged(false);
    RecordingView view;
    Calibration calibration(link, clock, {home.path(), 18, 18}, english, view);
    calibration.start();
    link.run(3000);
    calibration.enterPressed();
    for (int i = 0; i < 2000 && !view.outcome; ++i) link.run(125);
    EXPECT_EQ(view.outcome, CalibrationOutcome::DeviceFailure);
    EXPECT_FALSE(fs::exists(home / "calibration"));
}

TEST(SimulatedCalibration, TheSimulatedExaminerPressesTheButtonAMomentAfterTheRequest) {
    TempHome home;
    core::ManualClock clock{{2026, 12, 9}};
    SimulatedLink link;
    CalibrationHand hand(link);
    RecordingView view;
    Calibration calibration(link, clock, {home.path(), 18, 18}, english, view);
    calibration.start();
    link.run(3000);
    calibration.enterPressed();
    hand.panelShown(view.panels.back());
    for (int i = 0; i < 600 && view.panels.back() != txt::CalibratePushButton; ++i) link.run(125);
    ASSERT_EQ(view.panels.back(), txt::CalibratePushButton);
    EXPECT_FALSE(hand.device().pressed()) << "only the push request moves the hand";
    hand.panelShown(txt::CalibratePushButton);
    link.run(1000);
    EXPECT_FALSE(hand.device().pressed());
    link.run(1000);
    EXPECT_TRUE(hand.device().pressed());
    for (int i = 0; i < 600 && !view.outcome; ++i) link.run(125);
    EXPECT_EQ(view.outcome, CalibrationOutcome::Complete);
}

TEST(SimulatedCalibration, AHandThatNeverPressesGivesTheDeviceFailure) {
    TempHome home;
    core::ManualClock clock{{2026, 12, 9}};
    SimulatedLink link;
    CalibrationHand hand(link, false);
    RecordingView view;
    Calibration calibration(link, clock, {home.path(), 18, 18}, english, view);
    calibration.start();
    link.run(3000);
    calibration.enterPressed();
    for (int i = 0; i < 2000 && !view.outcome; ++i) {
        hand.panelShown(view.panels.back());
        link.run(125);
    }
    EXPECT_EQ(view.outcome, CalibrationOutcome::DeviceFailure);
    EXPECT_FALSE(hand.device().pressed());
}

TEST(CalibrationSetup, OptionsComeFromTheSettingsAndTheLogGoesToTheHome) {
    core::SettingsList settings;
    settings.loadFromLines({"DeviceTimeout=30", "DataTimeout=12"});
    const CalibrationOptions options = calibrationOptions("/home/lumo", settings);
    EXPECT_EQ(options.dataHome, fs::path("/home/lumo"));
    EXPECT_EQ(options.deviceTimeout, 30);
    EXPECT_EQ(options.dataTimeout, 12);
    settings.loadFromLines({"DeviceTimeout=30", "DataTimeout=soon"});
    EXPECT_THROW(calibrationOptions("/home/lumo", settings), EConvertError);

    TempHome home;
    core::ManualClock clock;
    SimulatedLink link;
    RecordingView view;
    Calibration calibration(link, clock, {home.path(), 18, 18}, english, view);
    calibration.start();
    link.run(1000);
    EXPECT_TRUE(link.trafficLogging());
    EXPECT_TRUE(fs::exists(home / Calibration::kTrafficLogName));
}

}  // namespace
}  // namespace lumo::device
