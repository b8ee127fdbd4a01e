// The packet stream: framing, counters, decoding, the hold rule and roll-back.
#include <gtest/gtest.h>

#include "device/device_script.h"

namespace lumo::device {
namespace {

using test::Bytes;
using test::ScriptedLink;
using Calls = std::vector<std::string>;

class DeviceStream : public ::testing::Test {
protected:
    DeviceStream() : driver(kUnitGeometry) {
        test::attachDriver(driver, link, 20);
        test::bringToStreaming(driver, link);
        driver.OnSample = [this](TLumoDevice_7_2& d) {
            ++samples;
            seen.push_back(d.Samples);
            seenSub.push_back({d.SubSamples[0][0], d.SubSamples[1][0], d.SubSamples[2][0]});
        };
    }

    // Ten distinct items at range 0, offset 0 (nothing to hold back).
    static std::array<TChartBlock, 10> distinct(int base) {
        std::array<TChartBlock, 10> items;
        for (int i = 0; i < 10; ++i) items[static_cast<std::size_t>(i)] = {0, static_cast<std::int16_t>(base + i), 0};
        return items;
    }

    ScriptedLink link;
    TLumoDevice_7_2 driver;
    int samples = 0;
    std::vector<TarrChartBlock> seen;
    std::vector<std::array<TChartBlock, 3>> seenSub;
};

TEST_F(DeviceStream, DecodesItemsInWireOrder) {
    link.feed(test::packet(1, distinct(100)));
    // Items: 0, 1, 5, 0, 2, 6, 0, 3, 0, 4.
    EXPECT_EQ(driver.SubSamples[0][0].adc, 100);
    EXPECT_EQ(driver.SubSamples[1][0].adc, 103);
    EXPECT_EQ(driver.SubSamples[2][0].adc, 106);
    const std::int16_t expected[7] = {108, 101, 104, 107, 109, 102, 105};
    for (int c = 0; c < 7; ++c) EXPECT_EQ(driver.Samples[static_cast<std::size_t>(c)].adc, expected[c]) << c;
    EXPECT_EQ(driver.packetCounter(), 1u);
    EXPECT_EQ(driver.lastCounter(), 1u);
    EXPECT_EQ(driver.state(), DeviceState::WaitPacket);
}

TEST_F(DeviceStream, DecodesRangeAndOffsetBits) {
    // Offsets above 2047 carry their top bit in bit 7 of the middle byte.
    const TChartBlock block{5, 4095, 3000};
    link.feed(test::packet(1, block));  // first sight of the new settings: held back
    link.feed(test::packet(2, block));
    EXPECT_EQ(driver.Samples[3], block);
    std::uint8_t item[3];
    encodePacketItem(block, item);
    EXPECT_EQ(item[0], (3000 >> 3) & 0xFF);
    EXPECT_EQ(item[1], 0x80 | (5 << 4) | 0x0F);
    EXPECT_EQ(item[2], 0xFF);
}

TEST_F(DeviceStream, OnSampleSeesThePreviousPacket) {
    link.feed(test::packet(1, distinct(100)));
    ASSERT_EQ(samples, 1);
    // Until the first packet is committed the samples are zero blocks.
    EXPECT_EQ(seen[0], TarrChartBlock(7, TChartBlock{}));
    EXPECT_EQ(seenSub[0][0], TChartBlock{});
    link.feed(test::packet(2, distinct(200)));
    EXPECT_EQ(seen[1][1].adc, 101);
    EXPECT_EQ(seenSub[1][2].adc, 106);
    EXPECT_EQ(driver.Samples[1].adc, 201);
}

TEST_F(DeviceStream, CounterSteps) {
    link.feed(test::packet(5, distinct(100)));  // first packet: counter 5 is a jump of 5 from 0
    EXPECT_EQ(samples, 5);
    link.feed(test::packet(5, distinct(300)));  // equal: accepted silently
    EXPECT_EQ(samples, 5);
    EXPECT_EQ(driver.Samples[1].adc, 301);
    link.feed(test::packet(8, distinct(400)));
    EXPECT_EQ(samples, 8);
    link.feed(test::packet(208, distinct(500)));  // a jump of exactly 200
    EXPECT_EQ(samples, 208);
    EXPECT_EQ(driver.rejectedPackets(), 0u);
}

TEST_F(DeviceStream, FirstPacketAbove200IsRejected) {
    link.feed(test::packet(201));
    EXPECT_EQ(samples, 0);
    EXPECT_EQ(driver.state(), DeviceState::Packet);
    EXPECT_EQ(driver.position(), 33);
    EXPECT_EQ(driver.restartCount(), 1u);
    EXPECT_EQ(link.takeCalls().back(), "arm 20");
}

TEST(DeviceStreamCounter, ImplausibleCountersAreRejected) {
    // Smaller, a jump above 200, above 24 bits.
    for (const std::uint32_t counter : {9u, 211u, 0x1000000u}) {
        ScriptedLink link;
        TLumoDevice_7_2 driver(kUnitGeometry);
        test::attachDriver(driver, link, 20);
        test::bringToStreaming(driver, link);
        link.feed(test::packet(10));
        int samples = 0;
        driver.OnSample = [&samples](TLumoDevice_7_2&) { ++samples; };
        link.feed(test::packet(counter));
        EXPECT_EQ(samples, 0) << counter;
        EXPECT_EQ(driver.lastCounter(), 10u) << counter;
        EXPECT_EQ(driver.rejectedPackets(), 1u) << counter;
        EXPECT_EQ(driver.position(), 33) << counter;
        EXPECT_EQ(driver.state(), DeviceState::Packet) << counter;
    }
}

TEST_F(DeviceStream, AStrayByteIsOvercomeByRealignment) {
    // 0x01 then a real packet: the first candidate reads counter 0x01000000,
    // slides, and the packet's last byte completes the true packet.
    link.feed(test::concat({Bytes{0x01}, test::packet(3, distinct(100))}));
    EXPECT_EQ(driver.rejectedPackets(), 1u);
    EXPECT_EQ(samples, 3);
    EXPECT_EQ(driver.Samples[4].adc, 109);
    EXPECT_EQ(driver.state(), DeviceState::WaitPacket);
}

TEST_F(DeviceStream, RejectedPacketRollsTheSamplesBack) {
    link.feed(test::packet(1, distinct(100)));
    link.feed(test::packet(2, distinct(200)));
    const TarrChartBlock first = seen.back();  // what packet 1 committed
    link.feed(test::packet(0x1000000));
    EXPECT_EQ(driver.Samples, first);
    EXPECT_EQ(driver.SubSamples[0][0], first[0]);
    EXPECT_EQ(driver.SubSamples[2][0], first[0]);
}

TEST_F(DeviceStream, BytesWithBit7AreDroppedBetweenPackets) {
    link.feed(test::packet(1, distinct(0)));
    link.takeCalls();
    link.feed(Bytes{0x80, 0xFF, 0xC3});
    EXPECT_TRUE(link.takeCalls().empty());  // neither armed nor cancelled
    EXPECT_TRUE(link.armed);
    EXPECT_EQ(driver.state(), DeviceState::WaitPacket);
    link.feed(test::packet(2, distinct(50)));
    EXPECT_EQ(samples, 2);
    EXPECT_EQ(driver.Samples[1].adc, 51);
}

TEST_F(DeviceStream, SilenceAfterAPacketTimesOut) {
    link.feed(test::packet(1));
    EXPECT_EQ(link.takeCalls().back(), "arm 18");
    link.expire();
    EXPECT_EQ(driver.state(), DeviceState::Handshake);
    EXPECT_EQ(link.takeSent(), (Bytes{0x55}));
}

TEST_F(DeviceStream, ExpiryInsideAPacketShakesHandsAgain) {
    const Bytes whole = test::packet(1);
    link.feed(Bytes(whole.begin(), whole.begin() + 12));
    EXPECT_EQ(driver.state(), DeviceState::Packet);
    link.takeCalls();
    link.expire();
    EXPECT_EQ(link.takeCalls(), (Calls{"flush in", "flush out", "put 55", "arm 18"}));
    EXPECT_EQ(driver.state(), DeviceState::Handshake);
}

TEST_F(DeviceStream, HoldReplacesTheFirstSampleAfterASwitch) {
    std::array<TChartBlock, 10> items = distinct(100);
    link.feed(test::packet(1, items));
    // Channel 1 (slow) switches to range 2; channel 0 switches offset between sub-samples 0 and 1.
    items[1] = {2, 500, 0};
    items[3] = {0, 600, 800};
    items[6] = {0, 700, 800};
    items[8] = {0, 800, 800};
    link.feed(test::packet(2, items));
    EXPECT_EQ(driver.Samples[1], (TChartBlock{0, 101, 0}));      // held: the previous sample
    EXPECT_EQ(driver.SubSamples[0][0], (TChartBlock{0, 100, 0}));  // unchanged settings pass
    EXPECT_EQ(driver.SubSamples[1][0], (TChartBlock{0, 100, 0}));  // first after the switch: its predecessor
    EXPECT_EQ(driver.SubSamples[2][0], (TChartBlock{0, 700, 800}));
    EXPECT_EQ(driver.Samples[0], (TChartBlock{0, 800, 800}));
    items[1] = {2, 510, 0};
    link.feed(test::packet(3, items));
    EXPECT_EQ(driver.Samples[1], (TChartBlock{2, 510, 0}));  // the next one with the same settings passes
}

TEST_F(DeviceStream, SubscriberStoppingTheLinkEndsThePacket) {
    driver.OnSample = [this](TLumoDevice_7_2& d) {
        ++samples;
        d.Close();
    };
    link.feed(test::packet(3));
    EXPECT_EQ(samples, 1);
    EXPECT_EQ(driver.state(), DeviceState::Idle);
    EXPECT_FALSE(link.armed);
}

TEST_F(DeviceStream, ChannelValueUnifiesRangeAndOffset) {
    driver.Gains = {36, 20, 12, 8, 5, 3, 2, 1};
    driver.DacZero = 2048;
    driver.AdcZero = 2000;
    driver.DacScale = -36;
    driver.Samples[0] = {0, 1234, 2048};
    EXPECT_FLOAT_EQ(driver.ChannelValue(0), 1234);  // range 0 at the zero offset: the reading itself
    driver.Samples[0] = {3, 2100, 2048 + 80};
    // 8 * (2100 - 2000) / 36 - 80 * -36 / 36 + 2000
    EXPECT_FLOAT_EQ(driver.ChannelValue(0), static_cast<float>(800.0 / 36 + 80 + 2000));
}

}  // namespace
}  // namespace lumo::device
