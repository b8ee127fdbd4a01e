// Serial traffic captures come from the field: any text must parse or be
// refused with EInOutError, and a capture that parses must replay through the
// driver without crashing it, whatever the unit seems to have sent.
#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <string_view>

#include "core/errors.h"
#include "replayed_driver.h"

namespace {

// A capture's own clock can claim hours; a minute of replay reaches every state.
constexpr std::int64_t kReplayLimit = 60'000;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumo;
    std::vector<device::TrafficEvent> capture;
    try {
        capture = device::parseTrafficLog(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const EInOutError&) {
        return 0;
    }
    fuzz::ReplayedDriver replayed(std::move(capture));
    auto& [link, driver] = replayed;
    try {
        link.advanceTo(std::min(link.openTime(), kReplayLimit));
        driver.Open();
        const std::int64_t end = std::min(link.endTime(), kReplayLimit);
        while (link.milliseconds() < end) link.advanceTo(std::min(end, link.milliseconds() + 125));
    } catch (const LumoError&) {
        // A degenerate info block is the driver's documented refusal.
    }
    return 0;
}
