// Channel tuners and spies: exact commands on a scripted unit, and whole tuning
// runs against the simulated unit.
#include <gtest/gtest.h>

#include <memory>

#include "device/channel_tuner.h"
#include "device/channel_tuning.h"
#include "device/device_script.h"
#include "device/simulated_link.h"
#include "device/tune_spy.h"

namespace lumo::device {
namespace {

using test::Bytes;
using test::ScriptedLink;

struct Command {
    int channel;
    int range;
    int dac;
    bool operator==(const Command&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Command& c) {
    return out << "(" << c.channel << ", " << c.range << ", " << c.dac << ")";
}

std::vector<Command> decodeCommands(const Bytes& bytes) {
    std::vector<Command> commands;
    for (std::size_t i = 0; i + 2 < bytes.size(); i += 3) {
        commands.push_back({(bytes[i + 1] & 0x1F) - 1, bytes[i + 1] >> 5,
                            (((bytes[i] & 0x80) != 0 ? 256 : 0) + bytes[i + 2]) * 8});
    }
    return commands;
}

// A streaming driver on a scripted unit with round constants: AdcZero and
// DacZero 2048, DacScale -36, Gains[0] / Gains[7] = 36.
class ScriptedTuning : public ::testing::Test {
protected:
    ScriptedTuning() : driver(kUnitGeometry) {
        test::attachDriver(driver, link);
        test::bringToStreaming(driver, link);
        driver.Gains = {36, 18, 12, 9, 6, 4, 2, 1};
        driver.AdcZero = 2048;
        driver.DacZero = 2048;
        driver.DacScale = -36;
        channels.fill(TChartBlock{0, 2048, 2048});
        // Let the settings settle past the hold rule.
        feed();
        feed();
        link.takeSent();
    }

    // One packet with every channel at its block; one OnSample.
    void feed() {
        std::array<TChartBlock, 10> items;
        for (int i = 0; i < 10; ++i) {
            items[static_cast<std::size_t>(i)] = channels[static_cast<std::size_t>(test::kItemChannel[static_cast<std::size_t>(i)])];
        }
        link.now += 125;
        link.feed(test::packet(++counter, items));
    }
    // Sets a channel and feeds until the subscribers see it: the first packet
    // after a switch is held back, and OnSample shows the previous packet.
    void switchTo(int channel, TChartBlock block) {
        channels[static_cast<std::size_t>(channel)] = block;
        feed();
        feed();
        feed();
    }
    void feedFor(int milliseconds) {
        for (int t = 0; t < milliseconds; t += 125) feed();
    }
    std::vector<Command> sent() { return decodeCommands(link.takeSent()); }

