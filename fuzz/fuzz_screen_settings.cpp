// The screen-settings file of a chart against arbitrary bytes: a short file is
// refused with the system's error; any other reads, every event is found again
// among its channel's events, and the settings write back the bytes they came
// from up to the last whole event.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/errors.h"
#include "formats/screen_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumo::formats;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ScreenSettings settings;
    try {
        settings = decodeScreenSettings(bytes, "fuzz.sc1");
    } catch (const lumo::LumoError&) {
        if (size >= kScreenHeaderSize) std::abort();
        return 0;
    }
    const std::size_t whole = kScreenHeaderSize + (size - kScreenHeaderSize) / kScreenEventSize * kScreenEventSize;
    if (encodeScreenSettings(settings) != bytes.substr(0, whole)) std::abort();

    for (int channel = -1; channel <= kScreenChannels; ++channel) {
        settings.initialGain(channel);
        const std::vector<ScreenEvent> own = settings.channelEvents(channel);
        for (const ScreenEvent& event : own) {
            const ScreenEvent* found = eventAt(own, event.time);
            if (found == nullptr || found->time != event.time || found->channel != channel) std::abort();
        }
        if (!own.empty() && eventAt(own, std::int64_t{own.front().time} - 1) != nullptr) std::abort();
    }
    return 0;
}
