#include "formats/chart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

#include "core/errors.h"
#include "core/test_home.h"

namespace lumo::formats {
namespace {

constexpr float kDacZero = 2048;
constexpr float kAdcZero = 2048;
constexpr float kDacScale = 0.5f;
const std::vector<float> kGains = {1, 2, 4, 8, 16, 32, 64, 128};

// A chart file put together record by record.
struct ChartBytes {
    explicit ChartBytes(int channels = 8, int fast = 1, std::vector<float> gains = kGains)
        : channels(channels), fast(fast),
          bytes(chartSignature() + encodeChartHeader(channels, fast, kDacZero, kAdcZero, kDacScale, gains)) {}

    // Fast channels get `fastAdc` + sub-sample, slow channel c gets `slow[c - fast]` (or adc 2048).
    void add(std::int16_t fastAdc, std::vector<TChartBlock> slow, std::uint16_t mark) {
        std::vector<TChartBlock> fastBlocks;
        for (int s = 0; s < 4; ++s) {
            for (int c = 0; c < fast; ++c) fastBlocks.push_back({0, static_cast<std::int16_t>(fastAdc + s + 10 * c), 2048});
        }
        slow.resize(static_cast<std::size_t>(channels - fast), TChartBlock{0, 2048, 2048});
        appendChartRecord(bytes, fastBlocks, slow, mark);
    }

    int channels;
    int fast;
    std::string bytes;
};

TLumoChart_7_1 load(const std::string& bytes) {
    TLumoChart_7_1 chart;
    chart.LoadFromBytes(bytes);
    return chart;
}

std::string loadError(const std::string& bytes) {
    try {
        load(bytes);
    } catch (const EInOutError& e) {
        return e.what();
    }
    return "(loaded)";
}

TEST(Chart, OneRecordGivesOnePoint) {
    ChartBytes file;
    file.add(100, {{1, 1000, 2048}, {0, 500, 1024}}, 30000);
    const TLumoChart_7_1 chart = load(file.bytes);
    EXPECT_EQ(chart.channelCount, 8);
    EXPECT_EQ(chart.fastCount, 1);
    EXPECT_EQ(chart.rangeCount, 8);
    EXPECT_EQ(chart.gains, kGains);
    ASSERT_EQ(chart.count, 1u);
    EXPECT_EQ(chart.value(0, 0), 100);  // sub-sample 0 only
    EXPECT_EQ(chart.channels[0][3].adc, 103);
    EXPECT_EQ(chart.value(1, 0), 2048 + (1000 - 2048) * 2);
    EXPECT_EQ(chart.value(2, 0), 500 + 512);
    EXPECT_EQ(chart.mark(0), 30000);
    // A single point is a constant channel: its range is one unit.
    EXPECT_EQ(chart.minima[1], -48);
    EXPECT_EQ(chart.maxima[1], -47);

}

TEST(Chart, ValuesAgreeWithTheUnitDriver) {
    // Constants as a unit reports them, none of them a power of two.
    const std::vector<float> gains = {0.987f, 2.013f, 3.951f, 8.07f, 15.93f, 32.2f, 63.7f, 128.9f};
    UnitConstants unit{2041.3f, 2052.7f, 0.4137f, {}};
    std::copy(gains.begin(), gains.end(), unit.gains.begin());
    std::string bytes = chartSignature() + encodeChartHeader(1, 0, unit.dacZero, unit.adcZero, unit.dacScale, gains);
    std::vector<TChartBlock> blocks;
    for (std::uint8_t range = 0; range < 8; ++range) {
        for (int adc = -100; adc < 4200; adc += 7) {
            blocks.push_back({range, static_cast<std::int16_t>(adc), static_cast<std::uint16_t>((adc * 13 % 512) << 3)});
        }
    }
    for (const TChartBlock& block : blocks) appendChartRecord(bytes, {}, std::span(&block, 1), 0);
    const TLumoChart_7_1 chart = load(bytes);
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        ASSERT_EQ(chart.value(0, 4 * i), blockValue(blocks[i], unit)) << i;
    }
}

TEST(Chart, TwoRecordsInterpolateTheSlowChannels) {
    ChartBytes file;
    file.add(100, {{1, 1000, 2048}, {0, 500, 2048}}, 30000);
    file.add(200, {{0, 3000, 1024}, {0, 500, 2048}}, 1000 + 2000);
    const TLumoChart_7_1 chart = load(file.bytes);
    ASSERT_EQ(chart.count, 5u);

    // a = -48, b = 3512: the three points between, with range and dac of the first sample
    // and the reading computed back from the value.
    const float expected[] = {-48, 842, 1732, 2622, 3512};
    const std::int16_t adc[] = {1000, 1445, 1890, 2335, 3000};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(chart.value(1, i), expected[i]) << i;
        EXPECT_EQ(chart.channels[1][i].adc, adc[i]) << i;
        EXPECT_EQ(chart.channels[1][i].range, i < 4 ? 1 : 0) << i;
        EXPECT_EQ(chart.channels[1][i].dac, i < 4 ? 2048 : 1024) << i;
    }
    // The fast channel has all four sub-samples of each record, the last three beyond count.
    for (int i = 0; i < 8; ++i) EXPECT_EQ(chart.value(0, i), (i < 4 ? 100 : 196) + i) << i;
    EXPECT_EQ(chart.minima[0], 100);
    EXPECT_EQ(chart.maxima[0], 200);
    EXPECT_EQ(chart.minima[1], -48);
    EXPECT_EQ(chart.maxima[1], 3512);
    EXPECT_EQ(chart.minima[2], 500);  // constant at v: v ... v + 1
    EXPECT_EQ(chart.maxima[2], 501);

