#include "formats/screen_settings.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/test_home.h"

namespace lumo::formats {
namespace {

// As the test run writes it: eight bands, the eight events of the start, then changes.
ScreenSettings startOfTest() {
    ScreenSettings settings;
    settings.bandHeights = {100, 120, 140, 160, 180, 200, -5, 0};
    for (int c = 0; c < kScreenChannels; ++c) {
        settings.events.push_back({0, c, static_cast<std::uint8_t>(c == 3 ? 0 : 11 * (c + 1)), 50 + 100 * c,
                                   0.25f * static_cast<float>(c)});
    }
    return settings;
}

TEST(ScreenSettings, LayoutAndRoundTrip) {
    ScreenSettings settings = startOfTest();
    settings.events.push_back({320, 5, 99, -12, -1.5f});
    const std::string bytes = encodeScreenSettings(settings);
    ASSERT_EQ(bytes.size(), 32u + 17 * 9);
    // The band height of channel 6 and the gain byte of event L at 40 + 17 L.
    EXPECT_EQ(bytes.substr(24, 4), std::string("\xfb\xff\xff\xff", 4));
    for (std::size_t l = 0; l < 9; ++l) EXPECT_EQ(static_cast<std::uint8_t>(bytes[40 + 17 * l]), settings.events[l].gain);
    // The last event field by field: time 320, channel 5, gain 99, centre -12, offset -1.5.
    EXPECT_EQ(bytes.substr(32 + 17 * 8), std::string("\x40\x01\0\0\x05\0\0\0\x63\xf4\xff\xff\xff\0\0\xc0\xbf", 17));

    EXPECT_EQ(decodeScreenSettings(bytes, "x"), settings);
    // The test run's buffered writing gives the same bytes.
    std::string buffered = encodeScreenHeader(settings.bandHeights);
    for (const ScreenEvent& event : settings.events) appendScreenEvent(buffered, event);
    EXPECT_EQ(buffered, bytes);

    test::TempHome home;
    writeScreenSettingsFile(home / "exam_01.sc1", settings);
    EXPECT_EQ(test::readFile(home / "exam_01.sc1"), bytes);
    EXPECT_EQ(readScreenSettingsFile(home / "exam_01.sc1"), settings);
}

TEST(ScreenSettings, ShortAndCutFiles) {
    const std::string bytes = encodeScreenSettings(startOfTest());
    for (std::size_t size : {0, 31}) {
        try {
            decodeScreenSettings(bytes.substr(0, size), "exam_02.sc3");
            FAIL() << size;
        } catch (const EInOutError& e) {
            EXPECT_NE(std::string(e.what()).find("exam_02.sc3"), std::string::npos);
        }
    }
    EXPECT_TRUE(decodeScreenSettings(bytes.substr(0, 32), "x").events.empty());
    // A power cut in the middle of an event leaves the whole ones.
    EXPECT_EQ(decodeScreenSettings(bytes.substr(0, 32 + 17 * 3 + 16), "x").events.size(), 3u);

    test::TempHome home;
    EXPECT_THROW(readScreenSettingsFile(home / "missing.sc1"), EInOutError);
}

TEST(ScreenSettings, GainsAndEventsInForce) {
    ScreenSettings settings = startOfTest();
    settings.events.push_back({640, 2, 55, 300, 1.0f});
    settings.events.push_back({96, 2, 44, 310, 2.0f});  // written out of order: time decides
    settings.events.push_back({640, 2, 66, 320, 3.0f});  // same time: the later one holds

    EXPECT_EQ(settings.initialGain(0), 11);
    EXPECT_EQ(settings.initialGain(3), 0);  // not shown when the test started
    EXPECT_EQ(settings.initialGain(9), 44);
    EXPECT_EQ(settings.initialGain(11), std::nullopt);
    EXPECT_EQ(settings.initialGain(-1), std::nullopt);

    const std::vector<ScreenEvent> events = settings.channelEvents(2);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(eventAt(events, -1), nullptr);
    EXPECT_EQ(eventAt(events, 0)->gain, 33);
    EXPECT_EQ(eventAt(events, 95)->gain, 33);
    EXPECT_EQ(eventAt(events, 96)->gain, 44);
    EXPECT_EQ(eventAt(events, 640)->gain, 66);
    EXPECT_EQ(eventAt(events, 100000)->gain, 66);
    EXPECT_EQ(eventAt(settings.channelEvents(9), 5), nullptr);
}

}  // namespace
}  // namespace lumo::formats
