// The driver from Open to streaming, byte by byte: reset, handshake, info
// readings, identification, setup and the timer rules of those states.
#include <gtest/gtest.h>

#include "device/device_errors.h"
#include "device/device_script.h"

namespace lumo::device {
namespace {

using test::Bytes;
using test::ScriptedLink;
using Calls = std::vector<std::string>;

class DeviceConnect : public ::testing::Test, protected test::DriverEventCounts {
protected:
    DeviceConnect() : driver(kUnitGeometry) {
        test::attachDriver(driver, link, 20);
        countEventsOf(driver);
    }

    // Open, ready byte and echo: the driver waits for the first info byte.
    void toReadInfo() {
        driver.Open();
        link.feed(0x0A);
        link.feed(0x55);
        link.takeSent();
        link.takeCalls();
    }

    ScriptedLink link;
    TLumoDevice_7_2 driver;
};

TEST_F(DeviceConnect, OpenResetsTheUnitThroughDtr) {
    const std::int64_t start = link.now;
    driver.Open();
    EXPECT_EQ(link.takeCalls(), (Calls{"open", "add", "rts 0", "dtr 0", "dtr 1", "flush in", "flush out", "arm 18"}));
    EXPECT_GE(link.now - start, 500);  // DTR held low for the reset pause
    EXPECT_EQ(driver.state(), DeviceState::WaitReset);
    EXPECT_EQ(driver.triggerHandle(), 7);
    EXPECT_EQ(driver.IdentPrefix(), "FFFFFF");
    EXPECT_EQ(driver.IdentSuffix(), "FFFFFFFFFFFFFF");
}

TEST_F(DeviceConnect, BytesArrivingDuringTheResetPauseAreNeverTaken) {
    // A unit whose reset line is not wired through keeps talking while DTR is
    // low: a ready byte, an info block and a packet, each byte announced alone.
    const Bytes chatter = test::concat({{0x0A}, test::infoWithGain0(36, 1), test::packet(5)});
    std::size_t fed = 0;
    link.onPump = [&] {
        if (fed < chatter.size() && link.now % 4 == 0) link.feed(chatter[fed++]);
    };
    driver.Open();
    link.onPump = nullptr;
    ASSERT_EQ(fed, chatter.size());
    EXPECT_EQ(link.takeCalls(), (Calls{"open", "add", "rts 0", "dtr 0", "dtr 1", "flush in", "flush out", "arm 18"}));
    EXPECT_EQ(link.receivedCount(), 0);
    EXPECT_EQ(driver.state(), DeviceState::WaitReset);
    EXPECT_EQ(driver.position(), 0);
    EXPECT_EQ(infoRead, 0);

    // The session begins with the first ready byte after the flush.
    link.feed(0x0A);
    EXPECT_EQ(link.takeSent(), (Bytes{0x55}));
    link.feed(0x55);
    EXPECT_EQ(link.takeSent(), (Bytes{0xA3}));
}

TEST_F(DeviceConnect, ReopeningAStreamingDriverTakesNoPacketBytesDuringThePause) {
    test::bringToStreaming(driver, link);
    int samples = 0;
    driver.OnSample = [&samples](TLumoDevice_7_2&) { ++samples; };
    driver.QueueCommand(2, 3, 2048);
    link.takeSent();
    link.feed(test::packet(1));  // the command waits for its confirmation
    ASSERT_TRUE(driver.awaiting(2));
    driver.QueueCommand(2, 4, 2048);
    ASSERT_TRUE(driver.pending(2));
    samples = 0;
    link.takeSent();

    const Bytes stream = test::concat({test::packet(2), test::packet(3)});
    std::size_t fed = 0;
    link.onPump = [&] {
        if (fed == 0) driver.QueueCommand(4, 1, 2048);  // a unit held in reset takes none
        if (fed < stream.size()) link.feed(stream[fed++]);
    };
    driver.Open();
    link.onPump = nullptr;
    EXPECT_EQ(fed, stream.size());
    EXPECT_EQ(samples, 0);
    EXPECT_TRUE(link.takeSent().empty());  // neither handshakes nor commands
    EXPECT_EQ(driver.state(), DeviceState::WaitReset);
    EXPECT_TRUE(driver.pending(4));
}

TEST_F(DeviceConnect, CloseDuringTheResetPauseEndsOpen) {
    link.onPump = [this] {
        if (link.isOpen() && link.now == 1100) driver.Close();
    };
    driver.Open();
    link.onPump = nullptr;
    EXPECT_EQ(link.takeCalls(), (Calls{"open", "add", "rts 0", "dtr 0", "put 00", "put 00", "put 00", "remove",
                                       "close"}));
    EXPECT_EQ(driver.state(), DeviceState::Idle);
}

TEST_F(DeviceConnect, OpenPassesPortErrorsAndWrapsTriggerErrors) {
    link.throwOnOpen = true;
    EXPECT_THROW(driver.Open(), std::runtime_error);

    link.throwOnOpen = false;
    link.throwOnAddTrigger = true;
    try {
        driver.Open();
        FAIL();
    } catch (const ELumoDeviceAddTimerTrigger& error) {
        EXPECT_STREQ(error.what(), "no timer left");
    }
}

TEST_F(DeviceConnect, WaitResetIgnoresOtherBytesUntilTheReadyByte) {
    driver.Open();
    link.takeCalls();
    link.feed(0x42);
    EXPECT_EQ(link.takeCalls(), (Calls{"disarm", "arm 18"}));
    EXPECT_EQ(driver.state(), DeviceState::WaitReset);

    // An expiry here reports the link, then counts as an expiry without a frame.
    link.expire();
    EXPECT_EQ(linkErrors, 1);
    EXPECT_EQ(driver.expiryCount(), 1u);
    EXPECT_EQ(link.takeCalls(), (Calls{"arm 20"}));

    link.feed(0x0A);
    EXPECT_EQ(link.takeCalls(), (Calls{"disarm", "put 55", "arm 18"}));
    EXPECT_EQ(driver.state(), DeviceState::Handshake);
}

TEST_F(DeviceConnect, WaitResetGivesUpAfterElevenExpiries) {
    driver.Open();
    for (int i = 0; i < 11; ++i) link.expire();
    EXPECT_EQ(driver.expiryCount(), 11u);
    EXPECT_EQ(linkErrors, 11);
    link.takeCalls();
    link.expire();
    EXPECT_EQ(linkErrors, 13);  // once for the state, once for the exhausted count
    EXPECT_TRUE(link.takeCalls().empty());
}

TEST_F(DeviceConnect, HandshakeEchoStartsTheInfoBlock) {
    driver.Open();
    link.feed(0x0A);
    link.takeCalls();
    link.feed(0x55);
    EXPECT_EQ(link.takeCalls(), (Calls{"disarm", "put A3", "arm 18"}));
    EXPECT_EQ(driver.state(), DeviceState::ReadInfo);
    EXPECT_EQ(driver.echoCount(), 1);
}

TEST_F(DeviceConnect, WrongHandshakeReplyRetriesWithThreeZeros) {
    driver.Open();
    link.feed(0x0A);
    link.takeCalls();
    const std::int64_t start = link.now;
    link.feed(0x33);
    EXPECT_EQ(link.takeCalls(), (Calls{"disarm", "put 00", "put 00", "put 00", "put 55", "arm 20"}));
    EXPECT_GE(link.now - start, 3);  // 1 ms after each zero
    EXPECT_EQ(driver.state(), DeviceState::Handshake);
    EXPECT_EQ(driver.echoCount(), 0);
}

TEST_F(DeviceConnect, HandshakeExpiriesRetryElevenTimesThenReportTheLink) {
    driver.Open();
    link.feed(0x0A);
    link.takeCalls();
    for (int i = 0; i < 11; ++i) {
        link.expire();
        EXPECT_EQ(link.takeCalls(), (Calls{"put 55", "arm 20"})) << i;
    }
    EXPECT_EQ(linkErrors, 0);
    link.expire();
    EXPECT_EQ(linkErrors, 1);
    EXPECT_TRUE(link.takeCalls().empty());
}

TEST_F(DeviceConnect, ExpiryIsIgnoredWithBytesWaitingOrForAForeignTrigger) {
    driver.Open();
    link.feed(0x0A);
    link.takeCalls();
    link.expire(99);
    link.queueBytes({0x55});
    link.expire();
    EXPECT_TRUE(link.takeCalls().empty());
    EXPECT_EQ(driver.handshakeRetries(), 0u);
}

TEST_F(DeviceConnect, InfoBytesAreEchoedOneByOne) {
    toReadInfo();
    const Bytes block = test::infoWithGain0(36, 1);
    for (int i = 0; i < 35; ++i) {
        link.feed(block[static_cast<std::size_t>(i)]);
        char put[8];
        std::snprintf(put, sizeof put, "put %02X", block[static_cast<std::size_t>(i)]);
        EXPECT_EQ(link.takeCalls(), (Calls{"disarm", put, "arm 18"})) << i;
    }
    link.feed(block[35]);
    char put[8];
    std::snprintf(put, sizeof put, "put %02X", block[35]);
    EXPECT_EQ(link.takeCalls(), (Calls{"disarm", put, "put 0F", "arm 18"}));
    EXPECT_EQ(driver.readingIndex(), 1);
}

TEST_F(DeviceConnect, DecodesTheInfoBlock) {
    toReadInfo();
    // Steps 0..6: 2/1, 3/2, 5/4, 1/1, 1/1, 6/5, 4/1: each gain is the product from its step up.
    link.feed(test::infoBlock(2040, 16380, 2088, 2300,
                              {{{2, 1}, {3, 2}, {5, 4}, {1, 1}, {1, 1}, {6, 5}, {4, 1}}}));
    EXPECT_FLOAT_EQ(driver.DacZero, 2040);
    EXPECT_FLOAT_EQ(driver.AdcZero, 2047.5f);
    EXPECT_FLOAT_EQ(driver.DacScale, (2300 / 8.0f - 2047.5f) / 48);
    const float gains[8] = {18, 9, 6, 4.8f, 4.8f, 4.8f, 4, 1};
    for (int r = 0; r < 8; ++r) EXPECT_FLOAT_EQ(driver.Gains[static_cast<std::size_t>(r)], gains[r]) << r;
    EXPECT_FLOAT_EQ(driver.Gain(6), 4);
}

TEST_F(DeviceConnect, FiveGoodReadingsAreAveraged) {
    toReadInfo();
    const std::uint16_t adc8[5] = {16380, 16384, 16388, 16392, 16396};
    for (int k = 0; k < 5; ++k) {
        std::array<std::pair<std::uint16_t, std::uint16_t>, 7> steps;
        steps.fill({1, 1});
        steps[0] = {static_cast<std::uint16_t>(340 + 10 * k), 10};  // 34 ... 38
        link.feed(test::infoBlock(2048, adc8[k], 2096, 1760 * 8, steps));
    }
    EXPECT_EQ(infoRead, 1);
    EXPECT_FLOAT_EQ(driver.Gains[0], 36);
    EXPECT_FLOAT_EQ(driver.AdcZero, 2048.5f);
    EXPECT_EQ(link.takeSent().back(), 0x0E);  // identification requested
    EXPECT_EQ(driver.state(), DeviceState::ReadIdent);
}

TEST_F(DeviceConnect, GainBoundsAreInclusiveAndARejectDiscardsGoodReadings) {
    toReadInfo();
    link.feed(test::infoWithGain0(32, 1));
    link.feed(test::infoWithGain0(40, 1));
    EXPECT_EQ(driver.readingIndex(), 2);
    link.feed(test::infoWithGain0(319, 10));  // 31.9
    EXPECT_EQ(driver.readingIndex(), 0);
    EXPECT_EQ(driver.invalidReadings(), 1);
    EXPECT_EQ(link.takeSent().back(), 0x0F);
    link.feed(test::infoWithGain0(401, 10));  // 40.1
    EXPECT_EQ(driver.invalidReadings(), 2);
    for (int k = 0; k < 4; ++k) link.feed(test::infoWithGain0(36, 1));
    EXPECT_EQ(infoRead, 0);
    link.feed(test::infoWithGain0(36, 1));
    EXPECT_EQ(infoRead, 1);
    EXPECT_EQ(driver.invalidReadings(), 0);
}

TEST_F(DeviceConnect, TenInvalidReadingsGiveUp) {
    toReadInfo();
    for (int k = 0; k < 9; ++k) link.feed(test::infoWithGain0(20, 1));
    EXPECT_EQ(infoFailed, 0);
    link.takeCalls();
    link.feed(test::infoWithGain0(20, 1));
    EXPECT_EQ(infoFailed, 1);
    const Calls calls = link.takeCalls();
    EXPECT_EQ(calls[calls.size() - 2], "disarm");  // the last byte: echoed, nothing armed after
    EXPECT_EQ(calls.back().substr(0, 3), "put");
    EXPECT_FALSE(link.armed);
    EXPECT_EQ(driver.state(), DeviceState::Idle);
}

TEST_F(DeviceConnect, DegenerateBlocksRaiseAndLeaveTheDriverWaiting) {
    toReadInfo();
    Bytes sameDac = test::infoWithGain0(36, 1);
    sameDac[4] = sameDac[0];
    sameDac[5] = sameDac[1];
    try {
        link.feed(sameDac);
        FAIL();
    } catch (const ELumoDeviceInfPNP& error) {
        EXPECT_STREQ(error.what(), "DAC = 0");
    }
    EXPECT_EQ(driver.state(), DeviceState::ReadInfo);
    EXPECT_FALSE(link.armed);
    EXPECT_EQ(link.takeSent().size(), 35u);  // the last byte is not echoed

    Bytes zeroDelta = test::infoWithGain0(36, 1);
    zeroDelta[22] = 0;  // the denominator of step 3
    zeroDelta[23] = 0;
    try {
        link.feed(zeroDelta);
        FAIL();
    } catch (const ELumoDeviceInfPNP& error) {
        EXPECT_STREQ(error.what(), "Delta = 0");
    }
    // A sound block afterwards is read from its first byte on.
    link.feed(test::infoWithGain0(36, 1));
    EXPECT_EQ(driver.readingIndex(), 1);
}

TEST_F(DeviceConnect, IdentificationThenSetup) {
    toReadInfo();
    for (int k = 0; k < 5; ++k) link.feed(test::infoWithGain0(36, 1));
    link.takeCalls();
    const Bytes ident{0x4C, 0x55, 0x07, 0x20, 0x24, 0x06, 0x11, 0x00, 0x31, 0x7A};
    for (int i = 0; i < 9; ++i) {
        link.feed(ident[static_cast<std::size_t>(i)]);
        EXPECT_EQ(link.takeCalls().back(), "arm 20");
    }
    EXPECT_EQ(identRead, 0);
    link.feed(ident[9]);
    EXPECT_EQ(identRead, 1);
    EXPECT_EQ(driver.IdentPrefix(), "4C5507");
    EXPECT_EQ(driver.IdentSuffix(), "2024061100317A");
    EXPECT_EQ(link.takeCalls(), (Calls{"disarm", "put 7A", "put 0D", "arm 18"}));
    EXPECT_EQ(driver.state(), DeviceState::Setup);

    const Bytes replies{0x0D, 0x87, 0x8F, 0x81};
    const char* sends[] = {"put 87", "put 8F", "put 81", "put 01"};
    for (int i = 0; i < 4; ++i) {
        link.feed(replies[static_cast<std::size_t>(i)]);
        EXPECT_EQ(link.takeCalls(), (Calls{sends[i]}));  // the setup deadline keeps running
    }
    EXPECT_EQ(streamStarted, 0);
    link.feed(0x01);
    EXPECT_EQ(streamStarted, 1);
    EXPECT_EQ(driver.state(), DeviceState::WaitPacket);
    EXPECT_EQ(link.takeCalls(), (Calls{"arm 18"}));
    EXPECT_EQ(driver.timerReload(), -28799);
}

TEST_F(DeviceConnect, ChannelByteWithoutTheHighBit) {
    TLumoDevice_7_2 plain(8, 7, false, 31250, 1);
    ScriptedLink other;
    plain.AttachPort(&other);
    plain.Open();
    other.feed(0x0A);
    other.feed(0x55);
    for (int k = 0; k < 5; ++k) other.feed(test::infoWithGain0(36, 1));
    other.feed(Bytes(10, 1));
    other.takeSent();
    other.feed(0x0D);
    EXPECT_EQ(other.takeSent(), (Bytes{0x07}));
}

TEST_F(DeviceConnect, SetupSkipsRepliesUntilACrAtAMultipleOfEight) {
    test::bringToStreaming(driver, link);  // reads the identification once
    link.expire();                        // streaming expiry: shake hands again
    link.feed(0x55);
    for (int k = 0; k < 5; ++k) link.feed(test::infoWithGain0(36, 1));
    link.takeSent();
    ASSERT_EQ(driver.state(), DeviceState::Setup);

    link.feed(0x42);  // not CR: skipping starts
    EXPECT_EQ(driver.position(), -1);
    link.feed(Bytes{0x0D, 0x11, 0x0D, 0x22, 0x33, 0x44});  // CRs at skip counts 1 and 3 do not count
    EXPECT_EQ(driver.position(), -7);
    link.feed(0x55);
    EXPECT_EQ(driver.position(), -8);
    EXPECT_TRUE(link.takeSent().empty());
    link.feed(0x0D);  // CR at skip count 8
    EXPECT_EQ(link.takeSent(), (Bytes{0x87}));
    EXPECT_EQ(driver.position(), 1);
}

TEST_F(DeviceConnect, StreamingExpiryReconnectsWithoutTheIdentification) {
    test::bringToStreaming(driver, link);
    ASSERT_EQ(infoRead, 1);
    ASSERT_EQ(identRead, 1);
    link.expire();
    EXPECT_EQ(link.takeCalls(), (Calls{"flush in", "flush out", "put 55", "arm 18"}));
    EXPECT_EQ(driver.state(), DeviceState::Handshake);
    link.takeSent();

    link.feed(0x55);
    EXPECT_EQ(link.takeSent(), (Bytes{0xA3}));
    for (int k = 0; k < 4; ++k) link.feed(test::infoWithGain0(36, 1));
    EXPECT_EQ(infoRead, 1);
    link.feed(test::infoWithGain0(36, 1));
    EXPECT_EQ(infoRead, 2);
    EXPECT_EQ(link.takeSent().back(), 0x0D);  // straight to setup
    EXPECT_EQ(identRead, 1);
    EXPECT_EQ(driver.state(), DeviceState::Setup);
}

TEST_F(DeviceConnect, ExpiryWhileReadingInfoReportsTwice) {
    toReadInfo();
    link.feed(Bytes{1, 2, 3});
    link.takeCalls();
    link.expire();
    EXPECT_EQ(linkErrors, 2);
    EXPECT_TRUE(link.takeCalls().empty());
}

TEST_F(DeviceConnect, IdentificationCutShortIsReadAgainAtTheNextConnection) {
    toReadInfo();
    for (int k = 0; k < 5; ++k) link.feed(test::infoWithGain0(36, 1));
    link.feed(Bytes{9, 9, 9});  // three ident bytes, then silence
    link.takeCalls();
    link.expire();
    EXPECT_EQ(linkErrors, 1);
    EXPECT_EQ(driver.state(), DeviceState::WaitPacket);
    EXPECT_EQ(driver.restartCount(), 1u);
    EXPECT_EQ(link.takeCalls(), (Calls{"arm 20"}));
    EXPECT_FALSE(driver.identRead());

    link.expire();  // nothing arrives while waiting for packets: reconnect
    link.feed(0x55);
    for (int k = 0; k < 5; ++k) link.feed(test::infoWithGain0(36, 1));
    EXPECT_EQ(link.takeSent().back(), 0x0E);
    link.feed(Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    EXPECT_EQ(identRead, 1);
    EXPECT_EQ(driver.IdentPrefix(), "010203");
}

TEST_F(DeviceConnect, LinkErrorHandlerThatStopsTheLinkEndsTheTimerRule) {
    driver.OnLinkError = [this](TLumoDevice_7_2& d) {
        ++linkErrors;
        d.Disconnect();
    };
    driver.Open();
    link.takeCalls();
    link.expire();
    EXPECT_EQ(linkErrors, 1);
    EXPECT_EQ(link.takeCalls(), (Calls{"remove", "close"}));
    EXPECT_EQ(driver.state(), DeviceState::Idle);
}

TEST_F(DeviceConnect, CloseSendsTheStopBytesAndDisconnectDoesNot) {
    test::bringToStreaming(driver, link);
    driver.Close();
    EXPECT_EQ(link.takeCalls(), (Calls{"put 00", "put 00", "put 00", "remove", "close"}));
    EXPECT_EQ(driver.state(), DeviceState::Idle);
    link.feed(test::packet(1));  // a closed driver takes nothing
    EXPECT_TRUE(link.takeCalls().empty());

    driver.Open();
    link.takeCalls();
    driver.Disconnect();
    EXPECT_EQ(link.takeCalls(), (Calls{"remove", "close"}));
}

TEST_F(DeviceConnect, AttachingAnotherPortRestoresTheFirstPortsHandlers) {
    ScriptedLink first;
    ScriptedLink second;
    int previous = 0;
    first.onBytesAvailable = [&previous](SerialLink&, int) { ++previous; };
    {
        TLumoDevice_7_2 other(kUnitGeometry);
        other.AttachPort(&first);
        first.feed(0x01);
        EXPECT_EQ(previous, 1);  // the previous handler runs first
        other.AttachPort(&second);
        EXPECT_TRUE(static_cast<bool>(second.onBytesAvailable));
    }
    EXPECT_FALSE(static_cast<bool>(second.onBytesAvailable));
    first.feed(0x01);
    EXPECT_EQ(previous, 2);
}

}  // namespace
}  // namespace lumo::device