    // Marks only where records begin; question asked and ended in one record read as event 3.
    EXPECT_EQ(chart.marks, (TarrWord{30000, 0, 0, 0, 3000, 0, 0, 0}));
    EXPECT_EQ(chart.mark(4), 3000);
}

TEST(Chart, InterpolatedReadingsRoundHalvesToEven) {
    ChartBytes file(2, 0);
    file.add(0, {{0, 2048, 2048}, {0, 2048, 2048}}, 0);
    file.add(0, {{0, 2050, 2048}, {0, 2054, 2048}}, 0);
    const TLumoChart_7_1 chart = load(file.bytes);
    // 2048.5 -> 2048, 2049 -> 2049, 2049.5 -> 2050
    EXPECT_EQ(chart.channels[0][1].adc, 2048);
    EXPECT_EQ(chart.channels[0][3].adc, 2050);
    // 2049.5 -> 2050, 2051, 2052.5 -> 2052
    EXPECT_EQ(chart.channels[1][1].adc, 2050);
    EXPECT_EQ(chart.channels[1][3].adc, 2052);
}

TEST(Chart, HeaderWithoutRecordsIsAnEmptyChart) {
    ChartBytes file;
    const std::string trailing(56, '\x7f');  // one byte short of a record
    TLumoChart_7_1 chart = load(file.bytes + trailing);
    EXPECT_EQ(chart.count, 0u);
    EXPECT_TRUE(chart.marks.empty());
    ASSERT_EQ(chart.channels.size(), 8u);
    EXPECT_TRUE(chart.channels[0].empty());
    EXPECT_EQ(chart.minima[0], 0);
    EXPECT_EQ(chart.maxima[0], 1);
    EXPECT_EQ(chart.SaveToBytes(), file.bytes);
}

TEST(Chart, LoadAndSaveKeepEveryRecordByteForByte) {
    test::TempHome home;
    for (const auto& [channels, fast] : std::vector<std::pair<int, int>>{{8, 1}, {3, 0}, {2, 2}, {64, 5}}) {
        ChartBytes file(channels, fast);
        std::uint32_t seed = 12345;
        auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
        for (int m = 0; m < 300; ++m) {
            std::vector<TChartBlock> slow;
            for (int c = fast; c < channels; ++c) {
                slow.push_back({static_cast<std::uint8_t>(next() % 8), static_cast<std::int16_t>(next() % 4096),
                                static_cast<std::uint16_t>((next() % 512) << 3)});
            }
            file.add(static_cast<std::int16_t>(next() % 4000), slow, static_cast<std::uint16_t>(next() % 3 ? 0 : next()));
        }
        TLumoChart_7_1 chart = load(file.bytes + "tail");
        EXPECT_EQ(chart.count, 4 * 300u - 3);
        EXPECT_EQ(chart.SaveToBytes(), file.bytes) << channels << " channels";

        chart.SaveToFile(home / "exam_01.ch1");
        EXPECT_EQ(test::readFile(home / "exam_01.ch1"), file.bytes);
        TLumoChart_7_1 again;
        again.LoadFromFile(home / "exam_01.ch1");
        EXPECT_EQ(again.minima, chart.minima);
        EXPECT_EQ(again.maxima, chart.maxima);
    }
}

TEST(Chart, ReloadingReplacesEveryPoint) {
    ChartBytes first, second;
    for (int m = 0; m < 3; ++m) {
        first.add(100, {{1, 1000, 2048}, {0, 500, 1024}}, 1000);
        second.add(static_cast<std::int16_t>(300 + m), {{0, static_cast<std::int16_t>(10 * m), 8}}, 0);
    }
    TLumoChart_7_1 chart = load(first.bytes);
    chart.LoadFromBytes(second.bytes);
    const TLumoChart_7_1 fresh = load(second.bytes);
    for (int c = 0; c < 8; ++c) {
        for (std::size_t i = 0; i < 12; ++i) {
            EXPECT_EQ(chart.channels[c][i].block(), fresh.channels[c][i].block()) << c << " " << i;
            EXPECT_EQ(chart.value(c, i), fresh.value(c, i)) << c << " " << i;
        }
    }
    EXPECT_EQ(chart.marks, fresh.marks);
    EXPECT_EQ(chart.minima, fresh.minima);
    EXPECT_EQ(chart.maxima, fresh.maxima);
}

