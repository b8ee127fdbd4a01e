// The serial traffic log: its text form, and replaying a capture through the driver.
#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/test_home.h"
#include "device/lumo_device.h"
#include "device/replay_link.h"
#include "device/simulated_link.h"
#include "device/traffic_log.h"

namespace lumo::device {
namespace {

TEST(TrafficLog, WritesReadableLinesAndReadsThemBack) {
    test::TempHome home;
    const auto file = home / "unit.log";
    {
        TrafficLog log(file, 1000);
        log.record(1000, TrafficKind::Open);
        log.record(1001, TrafficKind::Dtr, false);
        const std::uint8_t sent[] = {0x55};
        log.recordBytes(1501, TrafficKind::Sent, sent, 1);
        const std::uint8_t received[] = {0x0A, 0x55};
        log.recordBytes(1510, TrafficKind::Received, received, 1);
        log.recordBytes(1510, TrafficKind::Received, received + 1, 1);  // same millisecond: same line
        log.recordBytes(1511, TrafficKind::Received, received, 1);
        log.record(1600, TrafficKind::FlushInput);
    }
    EXPECT_EQ(test::readFile(file),
              "# Lumo serial traffic capture: milliseconds, event, bytes (hex)\n"
              "0 OPEN\n1 DTR 0\n501 TX 55\n510 RX 0A 55\n511 RX 0A\n600 FLUSH IN\n");
    const auto events = readTrafficLog(file);
    ASSERT_EQ(events.size(), 6u);
    EXPECT_EQ(events[3], (TrafficEvent{510, TrafficKind::Received, {0x0A, 0x55}, false}));
    EXPECT_EQ(events[1], (TrafficEvent{1, TrafficKind::Dtr, {}, false}));
    EXPECT_EQ(events[5].kind, TrafficKind::FlushInput);
}

TEST(TrafficLog, MalformedCapturesNameTheLine) {
    for (const char* text : {"0 OPEN\nabc RX 00\n", "0 RX 0G\n", "0 RX\n", "5 OPEN\n4 CLOSE\n", "0 DTR 2\n",
                             "0 FLUSH SIDEWAYS\n", "0 OPEN now\n", "0 SING\n"}) {
        try {
            parseTrafficLog(text);
            FAIL() << text;
        } catch (const EInOutError& error) {
            EXPECT_NE(std::string(error.what()).find("line"), std::string::npos) << text;
        }
    }
    EXPECT_TRUE(parseTrafficLog("# only a comment\n\n").empty());
    EXPECT_THROW(readTrafficLog("/nonexistent/unit.log"), EInOutError);
}

TEST(TrafficLog, AFileThatCannotBeCreatedIsAnError) {
    SimulatedLink link;
    EXPECT_THROW(link.startTrafficLog("/nonexistent/folder/unit.log"), EInOutError);
    EXPECT_FALSE(link.trafficLogging());
}

// What a driver session produced, for comparing a live run with its replay.
struct Session {
    int infoRead = 0;
    int identRead = 0;
    std::string ident;
    std::vector<TarrChartBlock> samples;
    std::vector<float> constants;

    void watch(TLumoDevice_7_2& driver) {
        driver.DeviceTimeout = 18;
        driver.DataTimeout = 18;
        driver.OnInfoRead = [this](TLumoDevice_7_2& d) {
            ++infoRead;
            constants = {d.DacZero, d.AdcZero, d.DacScale, d.Gains[0], d.Gains[6]};
        };
        driver.OnIdentRead = [this](TLumoDevice_7_2& d) {
            ++identRead;
            ident = d.IdentPrefix() + d.IdentSuffix();
        };
        driver.OnSample = [this](TLumoDevice_7_2& d) { samples.push_back(d.Samples); };
    }
};

TEST(TrafficReplay, ACaptureReplaysToTheSameEvents) {
    test::TempHome home;
    const auto file = home / "frmCalibrate.LOG";
    Session live;
    {
        SimulatedLink link;
        TLumoDevice_7_2 driver(kUnitGeometry);
        live.watch(driver);
        driver.AttachPort(&link);
        link.startTrafficLog(file);
        driver.Open();
        link.run(3000);
        driver.QueueCommand(2, 5, 2000);
        link.run(2000);
        driver.Close();
        link.stopTrafficLog();
    }
    ASSERT_EQ(live.infoRead, 1);
    ASSERT_GT(live.samples.size(), 20u);

    Session replayed;
    ReplayLink link(readTrafficLog(file));
    TLumoDevice_7_2 driver(kUnitGeometry);
    replayed.watch(driver);
    driver.AttachPort(&link);
    link.advanceTo(link.openTime());
    driver.Open();
    link.run(3000);
    driver.QueueCommand(2, 5, 2000);
    link.advanceTo(link.endTime());
    EXPECT_EQ(replayed.infoRead, 1);
    EXPECT_EQ(replayed.identRead, 1);
    EXPECT_EQ(replayed.ident, live.ident);
    EXPECT_EQ(replayed.constants, live.constants);
    EXPECT_EQ(replayed.samples, live.samples);
    EXPECT_EQ(driver.rejectedPackets(), 0u);
}

}  // namespace
}  // namespace lumo::device
