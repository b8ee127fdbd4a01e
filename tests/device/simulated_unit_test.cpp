// The simulated unit: its side of the byte exchange, and the driver running
// against it in process on a virtual clock.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "device/device_script.h"
#include "device/lumo_device.h"
#include "device/simulated_link.h"

namespace lumo::device {
namespace {

using test::Bytes;

Bytes takeUntil(SimulatedUnit& unit, std::int64_t now) {
    Bytes out;
    unit.takeDue(now, out);
    return out;
}

TEST(SimulatedUnit, SpeaksTheProtocolFromResetToStream) {
    SimulatedUnit unit;
    unit.setDtr(true, 0);
    EXPECT_EQ(takeUntil(unit, 39), Bytes{});
    EXPECT_EQ(takeUntil(unit, 40), (Bytes{0x0A}));
    unit.receive(0x00, 50);  // stray bytes before the handshake are ignored
    unit.receive(0x55, 51);
    EXPECT_EQ(takeUntil(unit, 52), (Bytes{0x55}));

    // The info block goes out one byte per echo.
    unit.receive(0xA3, 60);
    Bytes block = takeUntil(unit, 61);
    ASSERT_EQ(block.size(), 1u);
    std::int64_t now = 61;
    while (block.size() < 36) {
        unit.receive(block.back(), now);
        const Bytes next = takeUntil(unit, ++now);
        ASSERT_EQ(next.size(), 1u) << block.size();
        block.push_back(next[0]);
    }
    unit.receive(block.back(), now);
    EXPECT_EQ(takeUntil(unit, now + 10), Bytes{});
    EXPECT_EQ(unit.infoBlocksSent(), 1u);
    // DacZero, then DacZero + 48 at bytes 4 and 5.
    EXPECT_EQ(block[0] * 256 + block[1], 2048);
    EXPECT_EQ(block[4] * 256 + block[5], 2096);

    unit.receive(0x0D, 100);
    EXPECT_EQ(takeUntil(unit, 101), (Bytes{0x0D}));
    const Bytes setup{0x87, 0x8F, 0x81, 0x01};
    for (std::uint8_t byte : setup) unit.receive(byte, 102);
    EXPECT_EQ(takeUntil(unit, 103), setup);
    EXPECT_TRUE(unit.streaming());

    // 8 packets a second, counting from 1.
    Bytes stream = takeUntil(unit, 103 + 1000);
    EXPECT_EQ(stream.size(), 8u * SimulatedUnit::kPacketLength);
    EXPECT_EQ(stream[3], 1);
    EXPECT_EQ(stream[3 + SimulatedUnit::kPacketLength * 7], 8);
}

TEST(SimulatedUnit, AppliesCommandsAndStopsOnTheStopBytes) {
    SimulatedUnit unit;
    unit.setDtr(true, 0);
    for (std::uint8_t byte : {0x55, 0x0D, 0x87, 0x8F, 0x81, 0x01}) unit.receive(byte, 100);
    takeUntil(unit, 101);
    ASSERT_TRUE(unit.streaming());
    for (std::uint8_t byte : {0x8D, 0xE6, 0x77}) unit.receive(byte, 110);  // channel 5, range 7, dac 3000
    EXPECT_EQ(unit.channelSetting(5), (TChartBlock{7, 0, 3000}));
    EXPECT_EQ(unit.commandsApplied(), 1u);
    // A command's bytes are taken whole, even a 0x55 or a zero inside it.
    for (std::uint8_t byte : {0x0D, 0x21, 0x55}) unit.receive(byte, 111);
    EXPECT_TRUE(unit.streaming());
    EXPECT_EQ(unit.channelSetting(0), (TChartBlock{1, 0, 0x55 * 8}));
    for (std::uint8_t byte : {0x00, 0x00, 0x00}) unit.receive(byte, 120);
    EXPECT_FALSE(unit.streaming());
    takeUntil(unit, 130);
    EXPECT_EQ(takeUntil(unit, 2000), Bytes{});
}

TEST(SimulatedUnit, ShakesHandsAgainWhileStreamingAndKeepsCounting) {
    SimulatedUnit unit;
    unit.setDtr(true, 0);
    for (std::uint8_t byte : {0x55, 0x0D, 0x87, 0x8F, 0x81, 0x01}) unit.receive(byte, 100);
    takeUntil(unit, 101);
    takeUntil(unit, 600);
    unit.receive(0x55, 601);
    const Bytes reply = takeUntil(unit, 602);  // a packet already due may precede the echo
    EXPECT_EQ(reply.back(), 0x55);
    EXPECT_EQ(reply.size() % SimulatedUnit::kPacketLength, 1u);
    EXPECT_FALSE(unit.streaming());
    const std::uint32_t counted = unit.counter();
    for (std::uint8_t byte : {0x0D, 0x87, 0x8F, 0x81, 0x01}) unit.receive(byte, 700);
    const Bytes stream = takeUntil(unit, 1000);
    ASSERT_GE(stream.size(), 5u + SimulatedUnit::kPacketLength);
    EXPECT_EQ(stream[5 + 3], counted + 1);
}

TEST(SimulatedUnit, OnAPtyRepeatsTheReadyByteUntilTheHostAnswers) {
    SimulatedUnitOptions options;
    options.repeatReady = true;
    SimulatedUnit unit(options);
    unit.hostOpened(0);
    EXPECT_EQ(takeUntil(unit, 599), Bytes{});
    EXPECT_EQ(takeUntil(unit, 600), (Bytes{0x0A}));
    EXPECT_EQ(takeUntil(unit, 874), Bytes{});
    EXPECT_EQ(takeUntil(unit, 875), (Bytes{0x0A}));
    unit.receive(0x55, 900);
    EXPECT_EQ(takeUntil(unit, 3000), (Bytes{0x55}));
    unit.hostClosed();
    unit.receive(0x0D, 3001);
    EXPECT_EQ(takeUntil(unit, 5000), Bytes{});
}

TEST(SimulatedUnit, DeafToDtrItRepeatsTheReadyByteFromTheOpening) {
    SimulatedUnitOptions options;
    options.ignoresDtr = true;
    SimulatedUnit unit(options);
    unit.hostOpened(0);
    EXPECT_EQ(takeUntil(unit, 0), (Bytes{0x0A}));
    unit.setDtr(false, 10);  // the host's reset reaches nothing
    EXPECT_EQ(takeUntil(unit, 274), Bytes{});
    EXPECT_EQ(takeUntil(unit, 275), (Bytes{0x0A}));
    unit.setDtr(true, 500);
    EXPECT_EQ(takeUntil(unit, 550), (Bytes{0x0A}));
    unit.receive(0x55, 600);
    EXPECT_EQ(takeUntil(unit, 3000), (Bytes{0x55}));
}

TEST(SimulatedUnit, AdcInvertsTheDriversValueFormula) {
    SimulatedUnit unit;
    const UnitDesign& design = unit.design();
    const auto gains = design.gains();
    TLumoDevice_7_2 driver(kUnitGeometry);
    driver.DacZero = static_cast<float>(design.dacZero);
    driver.AdcZero = static_cast<float>(design.adcZero);
    driver.DacScale = static_cast<float>(design.dacScale);
    for (int r = 0; r < 8; ++r) driver.Gains[static_cast<std::size_t>(r)] = static_cast<float>(gains[static_cast<std::size_t>(r)]);
    for (const auto& [range, dac] : std::vector<std::pair<int, int>>{{0, 2048}, {3, 2000}, {7, 2064}, {5, 2040}}) {
        const double value = 2050.3;
        driver.Samples[0] = {static_cast<std::uint8_t>(range), unit.adcFor(value, range, dac),
                             static_cast<std::uint16_t>(dac)};
        // Within the converter's resolution at that range.
        EXPECT_NEAR(driver.ChannelValue(0), value, 0.6 * gains[static_cast<std::size_t>(range)] / gains[0] + 1e-3)
            << range;
    }
}

// The driver against the simulated unit, in process.
class SimulatedSession : public ::testing::Test, protected test::DriverEventCounts {
protected:
    explicit SimulatedSession(SimulatedUnitOptions options = {}) : link(options), driver(kUnitGeometry) {
        test::attachDriver(driver, link);
        countEventsOf(driver);
        driver.OnSample = [this](TLumoDevice_7_2& d) {
            ++samples;
            committed[d.lastCounter()] = d.Samples;
        };
        link.unit().setPacketObserver([this](std::uint32_t counter, const std::array<TChartBlock, 10>& items) {
            std::vector<TChartBlock> blocks(7);
            for (int i = 0; i < 10; ++i) blocks[static_cast<std::size_t>(test::kItemChannel[static_cast<std::size_t>(i)])] = items[static_cast<std::size_t>(i)];
            sent[counter] = blocks;
        });
    }