    ScriptedLink link;
    TLumoDevice_7_2 driver;
    std::array<TChartBlock, 7> channels;
    std::uint32_t counter = 0;
};

TEST_F(ScriptedTuning, TunerSetsRange0FirstAndCountsFromTheConfirmation) {
    channels[2] = {3, 2048, 1000};
    feed();
    feed();
    link.takeSent();
    TLumoChannelsTuner_7_2 tuner(driver, 3583, 512, 650, 5000, 2);
    int doneAt = -1;
    tuner.OnDone = [&](TLumoChannelsTuner_7_2& t) {
        doneAt = static_cast<int>(link.now);
        t.Stop();
    };
    tuner.Start();
    EXPECT_EQ(sent(), (std::vector<Command>{{2, 0, 1000}}));
    EXPECT_TRUE(tuner.waiting());
    feedFor(750);  // the unit is slow to switch: the tuning time does not run
    channels[2] = {0, 2048, 1000};
    feed();  // held back
    feed();  // current
    EXPECT_TRUE(tuner.waiting());
    feed();  // confirmed
    EXPECT_FALSE(tuner.waiting());
    const std::int64_t confirmed = link.now;
    while (doneAt < 0 && link.now < confirmed + 8000) feed();
    EXPECT_GT(doneAt, confirmed + 4875);
    EXPECT_LE(doneAt, confirmed + 5125);
}

TEST_F(ScriptedTuning, TunerChoosesTheMostSensitiveRangeThatFits) {
    struct Case {
        int centre;
        int excursion;
        int dac;
        Command expected;
    };
    // 40 counts * 36 = 1440 fits range 7; 45 * 36 = 1620 does not, 45 * 18 does.
    // Off centre by 100 counts, the offset moves 96 codes (a multiple of 8)
    // and the centred span is -36 ... 44; near the offset's end it moves only
    // 8 codes, leaving 52 ... 132.
    for (const Case& c : {Case{2048, 40, 2048, {1, 7, 2048}}, Case{2048, 45, 2048, {1, 6, 2048}},
                          Case{2148, 40, 2048, {1, 6, 2144}}, Case{2148, 40, 4080, {1, 5, 4088}}}) {
        channels[1] = {0, static_cast<std::int16_t>(c.centre), static_cast<std::uint16_t>(c.dac)};
        feed();
        feed();
        link.takeSent();
        TLumoChannelsTuner_7_2 tuner(driver, 3583, 512, 650, 5000, 1);
        bool done = false;
        tuner.OnDone = [&done](TLumoChannelsTuner_7_2&) { done = true; };
        tuner.Start();
        for (int k = 0; !done && k < 60; ++k) {
            channels[1].adc = static_cast<std::int16_t>(c.centre + (k % 2 == 0 ? c.excursion : -c.excursion));
            feed();
        }
        ASSERT_TRUE(done);
        EXPECT_FALSE(tuner.running());
        EXPECT_EQ(sent(), (std::vector<Command>{c.expected})) << c.centre << " " << c.excursion;
    }
}

TEST_F(ScriptedTuning, TunerShiftsTheOffsetOrReportsTheLimit) {
    TLumoChannelsTuner_7_2 tuner(driver, 3583, 512, 650, 5000, 4);
    int limits = 0;
    tuner.OnLimit = [&limits](TLumoChannelsTuner_7_2&) { ++limits; };
    tuner.Start();
    EXPECT_EQ(tuner.offsetStep(), -650);  // round(36 * 650 / -36)
    channels[4].adc = 3700;  // above the high limit: move the signal down one step
    feed();
    feed();
    EXPECT_EQ(sent(), (std::vector<Command>{{4, 0, (2048 + 650) & ~7}}));  // the wire drops bits 0..2
    EXPECT_TRUE(tuner.waiting());
    EXPECT_EQ(tuner.smallest(), 65535);

    TLumoChannelsTuner_7_2 other(driver, 3583, 512, 650, 5000, 6);
    other.OnLimit = [&limits](TLumoChannelsTuner_7_2&) { ++limits; };
    channels[6] = {0, 300, 600};  // below the low limit with no room left for the offset
    feed();
    feed();
    other.Start();
    link.takeSent();
    feed();
    EXPECT_EQ(limits, 1);
    EXPECT_TRUE(sent().empty());
}

TEST_F(ScriptedTuning, TheWorkstationsTunerAndSpies) {
    const std::unique_ptr<TLumoChannelsTuner_7_2> tuner = makeChannelTuner(driver, 4);
    tuner->Start();
    EXPECT_EQ(tuner->offsetStep(), -650);
    channels[4].adc = 3584;  // just above the window
    feed();
    feed();
    EXPECT_EQ(sent(), (std::vector<Command>{{4, 0, (2048 + 650) & ~7}}));

    // Only the skin-resistance channel searches its offset out of saturation.
    EXPECT_NE(dynamic_cast<TLumoChannelsTuneSpy_7_2_GSC*>(makeChannelSpy(driver, 5, 1000).get()), nullptr);
    EXPECT_EQ(dynamic_cast<TLumoChannelsTuneSpy_7_2_GSC*>(makeChannelSpy(driver, 3, 1000).get()), nullptr);
}

TEST_F(ScriptedTuning, SpyMovesTheOffsetByOneStepAtTheCurrentRange) {
    TLumoChannelsTuneSpy_7_2 spy(driver, 3583, 512, 3839, 256, 1024, 3, false, 1024, 60000);
    channels[3] = {5, 3700, 2048};
    feed();
    feed();
    link.takeSent();
    spy.Start();
    feed();
    // d = round(Gains[5] * 1024 / -36) = -114: above the limit the offset goes up 114 codes.
    EXPECT_EQ(sent(), (std::vector<Command>{{3, 5, 2160}}));
    EXPECT_TRUE(spy.waiting());
    feedFor(1000);  // waiting: nothing more while the command is unconfirmed
    EXPECT_TRUE(sent().empty());
}

TEST_F(ScriptedTuning, SpyStepsDownARangeWhenTheOffsetRunsOut) {
    TLumoChannelsTuneSpy_7_2 spy(driver, 3583, 512, 3839, 256, 1024, 3, false, 1024, 60000);
    channels[3] = {3, 3700, 3900};  // 3900 + 256 is past the offset's end
    feed();
    feed();
    link.takeSent();
    spy.Start();
    feed();
    EXPECT_EQ(sent(), (std::vector<Command>{{3, 2, 4088}}));
}

TEST_F(ScriptedTuning, SpyLeavesRange0AtTheOffsetsEndsAlone) {
    TLumoChannelsTuneSpy_7_2 spy(driver, 3583, 512, 3839, 256, 1024, 3, false, 1024, 60000);
    channels[3] = {0, 4000, 0};
    feed();
    feed();
    link.takeSent();
    spy.Start();
    feedFor(500);
    EXPECT_TRUE(sent().empty());
}

TEST_F(ScriptedTuning, SpyAsksForRetuningWhenTheChannelFallsToRange0) {
    TLumoChannelsTuneSpy_7_2 spy(driver, 3583, 512, 3839, 256, 1024, 2, false, 1024, 60000);
    int retunes = 0;
    spy.OnRetune = [&retunes](TLumoChannelsTuneSpy_7_2& s) {
        ++retunes;
        s.Stop();
    };
    switchTo(2, {4, 2048, 2048});
    spy.Start();
    feed();
    switchTo(2, {2, 2048, 2048});  // a lower range: the spy follows it
    EXPECT_EQ(sent(), (std::vector<Command>{{2, 2, 2048}}));
    switchTo(2, {0, 2048, 2048});
    EXPECT_EQ(retunes, 1);
    EXPECT_FALSE(spy.running());
    EXPECT_TRUE(sent().empty());
}

TEST_F(ScriptedTuning, SpyReportsWhatFailsAndCarriesOn) {
    TLumoChannelsTuneSpy_7_2 spy(driver, 3583, 512, 3839, 256, 1024, 3, false, 1024, 60000);
    std::vector<std::string> errors;
    spy.OnDataReadyError = [&errors](TLumoChannelsTuneSpy_7_2&, const std::string& message) {
        errors.push_back(message);
    };
    switchTo(3, {5, 3700, 2048});
    for (int i = 0; i < 257; ++i) driver.QueueCommand(3, 0, 2048);  // one in flight, the queue full
    spy.Start();
    feed();
    EXPECT_EQ(errors, (std::vector<std::string>{"Queue overflow"}));
    EXPECT_FALSE(spy.waiting());
    feed();
    EXPECT_EQ(errors.size(), 2u);
}

// Hooks recording the order in which samples reach them.
class OrderHook : public DriverHook {
public:
    OrderHook(TLumoDevice_7_2& driver, int channel, int name, std::vector<int>& log)
        : DriverHook(driver, channel), name_(name), log_(log) {}

protected:
    void DataReady(TLumoDevice_7_2& d) override {
        callSavedSample(d);
        log_.push_back(name_);
    }
    void CommandDone(TLumoDevice_7_2& d, int c) override {
        callSavedDone(d, c);
        log_.push_back(100 + name_);
    }
    void CommandFailed(TLumoDevice_7_2& d, int c) override { callSavedFailed(d, c); }

private:
    int name_;
    std::vector<int>& log_;
};

TEST_F(ScriptedTuning, HooksUnlinkInAnyOrder) {
    std::vector<int> log;
    driver.OnSample = [&log](TLumoDevice_7_2&) { log.push_back(0); };
    driver.SetOnCommandDone(1, [&log](TLumoDevice_7_2&, int) { log.push_back(100); });
    std::vector<std::unique_ptr<OrderHook>> hooks;
    const int channelOf[5] = {1, 2, 1, 3, 1};
    for (int i = 0; i < 5; ++i) hooks.push_back(std::make_unique<OrderHook>(driver, channelOf[i], i + 1, log));
    feed();
    EXPECT_EQ(log, (std::vector<int>{0, 1, 2, 3, 4, 5}));

    hooks[2].reset();  // from the middle
    hooks[0].reset();  // the first
    log.clear();
    feed();
    EXPECT_EQ(log, (std::vector<int>{0, 2, 4, 5}));
    driver.GetOnCommandDone(1)(driver, 1);
    EXPECT_EQ(log.back(), 105);
    log.clear();
    driver.GetOnCommandDone(1)(driver, 1);
    EXPECT_EQ(log, (std::vector<int>{100, 105}));

    hooks[4].reset();  // the last
    hooks[1].reset();
    hooks[3].reset();
    log.clear();
    feed();
    driver.GetOnCommandDone(1)(driver, 1);
    EXPECT_EQ(log, (std::vector<int>{0, 100}));
}

TEST_F(ScriptedTuning, FormsFreeingTunersAndSpiesInCreationOrderLeaveTheDriverSound) {
    int formSamples = 0;
    driver.OnSample = [&formSamples](TLumoDevice_7_2&) { ++formSamples; };
    std::vector<std::unique_ptr<TLumoChannelsTuner_7_2>> tuners;
    std::vector<std::unique_ptr<TLumoChannelsTuneSpy_7_2>> spies;
    for (int c = 0; c < 7; ++c) tuners.push_back(std::make_unique<TLumoChannelsTuner_7_2>(driver, 3583, 512, 650, 5000, c));
    for (int c = 0; c < 7; ++c) {
        spies.push_back(c == 5 ? std::make_unique<TLumoChannelsTuneSpy_7_2_GSC>(driver, 3583, 512, 3839, 256, 1024, c,
                                                                               false, 1024, 5000)
                               : std::make_unique<TLumoChannelsTuneSpy_7_2>(driver, 3583, 512, 3839, 256, 1024, c,
                                                                            false, 1024, 5000));
    }
    for (auto& tuner : tuners) tuner->Start();
    feed();
    EXPECT_EQ(formSamples, 1);
    for (auto& tuner : tuners) tuner.reset();
    for (auto& spy : spies) spy.reset();
    feed();
    EXPECT_EQ(formSamples, 2);
    for (int c = 0; c < 7; ++c) EXPECT_FALSE(static_cast<bool>(driver.GetOnCommandDone(c)));
}

TEST(DriverHookLifetime, ADriverFreedFirstDetachesItsHooks) {
    auto driver = std::make_unique<TLumoDevice_7_2>(kUnitGeometry);
    TLumoChannelsTuner_7_2 tuner(*driver, 3583, 512, 650, 5000, 0);
    driver.reset();
    EXPECT_EQ(tuner.driver(), nullptr);
    tuner.Start();  // harmless
    EXPECT_FALSE(tuner.running());
}

// Tuning against the simulated unit on a virtual clock.
class SimulatedTuning : public ::testing::Test {
protected:
    SimulatedTuning() : driver(kUnitGeometry) {
        test::attachDriver(driver, link);
        driver.Open();
        link.run(3000);
    }
    // Runs until the channel's command is confirmed.
    void settle(int channel) {
        for (int i = 0; i < 40 && (driver.awaiting(channel) || driver.QueuedCommands(channel) > 0); ++i) link.run(125);
        link.run(500);
    }

