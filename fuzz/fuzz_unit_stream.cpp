// Whatever a unit (or line noise) sends, the driver must frame, reject or
// re-align it without reading past its buffers. The input is the received byte
// stream, delivered in runs whose lengths the input's first byte chooses, one
// run per packet period; the driver answers into the void.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/errors.h"
#include "replayed_driver.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumo;
    if (size < 2) return 0;
    const std::size_t run = 1 + data[0] % 64;
    std::vector<device::TrafficEvent> capture{{0, device::TrafficKind::Open, {}, false}};
    std::int64_t time = 600;  // after the reset pulse
    for (std::size_t at = 1; at < size; at += run, time += 125) {
        const std::size_t end = std::min(size, at + run);
        capture.push_back({time, device::TrafficKind::Received, {data + at, data + end}, false});
    }
    fuzz::ReplayedDriver replayed(std::move(capture));
    auto& [link, driver] = replayed;
    try {
        driver.Open();
        // A command in every state exercises the queue against whatever state the noise reached.
        driver.QueueCommand(5, 7, 2048);
        while (link.milliseconds() < link.endTime() + 2000) link.advanceTo(link.milliseconds() + 125);
    } catch (const LumoError&) {
    }
    return 0;
}