TEST(Chart, StreamsReadFromTheirPosition) {
    ChartBytes file;
    file.add(100, {}, 0);
    file.add(200, {}, 5000);
    std::istringstream in("prefix" + file.bytes);
    in.seekg(6);
    TLumoChart_7_1 chart;
    chart.LoadFromStream(in);
    EXPECT_EQ(chart.count, 5u);
    std::ostringstream out;
    chart.SaveToStream(out);
    EXPECT_EQ(out.str(), file.bytes);
}

TEST(Chart, DamagedFilesAreRefusedWithAReason) {
    const std::string good = ChartBytes().bytes;
    EXPECT_EQ(loadError(""), "Invalid polygram format");
    EXPECT_EQ(loadError("R"), "Invalid polygram format");
    EXPECT_EQ(loadError("IR\x07\x01" + good.substr(4)), "Invalid polygram format");
    EXPECT_EQ(loadError("RI\x06\x01" + good.substr(4)), "Invalid polygram version: 06.01");
    EXPECT_EQ(loadError("RI\xab\x0c" + good.substr(4)), "Invalid polygram version: AB.0C");
    for (std::size_t size = 2; size < good.size(); ++size) {
        EXPECT_NE(loadError(good.substr(0, size)).find("header"), std::string::npos) << size;
    }

    auto withCounts = [&](std::int32_t nc, std::int32_t nf, std::int32_t nr) {
        std::string bytes = chartSignature() + encodeChartHeader(nc, nf, kDacZero, kAdcZero, kDacScale, kGains);
        bytes.replace(12, 4, encodeChartHeader(nr, 0, 0, 0, 0, {}).substr(0, 4));
        return loadError(bytes + std::string(1000, '\0'));
    };
    EXPECT_EQ(withCounts(8, 1, 8), "(loaded)");
    EXPECT_NE(withCounts(0, 0, 8).find("channel count 0"), std::string::npos);
    EXPECT_NE(withCounts(65, 1, 8).find("channel count 65"), std::string::npos);
    EXPECT_NE(withCounts(-1, 1, 8).find("channel count -1"), std::string::npos);
    EXPECT_NE(withCounts(8, 9, 8).find("fast channel count 9"), std::string::npos);
    EXPECT_NE(withCounts(8, -1, 8).find("fast channel count -1"), std::string::npos);
    EXPECT_NE(withCounts(8, 1, 0).find("range count 0"), std::string::npos);
    EXPECT_NE(withCounts(8, 1, 65).find("range count 65"), std::string::npos);

    // A range beyond the header's gains would read past them.
    ChartBytes fewRanges(8, 1, {1, 2});
    fewRanges.add(100, {{0, 1, 2}}, 0);
    fewRanges.add(100, {{2, 1, 2}}, 0);
    EXPECT_NE(loadError(fewRanges.bytes).find("range 2 of channel 1 in record 1"), std::string::npos);

    // Constants no value can be computed with.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (const std::vector<float>& gains : {std::vector<float>{0, 1}, std::vector<float>{1, nan}}) {
        ChartBytes file(8, 1, gains);
        file.add(100, {}, 0);
        EXPECT_NE(loadError(file.bytes).find("header"), std::string::npos);
    }
    ChartBytes overflow(8, 1, {1e-30f, 1e30f});
    overflow.add(100, {{1, 4000, 2048}}, 0);
    EXPECT_NE(loadError(overflow.bytes).find("out of range"), std::string::npos);
}

TEST(Chart, SavingAnInconsistentChartIsRefused) {
    TLumoChart_7_1 empty;
    EXPECT_THROW(empty.SaveToBytes(), EListError);

    ChartBytes file;
    file.add(100, {}, 0);
    file.add(100, {}, 0);
    TLumoChart_7_1 chart = load(file.bytes);
    chart.channels[0].resize(5);  // the fast channel needs all eight points
    EXPECT_THROW(chart.SaveToBytes(), EListError);
    chart = load(file.bytes);
    chart.gains.pop_back();
    EXPECT_THROW(chart.SaveToBytes(), EListError);

    test::TempHome home;
    EXPECT_THROW(chart.LoadFromFile(home / "missing.ch1"), EInOutError);
}

}  // namespace
}  // namespace lumo::formats