    SimulatedLink link;
    TLumoDevice_7_2 driver;
};

TEST_F(SimulatedTuning, FlatSignalClimbsOneRangePerDelay) {
    link.unit().setSignalSource([](int, double) { return 2100.0; });
    link.run(500);
    std::vector<std::pair<int, std::int64_t>> climbs;  // range and when it was seen
    driver.OnSample = [&](TLumoDevice_7_2& d) {
        const int range = d.Samples[4].range;
        if (climbs.empty() || climbs.back().first != range) climbs.emplace_back(range, d.milliseconds());
    };
    TLumoChannelsTuneSpy_7_2 spy(driver, 3583, 512, 3839, 256, 1024, 4, false, 1024, 2000);
    spy.Start();
    const std::int64_t start = link.milliseconds();
    link.run(25000);
    ASSERT_EQ(climbs.size(), 8u);
    for (int r = 0; r < 8; ++r) EXPECT_EQ(climbs[static_cast<std::size_t>(r)].first, r);
    // One range per delay period (the check falls on the first packet after it).
    for (std::size_t k = 2; k < climbs.size(); ++k) {
        const std::int64_t apart = climbs[k].second - climbs[k - 1].second;
        EXPECT_GE(apart, 2000) << k;
        EXPECT_LE(apart, 2250) << k;
    }
    EXPECT_LT(climbs.back().second - start, 17000);
    const int adc = driver.Samples[4].adc;
    EXPECT_GT(adc, 512);
    EXPECT_LT(adc, 3583);
}

TEST_F(SimulatedTuning, SaturatedSkinChannelStartsTheHalvingSearchAt2048) {
    link.unit().setSignalSource([](int channel, double) { return channel == 5 ? 2400.0 : 2100.0; });
    driver.QueueCommand(5, 7, 2048);
    settle(5);
    ASSERT_EQ(driver.Samples[5].range, 7);
    ASSERT_EQ(driver.Samples[5].adc, 4095);
    std::vector<int> dacs{driver.Samples[5].dac};
    driver.OnSample = [&dacs](TLumoDevice_7_2& d) {
        if (d.Samples[5].dac != dacs.back()) dacs.push_back(d.Samples[5].dac);
    };
    TLumoChannelsTuneSpy_7_2_GSC spy(driver, 3583, 512, 3839, 256, 1024, 5, false, 1024, 20000);
    spy.Start();
    link.run(15000);
    // Two ordinary steps up (28 codes each, sent as multiples of 8), then the
    // search: 2048, +1024, -512, -256, +128, and the signal is out of saturation.
    EXPECT_EQ(dacs, (std::vector<int>{2048, 2072, 2096, 2048, 3072, 2560, 2304, 2432}));
    EXPECT_EQ(spy.searchCount(), 0);
    EXPECT_GT(driver.Samples[5].adc, 0);
    EXPECT_LT(driver.Samples[5].adc, 4095);
}

TEST_F(SimulatedTuning, TheTestRunsWiringTunesEveryChannel) {
    // Seven tuners and spies switched as the test run does it.
    std::vector<std::unique_ptr<TLumoChannelsTuner_7_2>> tuners;
    std::vector<std::unique_ptr<TLumoChannelsTuneSpy_7_2>> spies;
    const int delays[7] = {5000, 15000, 15000, 10000, 5000, 20000, 10000};
    for (int c = 0; c < 7; ++c) tuners.push_back(std::make_unique<TLumoChannelsTuner_7_2>(driver, 3583, 512, 650, 5000, c));
    for (int c = 0; c < 7; ++c) {
        if (c == 5) {
            spies.push_back(std::make_unique<TLumoChannelsTuneSpy_7_2_GSC>(driver, 3583, 512, 3839, 256, 1024, c,
                                                                          false, 1024, delays[c]));
        } else {
            spies.push_back(std::make_unique<TLumoChannelsTuneSpy_7_2>(driver, 3583, 512, 3839, 256, 1024, c, false,
                                                                      1024, delays[c]));
        }
    }
    for (int c = 0; c < 7; ++c) {
        tuners[static_cast<std::size_t>(c)]->OnDone = [&, c](TLumoChannelsTuner_7_2& tuner) {
            tuner.Stop();
            if (c == 5) {
                const double dac = (driver.AdcZero - driver.ChannelValue(5)) * driver.Gains[0] / driver.DacScale +
                                   driver.DacZero;
                driver.QueueCommand(5, 7, static_cast<int>(roundOrZero(dac)));
            }
            spies[static_cast<std::size_t>(c)]->Start();
        };
        spies[static_cast<std::size_t>(c)]->OnRetune = [&, c](TLumoChannelsTuneSpy_7_2& spy) {
            spy.Stop();
            tuners[static_cast<std::size_t>(c)]->Start();
        };
        tuners[static_cast<std::size_t>(c)]->Start();
    }
    link.run(60000);
    for (int c = 0; c < 7; ++c) {
        const TChartBlock& s = driver.Samples[static_cast<std::size_t>(c)];
        EXPECT_GE(s.range, 4) << c;  // small signals end up well amplified
        EXPECT_GT(s.adc, 0) << c;
        EXPECT_LT(s.adc, 4095) << c;
    }
    // The skin channel reads the examinee's resistance after all the switching.
    EXPECT_NEAR((driver.ChannelValue(5) - kSkinZero) * kSkinPerCount, link.unit().examinee().skinResistance(), 3);
    EXPECT_EQ(driver.rejectedPackets(), 0u);
}

}  // namespace
}  // namespace lumo::device
