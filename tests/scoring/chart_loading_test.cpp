#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/errors.h"
#include "core/settings.h"
#include "core/string_table.h"
#include "core/test_home.h"
#include "formats/chart.h"
#include "formats/screen_settings.h"
#include "scoring/chart_fixture.h"
#include "scoring/features.h"
#include "scoring/workspace.h"

namespace lumo::scoring {
namespace {

namespace fs = std::filesystem;
using test::testWorkspace;

class ChartLoading : public ::testing::Test {
protected:
    void SetUp() override { configure({}); }

    void configure(const std::vector<std::string>& extra) {
        test::writeMinimalIni(home_.path(), test::scoringSettings(extra));
        settings_ = std::make_unique<core::Settings>(home_.path());
        settings_->load();
        texts_ = std::make_unique<core::Texts>(strings_, *settings_);
        LoadChannelSettings(testWorkspace(), *settings_);
    }

    fs::path chart(const std::string& name, const test::ChartRecipe& recipe) {
        const fs::path path = home_ / name;
        test::writeFile(path, test::chartBytes(recipe));
        return path;
    }

    void load(const std::vector<fs::path>& files) {
        LoadCharts(testWorkspace(), *settings_, *texts_, files, static_cast<int>(files.size()));
    }

    static std::string screenBytes(int hiddenChannel) {
        formats::ScreenSettings screen;
        for (int channel = 0; channel < 8; ++channel) {
            screen.events.push_back({0, channel, static_cast<std::uint8_t>(channel == hiddenChannel ? 0 : 11), 500, 0});
        }
        return formats::encodeScreenSettings(screen);
    }

