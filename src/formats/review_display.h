#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lumo::formats {

// The review display file of a chart (exam_NN.gdk): how the scrolling review
// last showed each channel. Three bytes per channel, little-endian, no header.
inline constexpr int kReviewChannels = 8;
inline constexpr std::size_t kReviewEntrySize = 3;
inline constexpr std::uint8_t kReviewUnitGainCode = 9;  // factor 1
inline constexpr std::uint8_t kReviewMaxGainCode = 18;  // factor 10 (0: factor 1/10)

struct ReviewDisplayEntry {
    std::uint8_t gainCode = kReviewUnitGainCode;
    std::int16_t offset = 0;  // thousandths of the chart area's height, downwards
    bool operator==(const ReviewDisplayEntry&) const = default;
};

struct ReviewDisplay {
    std::vector<ReviewDisplayEntry> entries;  // one per channel of the chart
    bool operator==(const ReviewDisplay&) const = default;
};

// The display factor of gain code 0 ... 18: 9 -> 1, 10 -> 2, ... 18 -> 10;
// 8 -> 1/2, ... 0 -> 1/10. Codes beyond are kept to that range.
double reviewGainFactor(int gainCode);

// Every channel (at most eight) at gain code 9 and offset 0.
ReviewDisplay defaultReviewDisplay(int channels);

std::string encodeReviewDisplay(const ReviewDisplay& display);

// What a reading found: the entries of `channels` channels, sound ones as
// stored and the rest at their defaults, and in `problem` what was wrong
// (empty when nothing): a file shorter or longer than three bytes per
// channel, or a gain code above 18 (shown at gain code 9).
struct ReviewDisplayReading {
    ReviewDisplay display;
    std::string problem;
};
ReviewDisplayReading decodeReviewDisplay(std::string_view bytes, int channels, const std::string& fileName);

// Reads the file; a missing one is created with the defaults first. A file
// that cannot be read or created raises EInOutError naming it.
ReviewDisplayReading openReviewDisplayFile(const std::filesystem::path& path, int channels);
// Replaces the file whole (atomic write).
void writeReviewDisplayFile(const std::filesystem::path& path, const ReviewDisplay& display);

}  // namespace lumo::formats
