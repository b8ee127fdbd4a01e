// Channel commands: their bytes, the queue, when they go out, and confirmation.
#include <gtest/gtest.h>

#include "core/errors.h"
#include "device/device_script.h"

namespace lumo::device {
namespace {

using test::Bytes;
using test::ScriptedLink;

class DeviceCommand : public ::testing::Test {
protected:
    DeviceCommand() : driver(kUnitGeometry) {
        test::attachDriver(driver, link, 20);
        for (int c = 0; c < 7; ++c) {
            driver.SetOnCommandDone(c, [this](TLumoDevice_7_2&, int channel) { done.push_back(channel); });
            driver.SetOnCommandFailed(c, [this](TLumoDevice_7_2&, int channel) { failed.push_back(channel); });
        }
    }

    // A packet with every channel at the given settings.
    Bytes packetAt(std::uint32_t counter, std::uint8_t range, std::uint16_t dac) {
        return test::packet(counter, TChartBlock{range, 2000, dac});
    }

    ScriptedLink link;
    TLumoDevice_7_2 driver;
    std::vector<int> done;
    std::vector<int> failed;
};

TEST_F(DeviceCommand, CommandBytesCarryRangeChannelAndOffset) {
    test::bringToStreaming(driver, link);
    const std::int64_t start = link.now;
    driver.QueueCommand(2, 3, 1000);
    EXPECT_EQ(link.takeSent(), (Bytes{0x0D, 3 * 32 + 2 + 1, 1000 >> 3}));
    EXPECT_GE(link.now - start, 2);  // 1 ms after the first and the second byte
    EXPECT_EQ(link.takeCalls().back(), "arm 18");
    EXPECT_TRUE(driver.awaiting(2));

    driver.QueueCommand(5, 7, 3000);  // dac bit 11 goes into the first byte
    EXPECT_EQ(link.takeSent(), (Bytes{0x8D, 7 * 32 + 5 + 1, (3000 >> 3) & 0xFF}));
    driver.QueueCommand(0, 0, 2047);
    EXPECT_EQ(link.takeSent(), (Bytes{0x0D, 0x01, 0xFF}));
    driver.QueueCommand(1, 0, 2048);
    EXPECT_EQ(link.takeSent(), (Bytes{0x8D, 0x02, 0x00}));
}

TEST_F(DeviceCommand, OutOfRangeArgumentsAreRefusedOrClamped) {
    test::bringToStreaming(driver, link);
    EXPECT_THROW(driver.QueueCommand(7, 0, 0), EListError);
    EXPECT_THROW(driver.QueueCommand(-1, 0, 0), EListError);
    EXPECT_THROW(driver.QueueCommand(0, 8, 0), EListError);
    driver.QueueCommand(3, 1, 5000);  // the widest offset the wire can carry
    EXPECT_EQ(link.takeSent(), (Bytes{0x8D, 1 * 32 + 3 + 1, 0xFF}));
}

TEST_F(DeviceCommand, ConfirmedWhenTheSamplesShowTheNewSettings) {
    test::bringToStreaming(driver, link);
    link.feed(packetAt(1, 0, 0));
    driver.QueueCommand(4, 2, 1003);  // confirmed against 1000: rounded down to a multiple of 8
    link.feed(packetAt(2, 2, 1000));  // the first sample after the switch is held back
    link.feed(packetAt(3, 2, 1000));  // now current
    EXPECT_TRUE(done.empty());
    link.feed(packetAt(4, 2, 1000));  // compared on decoding
    EXPECT_EQ(done, (std::vector<int>{4}));
    EXPECT_FALSE(driver.awaiting(4));
}

TEST_F(DeviceCommand, FailsAfterElevenPacketsWithoutConfirmation) {
    test::bringToStreaming(driver, link);
    driver.QueueCommand(6, 5, 200);
    for (std::uint32_t n = 1; n <= 10; ++n) link.feed(packetAt(n, 0, 0));
    EXPECT_TRUE(failed.empty());
    link.feed(packetAt(11, 0, 0));
    EXPECT_EQ(failed, (std::vector<int>{6}));
    EXPECT_FALSE(driver.awaiting(6));
    link.takeSent();
    for (std::uint32_t n = 12; n <= 30; ++n) link.feed(packetAt(n, 0, 0));
    EXPECT_TRUE(link.takeSent().empty());  // a command is never repeated
}

TEST_F(DeviceCommand, QueueOverflowsAt257) {
    driver.Open();  // not streaming: everything stays queued
    for (int i = 0; i < 256; ++i) driver.QueueCommand(1, 0, 8 * i);
    EXPECT_EQ(driver.QueuedCommands(1), 256);
    try {
        driver.QueueCommand(1, 0, 0);
        FAIL();
    } catch (const EListError& error) {
        EXPECT_STREQ(error.what(), "Queue overflow");
    }
    EXPECT_EQ(driver.QueuedCommands(1), 256);
    EXPECT_TRUE(driver.pending(1));
}

TEST_F(DeviceCommand, CommandsQueuedDuringAConnectionWaitForTheStream) {
    driver.Open();
    link.feed(0x0A);
    driver.QueueCommand(0, 1, 800);  // Handshake
    link.feed(0x55);
    link.feed(Bytes{1, 2, 3});
    driver.QueueCommand(1, 1, 800);  // ReadInfo, inside a block
    const Bytes block = test::infoWithGain0(36, 1);
    link.feed(Bytes(block.begin() + 3, block.end()));
    for (int k = 0; k < 4; ++k) link.feed(block);
    driver.QueueCommand(2, 1, 800);  // ReadIdent
    link.feed(Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    driver.QueueCommand(3, 1, 800);  // Setup
    link.takeSent();
    link.feed(Bytes{0x0D, 0x87, 0x8F, 0x81});
    // The setup went out undisturbed.
    EXPECT_EQ(link.takeSent(), (Bytes{0x87, 0x8F, 0x81, 0x01}));
    link.feed(0x01);
    // Streaming: the four commands follow, channel by channel.
    EXPECT_EQ(link.takeSent(), (Bytes{0x0D, 0x21, 100, 0x0D, 0x22, 100, 0x0D, 0x23, 100, 0x0D, 0x24, 100}));
}

TEST_F(DeviceCommand, CommandsQueuedBeforeAReconnectionGoOutAfterIt) {
    test::bringToStreaming(driver, link);
    driver.QueueCommand(1, 1, 800);
    driver.QueueCommand(1, 2, 800);  // waits behind the first (awaiting)
    link.takeSent();
    link.expire();  // the stream stalls: shake hands again
    link.feed(0x55);
    for (int k = 0; k < 5; ++k) link.feed(test::infoWithGain0(36, 1));
    EXPECT_FALSE(driver.pending(1));  // the info block cleared pending and awaiting
    EXPECT_EQ(driver.QueuedCommands(1), 1);
    link.takeSent();
    link.feed(Bytes{0x0D, 0x87, 0x8F, 0x81, 0x01});
    EXPECT_EQ(link.takeSent(), (Bytes{0x87, 0x8F, 0x81, 0x01, 0x0D, 0x42, 100}));
}

TEST_F(DeviceCommand, QueuedInsideAPacketGoesOutAfterIt) {
    test::bringToStreaming(driver, link);
    const Bytes whole = packetAt(1, 0, 0);
    link.feed(Bytes(whole.begin(), whole.begin() + 20));
    driver.QueueCommand(3, 1, 800);
    EXPECT_TRUE(link.takeSent().empty());
    EXPECT_TRUE(driver.pending(3));
    link.feed(Bytes(whole.begin() + 20, whole.end()));
    EXPECT_EQ(link.takeSent(), (Bytes{0x0D, 0x24, 100}));
}

TEST_F(DeviceCommand, NotWhileFurtherBytesWait) {
    test::bringToStreaming(driver, link);
    const Bytes first = packetAt(1, 0, 0);
    link.feed(Bytes(first.begin(), first.begin() + 20));
    driver.QueueCommand(3, 1, 800);
    // The rest of the packet and a piece of the next arrive together: nothing
    // goes out between the two packets' bytes.
    std::vector<std::size_t> sentAt;
    driver.OnSample = [&](TLumoDevice_7_2&) { sentAt.push_back(link.takeSent().size()); };
    const Bytes second = packetAt(2, 0, 0);
    link.feed(test::concat({Bytes(first.begin() + 20, first.end()), Bytes(second.begin(), second.begin() + 5)}));
    EXPECT_EQ(sentAt, (std::vector<std::size_t>{0}));
    // After the notification's bytes are all taken the command follows.
    EXPECT_EQ(link.takeSent(), (Bytes{0x0D, 0x24, 100}));
}

TEST_F(DeviceCommand, NextCommandOfAChannelWaitsForTheConfirmation) {
    test::bringToStreaming(driver, link);
    link.feed(packetAt(1, 0, 0));
    driver.QueueCommand(2, 1, 800);
    driver.QueueCommand(2, 2, 800);
    EXPECT_EQ(link.takeSent(), (Bytes{0x0D, 0x23, 100}));
    EXPECT_TRUE(driver.pending(2));
    link.feed(packetAt(2, 1, 800));
    link.feed(packetAt(3, 1, 800));
    EXPECT_TRUE(link.takeSent().empty());
    link.feed(packetAt(4, 1, 800));  // confirmed, then the next one goes out
    EXPECT_EQ(done, (std::vector<int>{2}));
    EXPECT_EQ(link.takeSent(), (Bytes{0x0D, 0x43, 100}));
    EXPECT_FALSE(driver.pending(2));
}

TEST_F(DeviceCommand, APacketCompletedDuringACommandsPausesDoesNotSplitIt) {
    test::bringToStreaming(driver, link);
    std::array<TChartBlock, 10> items;
    items.fill(TChartBlock{0, 2000, 0});
    link.feed(test::packet(1, items));
    driver.QueueCommand(6, 1, 800);  // sent, awaiting
    driver.QueueCommand(6, 2, 800);  // waits for the confirmation
    items[5] = {1, 2000, 800};       // channel 6 switched
    link.feed(test::packet(2, items));
    link.feed(test::packet(3, items));
    link.takeSent();
    // The packet that confirms channel 6 arrives during the first pause of
    // channel 0's command; channel 6's next command must not land inside it.
    bool fed = false;
    link.onPump = [&] {
        if (fed) return;
        fed = true;
        link.feed(test::packet(4, items));
    };
    driver.QueueCommand(0, 4, 1600);
    EXPECT_EQ(done, (std::vector<int>{6}));
    EXPECT_EQ(link.takeSent(), (Bytes{0x0D, 0x81, 200}));
    link.onPump = nullptr;
    link.feed(test::packet(5, items));
    EXPECT_EQ(link.takeSent(), (Bytes{0x0D, 0x47, 100}));
}

}  // namespace
}  // namespace lumo::device