    test::TempHome home_;
    core::StringTable strings_;
    std::unique_ptr<core::Settings> settings_;
    std::unique_ptr<core::Texts> texts_;
};

TEST_F(ChartLoading, PointsBecomePositionsAndSlotFourTheDifferenceSignal) {
    test::ChartRecipe recipe;
    recipe.seconds = 10;
    recipe.marks = {{40, 6000}};
    const fs::path file = chart("exam_01.ch1", recipe);
    load({file});
    formats::TLumoChart_7_1 source;
    source.LoadFromFile(file);
    const ScoringWorkspace& ws = testWorkspace();
    const int n = static_cast<int>(source.count) - 1;
    ASSERT_EQ(ws.chart(1).sampleCount, n);
    EXPECT_EQ(ws.chart(1).fileName, file.string());
    for (int p : {0, 1, 17, n}) EXPECT_EQ(ws.samples(1, 6)[p], source.value(5, static_cast<std::size_t>(p)));
    EXPECT_EQ(ws.chart(1).largest[6], source.maxima[5]);
    EXPECT_EQ(ws.samples(1, kMarkSlot)[40], 6000.0f);
    const float* volume = ws.samples(1, 4);
    auto x = [&](int p) { return static_cast<double>(source.value(3, static_cast<std::size_t>(p))); };
    EXPECT_EQ(volume[100], static_cast<float>(x(102) + x(101) - x(99) - x(98)));
    EXPECT_EQ(volume[1], 0.0f);
    EXPECT_EQ(volume[n - 1], 0.0f);
    EXPECT_EQ(*std::max_element(volume, volume + n + 1), ws.chart(1).largest[4]);
    EXPECT_EQ(*std::min_element(volume, volume + n + 1), ws.chart(1).smallest[4]);
}

TEST_F(ChartLoading, MirroredPolarityKeepsTheSlotsOwnRange) {
    test::ChartRecipe recipe;
    recipe.seconds = 10;
    const fs::path file = chart("exam_01.ch1", recipe);
    load({file});
    const int n = testWorkspace().chart(1).sampleCount;
    const std::vector<float> plus(testWorkspace().samples(1, 4), testWorkspace().samples(1, 4) + n + 1);
    const float largest = testWorkspace().chart(1).largest[4];
    const float smallest = testWorkspace().chart(1).smallest[4];

    configure({"ChPolar3=-"});
    load({file});
    formats::TLumoChart_7_1 source;
    source.LoadFromFile(file);
    EXPECT_NE(largest, source.maxima[3]);  // the difference signal's range, not the channel's
    const float* minus = testWorkspace().samples(1, 4);
    for (int p = 1; p <= n; p += 37) {
        EXPECT_EQ(minus[p], static_cast<float>(static_cast<double>(largest) + smallest - plus[static_cast<std::size_t>(p)]));
    }
    EXPECT_EQ(minus[0], plus[0]);
}

TEST_F(ChartLoading, HiddenOrSwitchedOffChannelsAreZeroedPerChart) {
    configure({"ChSwitch4=0"});
    test::ChartRecipe recipe;
    recipe.seconds = 10;
    const fs::path first = chart("exam_01.ch1", recipe);
    const fs::path second = chart("exam_01.ch2", recipe);
    const fs::path third = chart("exam_01.ch3", recipe);
    test::writeFile(home_ / "exam_01.sc1", screenBytes(5));  // skin resistance hidden at the start
    test::writeFile(home_ / "EXAM_01.SC2", screenBytes(-1));
    test::writeFile(home_ / "exam_01.sc3", screenBytes(5).substr(0, 120));  // too short for channel 5
    load({first, second, third});
    const ScoringWorkspace& ws = testWorkspace();
    const int n = ws.chart(1).sampleCount;
    auto zero = [&](int chart, int slot) {
        const float* x = ws.samples(chart, slot);
        return std::all_of(x + 1, x + n + 1, [](float v) { return v == 0.0f; });
    };
    EXPECT_TRUE(zero(1, 6));
    EXPECT_FALSE(zero(2, 6));
    EXPECT_FALSE(zero(3, 6));
    for (int chart = 1; chart <= 3; ++chart) {
        EXPECT_TRUE(zero(chart, 5)) << chart;
        EXPECT_FALSE(zero(chart, 1)) << chart;
    }
}

TEST_F(ChartLoading, ChartsWithFewerChannelsLeaveTheOtherSlotsEmpty) {
    test::ChartRecipe recipe;
    recipe.seconds = 10;
    recipe.channels = 3;
    load({chart("exam_01.ch1", recipe)});
    const ScoringWorkspace& ws = testWorkspace();
    const int n = ws.chart(1).sampleCount;
    for (int slot = 4; slot <= 8; ++slot) {
        EXPECT_EQ(ws.chart(1).largest[static_cast<std::size_t>(slot)], 1.0f);
        EXPECT_EQ(ws.chart(1).smallest[static_cast<std::size_t>(slot)], 0.0f);
        EXPECT_EQ(*std::max_element(ws.samples(1, slot), ws.samples(1, slot) + n + 1), 0.0f) << slot;
    }
    EXPECT_NE(ws.samples(1, 3)[10], 0.0f);
}

TEST_F(ChartLoading, ASlotTheOrderMapSkipsIsEmptiedNotLeftFromTheLastExam) {
    test::ChartRecipe recipe;
    recipe.seconds = 10;
    const fs::path file = chart("exam_01.ch1", recipe);
    load({file});
    ASSERT_NE(testWorkspace().samples(1, 1)[10], 0.0f);
    // Order positions 1 and 2 both name slot 2: no position names slot 1.
    configure({"ChSeq0=1"});
    load({file});
    const ScoringWorkspace& ws = testWorkspace();
    const int n = ws.chart(1).sampleCount;
    EXPECT_EQ(*std::max_element(ws.samples(1, 1), ws.samples(1, 1) + n + 1), 0.0f);
    EXPECT_EQ(ws.chart(1).largest[1], 1.0f);
    EXPECT_EQ(ws.chart(1).smallest[1], 0.0f);
    EXPECT_NE(ws.samples(1, 2)[10], 0.0f);
}

TEST_F(ChartLoading, ChartsTheWorkspaceCannotHoldAreRefusedByName) {
    const fs::path empty = home_ / "exam_01.ch1";
    test::ChartRecipe none;
    none.seconds = 0;
    test::writeFile(empty, test::chartBytes(none));
    try {
        load({empty});
        FAIL() << "an empty chart was taken";
    } catch (const EInOutError& error) {
        EXPECT_EQ(std::string(error.what()), "Chart file " + empty.string() + " holds no complete record");
    }

    test::ChartRecipe longer;
    longer.seconds = 1025;  // 32797 points
    const fs::path file = chart("exam_01.ch2", longer);
    try {
        load({file});
        FAIL() << "an overlong chart was taken";
    } catch (const EInOutError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Chart file " + file.string() + " holds 32796 samples; at most 32767 can be scored");
    }
    EXPECT_THROW(load({home_ / "exam_01.ch9"}), EInOutError);
}

}  // namespace
}  // namespace lumo::scoring
