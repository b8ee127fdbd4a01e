#include "formats/review_display.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/test_home.h"

namespace lumo::formats {
namespace {

TEST(ReviewDisplay, GainCodesGiveTheirFactors) {
    EXPECT_DOUBLE_EQ(reviewGainFactor(9), 1);
    EXPECT_DOUBLE_EQ(reviewGainFactor(10), 2);
    EXPECT_DOUBLE_EQ(reviewGainFactor(18), 10);
    EXPECT_DOUBLE_EQ(reviewGainFactor(8), 0.5);
    EXPECT_DOUBLE_EQ(reviewGainFactor(7), 1.0 / 3);
    EXPECT_DOUBLE_EQ(reviewGainFactor(0), 0.1);
    // Out of range codes never reach a drawing: they stay within the scale.
    EXPECT_DOUBLE_EQ(reviewGainFactor(200), 10);
    EXPECT_DOUBLE_EQ(reviewGainFactor(-3), 0.1);
}

TEST(ReviewDisplay, LayoutAndRoundTrip) {
    ReviewDisplay display = defaultReviewDisplay(8);
    display.entries[0] = {18, 100};
    display.entries[7] = {0, -2};
    const std::string bytes = encodeReviewDisplay(display);
    ASSERT_EQ(bytes.size(), 24u);
    EXPECT_EQ(bytes.substr(0, 6), std::string("\x12\x64\x00\x09\x00\x00", 6));
    EXPECT_EQ(bytes.substr(21), std::string("\x00\xfe\xff", 3));
    const ReviewDisplayReading back = decodeReviewDisplay(bytes, 8, "exam_01.gd1");
    EXPECT_EQ(back.display, display);
    EXPECT_EQ(back.problem, "");
    // A chart of fewer channels has fewer entries; never more than eight.
    EXPECT_EQ(defaultReviewDisplay(3).entries.size(), 3u);
    EXPECT_EQ(defaultReviewDisplay(12).entries.size(), 8u);
}

TEST(ReviewDisplay, BadFilesKeepWhatIsSoundAndSayWhatWasWrong) {
    // Short: the whole entries are kept, the rest default.
    const ReviewDisplayReading shortFile = decodeReviewDisplay(std::string("\x0b\x05\x00\x0c\x01", 5), 8, "x.gd1");
    EXPECT_EQ(shortFile.display.entries.size(), 8u);
    EXPECT_EQ(shortFile.display.entries[0], (ReviewDisplayEntry{11, 5}));
    EXPECT_EQ(shortFile.display.entries[1], ReviewDisplayEntry{});
    EXPECT_EQ(shortFile.problem, "the review display file \"x.gd1\" holds 5 bytes instead of 24");
    // Long: the extra bytes are not read.
    const ReviewDisplayReading longFile = decodeReviewDisplay(std::string(30, '\x0a'), 8, "x.gd1");
    EXPECT_EQ(longFile.display.entries[7].gainCode, 10);
    EXPECT_NE(longFile.problem, "");
    // A code above 18 is shown at gain 1, its offset kept.
    std::string bytes = encodeReviewDisplay(defaultReviewDisplay(8));
    bytes[6] = '\x13';
    bytes[7] = '\x07';
    const ReviewDisplayReading badCode = decodeReviewDisplay(bytes, 8, "x.gd1");
    EXPECT_EQ(badCode.display.entries[2], (ReviewDisplayEntry{9, 7}));
    EXPECT_EQ(badCode.problem, "channel 2 has the gain code 19 (0 ... 18); it is shown at gain 1");
}

TEST(ReviewDisplay, AMissingFileIsCreatedWithTheDefaults) {
    test::TempHome home;
    const auto path = home / "exam_01.gd1";
    const ReviewDisplayReading first = openReviewDisplayFile(path, 8);
    EXPECT_EQ(first.display, defaultReviewDisplay(8));
    EXPECT_EQ(first.problem, "");
    EXPECT_EQ(test::readFile(path), std::string("\x09\x00\x00", 3) + std::string("\x09\x00\x00", 3) +
                                        std::string("\x09\x00\x00", 3) + std::string("\x09\x00\x00", 3) +
                                        std::string("\x09\x00\x00", 3) + std::string("\x09\x00\x00", 3) +
                                        std::string("\x09\x00\x00", 3) + std::string("\x09\x00\x00", 3));
    ReviewDisplay changed = first.display;
    changed.entries[4] = {3, -40};
    writeReviewDisplayFile(path, changed);
    EXPECT_EQ(openReviewDisplayFile(path, 8).display, changed);
    // A folder in the way of the file cannot be read: the error names it.
    std::filesystem::create_directories(home / "exam_01.gd2");
    EXPECT_THROW(openReviewDisplayFile(home / "exam_01.gd2", 8), EInOutError);
}

}  // namespace
}  // namespace lumo::formats
