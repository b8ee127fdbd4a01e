#include <algorithm>
#include <cstdio>
#include <optional>

#include "device/lumo_device.h"
#include "device/replay_link.h"
#include "device/traffic_log.h"
#include "modes.h"
#include "session_setup.h"
#include "unit_report.h"

namespace lumo::tools {

int runReplay(const UnitOptions& options) {
    device::ReplayLink link(device::readTrafficLog(options.capture));
    device::TLumoDevice_7_2 driver(device::kUnitGeometry);
    attachDriver(driver, link, options);
    UnitReport report(options.json, stdout);
    report.attach(driver);
    std::optional<std::int64_t> streamStart;
    report.onFirstStream = [&] { streamStart = link.milliseconds(); };

    // What a handler raises (a degenerate info block) is reported and the replay goes on.
    auto advance = [&](std::int64_t time) {
        const std::int64_t before = link.milliseconds();
        try {
            link.advanceTo(time);
        } catch (const std::exception& error) {
            report.error(error.what());
            if (link.milliseconds() == before) link.advanceTo(before + 1);
        }
    };

    std::vector<TimedCommand> commands = options.commands;
    std::stable_sort(commands.begin(), commands.end(),
                     [](const TimedCommand& a, const TimedCommand& b) { return a.seconds < b.seconds; });
    std::size_t nextCommand = 0;
    advance(link.openTime());
    try {
        driver.Open();
    } catch (const std::exception& error) {
        report.error(error.what());
        return 2;
    }
    const std::int64_t end = link.endTime();
    while (link.milliseconds() < end) {
        std::int64_t target = end;
        if (streamStart && nextCommand < commands.size()) {
            target = std::min(target, *streamStart + static_cast<std::int64_t>(commands[nextCommand].seconds * 1000));
        }
        advance(std::max(target, link.milliseconds() + 1));
        while (streamStart && nextCommand < commands.size() &&
               *streamStart + static_cast<std::int64_t>(commands[nextCommand].seconds * 1000) <= link.milliseconds()) {
            const TimedCommand& command = commands[nextCommand++];
            try {
                driver.QueueCommand(command.channel, command.range, command.dac);
            } catch (const std::exception& error) {
                report.error(error.what());
            }
        }
    }
    report.summary(driver, end / 1000.0);
    return 0;
}

}  // namespace lumo::tools
