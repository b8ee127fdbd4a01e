#include <gtest/gtest.h>

#include "formats/chart.h"
#include "review/ready_marks.h"
#include "review/scroll_par_bands.h"
#include "review/scroll_par_layout.h"
#include "review/scroll_par_panel.h"

namespace lumo::review {
namespace {

// Eight channels from 0 to 100, `count` points, channel c's value at p from `value`.
formats::TLumoChart_7_1 flatChart(std::size_t count, float (*value)(int, std::size_t) = nullptr) {
    formats::TLumoChart_7_1 chart;
    chart.channelCount = 8;
    chart.count = static_cast<std::uint32_t>(count);
    chart.channels.assign(8, formats::TarrChannelBlock(count));
    chart.marks.assign(count, 0);
    chart.minima.assign(8, 0);
    chart.maxima.assign(8, 100);
    for (int c = 0; c < 8; ++c) {
        for (std::size_t p = 0; p < count; ++p) chart.channels[c][p].value = value ? value(c, p) : 0;
    }
    return chart;
}

ParChannelSettings ownSlots() {
    ParChannelSettings settings;
    for (int c = 0; c < 8; ++c) {
        settings.channelSlots[c] = c;
        settings.weights[c] = 1;
        settings.shown[c] = true;
    }
    return settings;
}

// The upper and lower edge of every channel's band: the y of its maximum and minimum.
std::vector<std::pair<int, int>> edges(const ParChannelSettings& settings, int height) {
    const formats::TLumoChart_7_1 chart = flatChart(1);
    std::array<ParBand, kParChannels> bands{};
    EXPECT_EQ(parBands(settings, 8, height, chart, bands), -1);
    std::vector<std::pair<int, int>> result;
    for (const ParBand& band : bands) result.emplace_back(band.y(100), band.y(0));
    return result;
}

TEST(ScrollParBands, EqualWeightsGiveEqualBandsAndAHeavyChannelATallerOne) {
    ParChannelSettings settings = ownSlots();
    const auto equal = edges(settings, 402);
    for (int c = 0; c < 8; ++c) EXPECT_EQ(equal[c], std::make_pair(50 * c, 50 * (c + 1))) << c;

    settings.weights[0] = 3;  // 400 pixels in ten shares of 40
    const auto heavy = edges(settings, 402);
    EXPECT_EQ(heavy[0], std::make_pair(0, 120));
    EXPECT_EQ(heavy[1], std::make_pair(120, 160));
    EXPECT_EQ(heavy[7], std::make_pair(360, 400));
}

TEST(ScrollParBands, SlotsStackTheChannelsFromTheTop) {
    ParChannelSettings settings = ownSlots();
    for (int c = 0; c < 8; ++c) settings.channelSlots[c] = 7 - c;
    const auto reversed = edges(settings, 402);
    EXPECT_EQ(reversed[7], std::make_pair(0, 50));
    EXPECT_EQ(reversed[0], std::make_pair(350, 400));
}

TEST(ScrollParBands, AWeightNotAboveZeroIsNamedAndNoRoomDrawsNothing) {
    ParChannelSettings settings = ownSlots();
    const formats::TLumoChart_7_1 chart = flatChart(1);
    std::array<ParBand, kParChannels> bands{};
    settings.weights[5] = 0;
    EXPECT_EQ(parBands(settings, 8, 402, chart, bands), 5);
    settings.weights[5] = -2;
    EXPECT_EQ(parBands(settings, 8, 402, chart, bands), 5);
    // Only the chart's channels count: a weight beyond them is not read.
    EXPECT_EQ(parBands(settings, 4, 402, chart, bands), -1);

    settings.weights[5] = 1;
    EXPECT_EQ(parBands(settings, 8, 2, chart, bands), -1);
    for (const ParBand& band : bands) EXPECT_EQ(band.scale, 0);
}

TEST(ScrollParBands, ChannelThreeIsASmoothedDifferenceAndChannelFiveMirrored) {
    const formats::TLumoChart_7_1 chart = flatChart(8, [](int c, std::size_t p) {
        return static_cast<float>(c == 3 ? p * p : 10 * p);
    });
    const ParValues values(chart);
    // d(2) = 16 + 9 - 1 - 0 = 24 over a band of 0 ... 100: (0 + 100 + 24 x 100 / 200) / 2.
    EXPECT_DOUBLE_EQ(values(3, 2), 56);
    EXPECT_DOUBLE_EQ(values(3, 5), (100 + (49.0 + 36 - 16 - 9) / 2) / 2);
    // Without two points on either side the difference is 0: the band's middle.
    for (std::size_t p : {0u, 1u, 6u, 7u}) EXPECT_DOUBLE_EQ(values(3, p), 50) << p;
    EXPECT_DOUBLE_EQ(values(5, 3), 100 - 30);
    EXPECT_DOUBLE_EQ(values(4, 3), 30);
}

TEST(ScrollParBands, ReadyMarksAfterFewerThanThreeQuestionEventsAreLonely) {
    formats::TLumoChart_7_1 chart = flatChart(20);
    const std::uint16_t words[] = {1000, 2000, 5000, 1000, 2000, 3000, 5000, 5000, 32000, 5000, 4005, 5000};
    for (std::size_t p = 0; p < std::size(words); ++p) chart.marks[p] = words[p];
    EXPECT_EQ(lonelyReadyMarks(chart.marks, chart.count), (std::vector<std::size_t>{2, 7, 9, 11}));

    formats::TLumoChart_7_1 many = flatChart(100);
    for (std::size_t p = 0; p < 100; ++p) many.marks[p] = 5000;
    EXPECT_EQ(lonelyReadyMarks(many.marks, many.count).size(), 60u);
}

TEST(ScrollParLayout, PanelsShareTheHeightAndTheBottomRowIsSpreadEvenly) {
    const ParLayout layout = parLayout({1280, 1024, 24, 80, 30, 150, 20, 300});
    EXPECT_EQ(layout.headers[0], (ParRect{1, 1, 1278, 24}));
    EXPECT_EQ(layout.panels[0], (ParRect{1, 27, 1278, 463}));
    EXPECT_EQ(layout.headers[1], (ParRect{1, 494, 1278, 24}));
    EXPECT_EQ(layout.panels[1], (ParRect{1, 520, 1278, 463}));
    EXPECT_EQ(layout.exit, (ParRect{1013, 989, 80, 30}));
    EXPECT_EQ(layout.label, (ParRect{187, 994, 150, 20}));
    EXPECT_EQ(layout.list, (ParRect{490, 989, 300, 30}));
    EXPECT_EQ(infoPanelRect(layout.panels[0], 200, 20), (ParRect{540, 238, 200, 20}));
}

}  // namespace
}  // namespace lumo::review
