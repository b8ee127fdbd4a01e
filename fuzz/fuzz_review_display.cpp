// The review display file of a chart against arbitrary bytes and channel
// counts: reading never fails, always yields one entry per channel with a gain
// code of 0 ... 18, names a problem exactly when the file is not the expected
// three bytes per channel or holds a code above 18, and a sound file writes
// back the bytes it came from.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "formats/review_display.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumo::formats;
    if (size == 0) return 0;
    // The first byte chooses the chart's channel count (-1 ... 9 to try the edges).
    const int channels = data[0] % 11 - 1;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const ReviewDisplayReading reading = decodeReviewDisplay(bytes, channels, "fuzz.gd1");
    const std::size_t expected = channels <= 0 ? 0 : static_cast<std::size_t>(channels > kReviewChannels ? kReviewChannels : channels);
    if (reading.display.entries.size() != expected) std::abort();
    bool codeTooLarge = false;
    for (std::size_t c = 0; c < expected && kReviewEntrySize * (c + 1) <= bytes.size(); ++c) {
        codeTooLarge = codeTooLarge || static_cast<std::uint8_t>(bytes[kReviewEntrySize * c]) > kReviewMaxGainCode;
    }
    for (const ReviewDisplayEntry& entry : reading.display.entries) {
        if (entry.gainCode > kReviewMaxGainCode) std::abort();
        const double factor = reviewGainFactor(entry.gainCode);
        if (!(factor >= 0.1 && factor <= 10)) std::abort();
    }
    const bool sound = bytes.size() == kReviewEntrySize * expected && !codeTooLarge;
    if (sound != reading.problem.empty()) std::abort();
    if (sound && encodeReviewDisplay(reading.display) != bytes) std::abort();
    return 0;
}
