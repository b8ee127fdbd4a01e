#include "formats/review_display.h"

#include <algorithm>
#include <system_error>

#include "core/atomic_file.h"
#include "core/errors.h"
#include "core/text_file.h"

namespace lumo::formats {

double reviewGainFactor(int gainCode) {
    const int code = std::clamp(gainCode, 0, int{kReviewMaxGainCode});
    return code >= kReviewUnitGainCode ? code - 8.0 : 1.0 / (10 - code);
}

ReviewDisplay defaultReviewDisplay(int channels) {
    ReviewDisplay display;
    display.entries.resize(static_cast<std::size_t>(std::clamp(channels, 0, kReviewChannels)));
    return display;
}

std::string encodeReviewDisplay(const ReviewDisplay& display) {
    std::string out;
    out.reserve(kReviewEntrySize * display.entries.size());
    for (const ReviewDisplayEntry& entry : display.entries) {
        const auto offset = static_cast<std::uint16_t>(entry.offset);
        out += static_cast<char>(entry.gainCode);
        out += static_cast<char>(offset & 0xFF);
        out += static_cast<char>(offset >> 8);
    }
    return out;
}

ReviewDisplayReading decodeReviewDisplay(std::string_view bytes, int channels, const std::string& fileName) {
    ReviewDisplayReading reading;
    reading.display = defaultReviewDisplay(channels);
    std::vector<ReviewDisplayEntry>& entries = reading.display.entries;
    const std::size_t expected = kReviewEntrySize * entries.size();
    std::vector<std::string> problems;
    if (bytes.size() != expected) {
        problems.push_back("the review display file \"" + fileName + "\" holds " + std::to_string(bytes.size()) +
                           " bytes instead of " + std::to_string(expected));
    }
    const std::size_t whole = std::min(entries.size(), bytes.size() / kReviewEntrySize);
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    for (std::size_t c = 0; c < whole; ++c) {
        const std::uint8_t* p = data + kReviewEntrySize * c;
        if (p[0] > kReviewMaxGainCode) {
            problems.push_back("channel " + std::to_string(c) + " has the gain code " + std::to_string(p[0]) +
                               " (0 ... 18); it is shown at gain 1");
        } else {
            entries[c].gainCode = p[0];
        }
        entries[c].offset = static_cast<std::int16_t>(p[1] | (p[2] << 8));
    }
    for (std::size_t i = 0; i < problems.size(); ++i) reading.problem += (i == 0 ? "" : "; ") + problems[i];
    return reading;
}

ReviewDisplayReading openReviewDisplayFile(const std::filesystem::path& path, int channels) {
    std::error_code error;
    if (!std::filesystem::exists(path, error) && !error) {
        ReviewDisplayReading reading{defaultReviewDisplay(channels), {}};
        writeReviewDisplayFile(path, reading.display);
        return reading;
    }
    if (!std::filesystem::is_regular_file(path, error)) {
        throw EInOutError("The review display file \"" + path.string() + "\" is not a file");
    }
    return decodeReviewDisplay(core::readFileBytes(path), channels, path.string());
}

void writeReviewDisplayFile(const std::filesystem::path& path, const ReviewDisplay& display) {
    core::writeFileAtomically(path, encodeReviewDisplay(display));
}

}  // namespace lumo::formats
