// The files a kept test leaves: chart, screen settings and results table, byte for byte where the formats fix them.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "core/text_file.h"
#include "device/lumo_device.h"
#include "formats/chart.h"
#include "formats/screen_settings.h"
#include "recording/test_run_fixture.h"

namespace lumo::recording {
namespace {

namespace fs = std::filesystem;
using test::TestRunBench;

constexpr std::size_t kHeader = 60;
constexpr std::size_t kRecord = 57;

class KeptChart : public ::testing::Test {
protected:
    void SetUp() override {
        bench.startToReady();
        unit = bench.run().driver()->unitConstants();
        // A display change while recording is logged; one in settling would not be.
        event = formats::ScreenEvent{96, 3, 77, 430, 0.25f};
        bench.run().addScreenEvents({event});
        for (int i = 0; i < 4; ++i) bench.present(i, i != 1);
        ASSERT_TRUE(bench.waitForClose(30000));
        ASSERT_EQ(bench.run().outcome(), TestOutcome::Saved);
        bench.run().close();
        chartBytes = test::readFile(bench.chartFile());
    }

    TestRunBench bench{4};
    formats::UnitConstants unit;
    formats::ScreenEvent event;
    std::string chartBytes;
};

TEST_F(KeptChart, ChartHoldsTheSignatureTheHeaderOnceAndOneRecordPerPeriod) {
    const std::size_t records = bench.view().marks.size();
    ASSERT_EQ(chartBytes.size(), kHeader + kRecord * records);
    EXPECT_EQ(chartBytes.substr(0, 4), std::string("RI\x07\x01", 4));
    EXPECT_EQ(chartBytes.substr(4, kHeader - 4),
              formats::encodeChartHeader(8, 1, unit.dacZero, unit.adcZero, unit.dacScale,
                                         std::span<const float>(unit.gains)));
    EXPECT_EQ(static_cast<std::int32_t>(records * 4), bench.run().sampleCounter() - bench.run().startIndex());
    // The first record after the start is bare, the second carries the speed in use (Test_Speed=2: entry 1).
    EXPECT_EQ(bench.view().marks[0], 0);
    EXPECT_EQ(bench.view().marks[1], 31000);
    EXPECT_EQ(bench.recordMarks(), bench.view().marks);
    // Channel 7 is derived: range 0 in every record.
    for (std::size_t r = 0; r < records; ++r) EXPECT_EQ(chartBytes[kHeader + r * kRecord + 50], 0) << "record " << r;

    formats::TLumoChart_7_1 chart;
    chart.LoadFromFile(bench.chartFile());
    EXPECT_EQ(chart.count, 4 * records - 3);
}

TEST_F(KeptChart, ScreenSettingsHoldTheStartScaleAndTheLoggedChange) {
    formats::ScreenSettings expected;
    for (int channel = 0; channel < 8; ++channel) {
        expected.bandHeights[static_cast<std::size_t>(channel)] = 100;
        // The end of settling centred every channel on its trace; nothing
        // re-centred it since, so the display still holds that offset.
        const float offset = bench.view().display().screenEvent(channel, 0).offset;
        EXPECT_NE(offset, 0.0f) << "channel " << channel;
        expected.events.push_back({0, channel, 55, 120 * channel + 50, offset});
    }
    expected.events.push_back(event);
    EXPECT_EQ(test::readFile(bench.screenFile()), formats::encodeScreenSettings(expected));
}

TEST_F(KeptChart, ResultsTableDescribesEveryPresentationWithItsReadings) {
    const std::vector<std::string> lines = core::readTextLines(bench.tableFile());
    const auto& presentations = bench.run().presentations();
    const std::size_t rows = presentations.size();
    ASSERT_EQ(rows, 4u);
    ASSERT_EQ(lines.size(), 15 + 3 * rows + 60 * rows + 30 * (rows + 1) + 3);
    const std::string zero = " 0.00000000000000E+0000";
    EXPECT_EQ(lines[0], bench.chartFile().string());
    EXPECT_EQ(lines[1], "Examinee");
    EXPECT_EQ(lines[2], "Operator 1");
    EXPECT_EQ(lines[3], "4");
    EXPECT_EQ(lines[4], "07-03-2001");
    EXPECT_EQ(lines[5], "00:00:00");  // the manual clock does not move
    EXPECT_EQ(lines[7], zero);
    EXPECT_EQ(lines[10], std::to_string(bench.run().sampleCounter() - bench.run().startIndex()));
    EXPECT_EQ(lines[11], "4");
    EXPECT_EQ(lines[13], "15");
    const int seconds = (bench.run().sampleCounter() - bench.run().startIndex()) / 32;
    EXPECT_NEAR(std::stoi(lines[14]), seconds, 1);
    for (std::size_t row = 0; row < rows; ++row) {
        EXPECT_EQ(lines[15 + 3 * row], std::to_string(row + 1));
        EXPECT_EQ(lines[16 + 3 * row], row == 1 ? "-" : "+");
        const std::uint32_t onset = presentations[row].onset;
        EXPECT_EQ(lines[17 + 3 * row], std::to_string(onset));
        // The onset names the record that carries the question's mark.
        EXPECT_EQ((bench.view().marks[onset / 4] / 1000) % 10, 1) << "row " << row;
    }
    const std::size_t readings = 15 + 3 * rows + 60 * rows;
    for (std::size_t row = 0; row <= rows; ++row) {
        for (std::size_t entry = 0; entry < 10; ++entry) {
            const double reading = std::stod(lines[readings + 30 * row + 3 * entry]);
            if (row == rows) {
                EXPECT_EQ(reading, 0.0);
            } else {
                // The simulated examinee rests near 250 kOhm; uncalibrated units read through the defaults.
                EXPECT_GT(reading, 150.0) << "row " << row << " entry " << entry;
                EXPECT_LT(reading, 320.0) << "row " << row << " entry " << entry;
            }
        }
    }
    EXPECT_EQ(lines.back(), "0");
}

}  // namespace
}  // namespace lumo::recording
