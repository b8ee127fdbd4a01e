#pragma once

#include <utility>
#include <vector>

#include "device/lumo_device.h"
#include "device/replay_link.h"
#include "device/traffic_log.h"

namespace lumo::fuzz {

// The unit driver on a replayed capture, with the installed timeouts.
struct ReplayedDriver {
    explicit ReplayedDriver(std::vector<device::TrafficEvent> capture)
        : link(std::move(capture)), driver(device::kUnitGeometry) {
        driver.DeviceTimeout = 18;
        driver.DataTimeout = 18;
        driver.AttachPort(&link);
    }

    device::ReplayLink link;
    device::TLumoDevice_7_2 driver;
};

}  // namespace lumo::fuzz
