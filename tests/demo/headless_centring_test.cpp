// A chart recorded without a screen is centred as the test window centres it:
// the review, drawing it by its screen-settings file, finds every shown
// channel inside its band.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>

#include "core/settings.h"
#include "core/test_home.h"
#include "demo/demo.h"
#include "formats/chart.h"
#include "formats/screen_settings.h"
#include "recording/test_run_fixture.h"
#include "review/scroll_res_drawing.h"

namespace lumo::demo {
namespace {

namespace fs = std::filesystem;

// How far each channel's trace strays from its centre line over points
// from ... to - 1, in half bands (below 1: inside its band), by the review's
// vertical formula at a chart area of 1000 units, display factor 1, no
// offset; -1 for a channel not shown at `from`.
std::array<double, review::kReviewChannels> strayInHalfBands(const core::Settings& settings, const fs::path& chartFile,
                                                            const fs::path& screenFile, std::size_t from,
                                                            std::size_t to) {
    formats::TLumoChart_7_1 chart;
    chart.LoadFromFile(chartFile);
    const formats::ScreenSettings screen = formats::readScreenSettingsFile(screenFile);
    const std::size_t count = chart.count;
    const review::ChartScale scale(&screen, review::kReviewChannels, count);
    const review::DrawnValues values(chart, count);
    const review::ScrollResSettings look = review::readScrollResSettings(settings);
    std::array<double, review::kReviewChannels> stray{};
    for (int c = 0; c < review::kReviewChannels; ++c) {
        double& worst = stray[static_cast<std::size_t>(c)];
        if (from >= count || scale.at(c, from).gain == 0) {
            worst = -1;
            continue;
        }
        const double halfBand = scale.bandHeight(c) / 2.0;
        for (std::size_t p = from; p < std::min(to, count); ++p) {
            const review::PointScale& at = scale.at(c, p);
            const double y = review::traceY(scale.bandHeight(c), 1000, 1, look.channels[static_cast<std::size_t>(c)].polarity,
                                            values.value(c, p), at, 0, false);
            worst = std::max(worst, std::abs(y - at.centre) / halfBand);
        }
    }
    return stray;
}

TEST(HeadlessCentring, TheDemoHomesChartShowsEveryChannelInsideItsBand) {
    test::TempHome home;
    const fs::path data = LUMO_DATA_DIR;
    fs::copy_file(data / "lumo7w.ini", home / "lumo7w.ini");
    fs::copy(data / "QST", home / "QST", fs::copy_options::recursive);
    fs::create_directories(home / "DAT");
    std::ostringstream out, err;
    DemoOptions options;
    options.charts = 1;
    const DemoResult result = runDemo(options, home.path(), out, err);
    ASSERT_EQ(result.chartsSaved, 1) << out.str() << err.str();

    core::Settings settings(home.path());
    settings.load();
    const fs::path folder = home / "DAT" / result.examinee;
    // The shipped settings hide channels 4 and 6; the test starts right
    // after settling, and its first three seconds are what the examiner
    // sees of the centring.
    const auto stray = strayInHalfBands(settings, folder / "exam_01.ch1", folder / "exam_01.sc1", 0, 96);
    for (int c = 0; c < review::kReviewChannels; ++c) {
        const double s = stray[static_cast<std::size_t>(c)];
        if (c == 4 || c == 6) {
            EXPECT_EQ(s, -1) << "channel " << c << " is hidden";
        } else {
            EXPECT_GE(s, 0) << "channel " << c;
            EXPECT_LT(s, 1) << "channel " << c << " leaves its band";
        }
    }
}

TEST(HeadlessCentring, F3WhileRecordingLogsEveryShownChannelCentredAtItsTime) {
    test::TestRunBench bench(4, {"ChVisible2=0"});
    bench.startToReady();
    bench.wait(2000);
    const std::int32_t time = bench.run().sampleCounter() - bench.run().startIndex();
    EXPECT_TRUE(bench.press(recording::TestKey::F3));
    for (int i = 0; i < 4; ++i) bench.present(i);
    ASSERT_TRUE(bench.waitForClose(30000));
    bench.run().close();

    const formats::ScreenSettings screen = formats::readScreenSettingsFile(bench.screenFile());
    ASSERT_EQ(screen.events.size(), 8u + 7u) << "the eight at the start, then one per shown channel";
    for (std::size_t e = 8; e < screen.events.size(); ++e) {
        EXPECT_EQ(screen.events[e].time, time) << "timed by the last record drawn";
        EXPECT_NE(screen.events[e].channel, 2);
        EXPECT_EQ(screen.events[e].gain, 55);
    }
    // At the centring the traces sit on their centre lines, and the next
    // second keeps them in their bands. The review draws channel 7 at twice
    // the window's scale, so it lies off its centre line by half its level
    // there, still inside the band.
    const auto centred = strayInHalfBands(bench.workstation().settings(), bench.chartFile(), bench.screenFile(),
                                          static_cast<std::size_t>(time), static_cast<std::size_t>(time) + 1);
    const auto after = strayInHalfBands(bench.workstation().settings(), bench.chartFile(), bench.screenFile(),
                                        static_cast<std::size_t>(time), static_cast<std::size_t>(time) + 32);
    for (int c = 0; c < 8; ++c) {
        if (c == 2) continue;
        if (c != 7) EXPECT_LT(centred[static_cast<std::size_t>(c)], 0.1) << "channel " << c;
        EXPECT_LT(after[static_cast<std::size_t>(c)], 1) << "channel " << c;
    }
}

}  // namespace
}  // namespace lumo::demo
