// The skin-resistance filter, the derived channel 7, the resistance label and the speed setting.
#include <gtest/gtest.h>

#include <numeric>

#include "core/command_line.h"
#include "recording/skin_filter.h"
#include "recording/test_run.h"

namespace lumo::recording {
namespace {

formats::UnitConstants unit() {
    formats::UnitConstants constants;
    constants.dacZero = 2048;
    constants.adcZero = 2047.5f;
    constants.dacScale = -36.6f;
    constants.gains = {36.0f, 21.6f, 12.9f, 7.8f, 4.7f, 2.8f, 1.7f, 1.0f};
    return constants;
}

TEST(SkinFilter, RemovesASteadyLevelAndAnswersASteppedOne) {
    const auto& c = SkinFilter::coefficients();
    EXPECT_NEAR(std::accumulate(c.begin(), c.end(), 0.0), 0.0, 1e-5);
    EXPECT_FLOAT_EQ(c[4], 0.222f);
    EXPECT_FLOAT_EQ(c[47], -0.004f);
    SkinFilter filter;
    for (int i = 0; i < 48; ++i) filter.push(3000.0f, 2048.0f);
    EXPECT_NEAR(filter.level(), 2048.0, 0.05);  // a full ring of one value leaves DacZero
    // A drop of 100 counts (falling resistance): the newest taps weigh most, the level rises.
    const float level = filter.push(2900.0f, 2048.0f);
    EXPECT_NEAR(level, 2048.0 + 100 * 0.036 * 110, 0.5);
    filter.reset();
    EXPECT_NEAR(filter.push(100.0f, 0.0f), -100 * 0.036 * 110, 1e-3);
}

TEST(SkinFilter, DerivedBlockCarriesTheLevelAndSaturatesBeyondSixteenBits) {
    const formats::UnitConstants u = unit();
    const formats::TChartBlock skin{7, 1000, 2048};
    // With the offset at DacZero the reading is the rounded level itself.
    EXPECT_EQ(derivedBlock(skin, 1234.5f, u), (formats::TChartBlock{0, 1234, 2048}));
    EXPECT_EQ(derivedBlock(skin, -40.0f, u), (formats::TChartBlock{0, -40, 2048}));
    const formats::TChartBlock high = derivedBlock(skin, 40000.0f, u);
    EXPECT_EQ(high.adc, 4096);
    EXPECT_EQ(high.dac, 9162);  // round(36 * (32767 - 40000) / -36.6 + 2048)
    const formats::TChartBlock low = derivedBlock(skin, -33000.0f, u);
    EXPECT_EQ(low.adc, 0);
    EXPECT_EQ(low.dac, 1819);  // round(2048 + 36 * (-32767 + 33000) / -36.6)
    // Offset codes that leave 16 bits are held at the edge instead of wrapping.
    EXPECT_EQ(derivedBlock(skin, 1e9f, u).dac, 65535);
    EXPECT_EQ(derivedBlock(skin, -1e9f, u).dac, 0);
    // Constants not yet known give a bare block rather than a division by zero.
    EXPECT_EQ(derivedBlock(skin, 100.0f, formats::UnitConstants{}), (formats::TChartBlock{0, 0, 2048}));
}

TEST(ResistanceLabel, ShowsSaturationAndTheBoundsOfTheScale) {
    const device::ResistanceCalibration defaults;
    const formats::TChartBlock block{7, 2000, 2048};
    auto label = [&](double kiloOhm) {
        return resistanceText(block, static_cast<float>(2100.0 + kiloOhm / 0.5555556), defaults, " kOm");
    };
    EXPECT_EQ(resistanceText({7, 0, 2048}, 3000, defaults, " kOm"), "R = ???");
    EXPECT_EQ(resistanceText({7, 4095, 2048}, 3000, defaults, " kOm"), "R = ???");
    EXPECT_EQ(label(19), "R < 20 kOm");
    EXPECT_EQ(label(20), "R = 20 kOm");
    EXPECT_EQ(label(250), "R = 250 kOm");
    EXPECT_EQ(label(1000), "R = 1000 kOm");
    EXPECT_EQ(label(1001), "R > 1000 kOm");
    EXPECT_EQ(label(-300), "R < 20 kOm");
    const device::ResistanceCalibration calibrated{1000.0, 0.25, false};
    EXPECT_EQ(resistanceText(block, 2000.0f, calibrated, " kOm"), "R = 250 kOm");
}

TEST(SpeedSetting, MapsTheFourEntriesBothWays) {
    EXPECT_EQ(speedEntryFromSetting("2"), 1);
    EXPECT_EQ(speedEntryFromSetting("4"), 3);
    EXPECT_EQ(speedEntryFromSetting("S"), 0);
    EXPECT_EQ(speedEntryFromSetting("5"), 0);
    EXPECT_EQ(speedEntryFromSetting(""), 0);
    for (int entry = 0; entry < 4; ++entry) EXPECT_EQ(speedEntryFromSetting(speedSetting(entry)), entry);
}

TEST(DemoCommandLine, TakesItsOptionsOnlyWithDemo) {
    const core::CommandLine line = core::parseCommandLine({"--demo", "--charts", "2", "--truthful", "--home", "/h"});
    EXPECT_TRUE(line.error.empty());
    EXPECT_TRUE(line.demo);
    EXPECT_EQ(line.demoCharts, 2);
    EXPECT_TRUE(line.truthful);
    EXPECT_EQ(line.home, "/h");
    EXPECT_FALSE(core::parseCommandLine({"--demo"}).truthful);
    EXPECT_EQ(core::parseCommandLine({"--demo"}).demoCharts, 3);
    EXPECT_FALSE(core::parseCommandLine({"--demo", "--charts", "10"}).error.empty());
    EXPECT_FALSE(core::parseCommandLine({"--demo", "--charts"}).error.empty());
    EXPECT_FALSE(core::parseCommandLine({"--demo", "--deceptive", "--truthful"}).error.empty());
    EXPECT_FALSE(core::parseCommandLine({"--truthful"}).error.empty());
    EXPECT_TRUE(core::parseCommandLine({"--demo", "--deceptive", "--deceptive"}).error.empty());
}

}  // namespace
}  // namespace lumo::recording