    // Every packet committed after the first one is exactly what the unit sent
    // (nothing is held back without commands); how many were compared.
    int expectCommittedAsSent() {
        int compared = 0;
        for (const auto& [counter, blocks] : committed) {
            if (counter < 2) continue;
            if (!sent.count(counter)) {
                ADD_FAILURE() << "counter " << counter << " was never sent";
                continue;
            }
            EXPECT_EQ(blocks, TarrChartBlock(sent[counter].begin(), sent[counter].end())) << counter;
            ++compared;
        }
        return compared;
    }

    SimulatedLink link;
    TLumoDevice_7_2 driver;
    int samples = 0;
    std::map<std::uint32_t, TarrChartBlock> committed;  // Samples seen during OnSample, by the counter committed before
    std::map<std::uint32_t, std::vector<TChartBlock>> sent;
};

TEST_F(SimulatedSession, ConnectsAndStreamsWhatTheUnitSends) {
    driver.Open();
    link.run(3000);
    EXPECT_EQ(infoRead, 1);
    EXPECT_EQ(identRead, 1);
    EXPECT_EQ(streamStarted, 1);
    EXPECT_EQ(linkErrors, 0);
    EXPECT_EQ(driver.IdentPrefix() + driver.IdentSuffix(), "4C5507202406110031" "7A");
    EXPECT_NEAR(driver.Gains[0], link.unit().design().gains()[0], 0.05);
    EXPECT_NEAR(driver.DacScale, link.unit().design().dacScale, 0.1);
    EXPECT_NEAR(driver.AdcZero, link.unit().design().adcZero, 0.2);

    const int before = samples;
    link.run(10000);
    EXPECT_NEAR(samples - before, 80, 1);
    EXPECT_EQ(driver.rejectedPackets(), 0u);
    EXPECT_GT(expectCommittedAsSent(), 70);
    // The unified value is the examinee's skin resistance on the default scale.
    const double resistance = (driver.ChannelValue(5) - kSkinZero) * kSkinPerCount;
    EXPECT_NEAR(resistance, link.unit().examinee().skinResistance(), 5);
}

TEST_F(SimulatedSession, CloseStopsTheStreamAndAnotherOpenReconnects) {
    driver.Open();
    link.run(3000);
    driver.Close();
    EXPECT_FALSE(link.unit().streaming());
    const int before = samples;
    link.run(2000);
    EXPECT_EQ(samples, before);
    driver.Open();
    link.run(3000);
    EXPECT_EQ(infoRead, 2);
    EXPECT_EQ(identRead, 1);  // the identification is read once per driver
    EXPECT_GT(samples, before + 5);
}

TEST_F(SimulatedSession, ReconnectsAfterTheStreamStalls) {
    driver.Open();
    link.run(3000);
    ASSERT_EQ(streamStarted, 1);
    // The unit falls silent: shake hands again, read the info block five times, stream on.
    link.unit().receive(0x00, link.milliseconds());
    link.unit().receive(0x00, link.milliseconds());
    link.unit().receive(0x00, link.milliseconds());
    link.run(5000);
    EXPECT_EQ(infoRead, 2);
    EXPECT_EQ(identRead, 1);
    EXPECT_EQ(streamStarted, 2);
    EXPECT_EQ(linkErrors, 0);
    const int before = samples;
    link.run(1000);
    EXPECT_NEAR(samples - before, 8, 1);
}

TEST_F(SimulatedSession, CommandsChangeRangeAndOffsetAndAreConfirmed) {
    std::vector<int> done;
    driver.SetOnCommandDone(3, [&done](TLumoDevice_7_2&, int channel) { done.push_back(channel); });
    driver.Open();
    link.run(3000);
    const float before = driver.ChannelValue(3);
    driver.QueueCommand(3, 4, 2096);
    link.run(1000);
    EXPECT_EQ(done, (std::vector<int>{3}));
    EXPECT_EQ(driver.Samples[3].range, 4);
    EXPECT_EQ(driver.Samples[3].dac, 2096);
    // The value stays continuous across the switch.
    EXPECT_NEAR(driver.ChannelValue(3), before, 20);
}

// A unit whose reset line is not wired through talks during the reset pause.
class SimulatedSessionDeafToDtr : public SimulatedSession {
protected:
    SimulatedSessionDeafToDtr() : SimulatedSession(deafToDtr()) {}

    static SimulatedUnitOptions deafToDtr() {
        SimulatedUnitOptions options;
        options.ignoresDtr = true;
        return options;
    }
};

TEST_F(SimulatedSessionDeafToDtr, ConnectsOnTheFirstReadyByteAfterTheReset) {
    driver.Open();
    EXPECT_EQ(link.unit().handshakes(), 0u);  // the ready bytes of the pause went with the flush
    link.run(13000);
    EXPECT_EQ(link.unit().handshakes(), 1u);
    EXPECT_EQ(link.unit().infoBlocksSent(), 5u);
    EXPECT_EQ(streamStarted, 1);
    EXPECT_EQ(linkErrors, 0);
    EXPECT_EQ(driver.rejectedPackets(), 0u);
    EXPECT_GT(samples, 90);
    EXPECT_GT(expectCommittedAsSent(), 90);
}

}  // namespace
}  // namespace lumo::device
