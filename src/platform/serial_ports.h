#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "device/physiology.h"
#include "device/unit_port.h"

namespace lumo::device {
class SerialLink;
}

namespace lumo::platform {

// Picks a text of the string table by identifier (the caller's language).
using TextSource = std::function<std::string(int id)>;

// A link for the choice, not yet open: a QtSerialLink on the device, or the
// simulated unit running in real time with an examinee of the scenario.
std::unique_ptr<device::SerialLink> makeUnitLink(const device::UnitPortChoice& choice, TextSource texts = {},
                                                 const device::Scenario& scenario = device::Scenario::truthful());

struct SerialPortEntry {
    std::string path;         // what to pass as --device or UnitDevice
    std::string target;       // the device node a by-id link points to, else the path
    std::string description;  // maker and product where known
};

// The serial ports of the machine: the stable /dev/serial/by-id names first
// (sorted), then every other port not reached through one of them.
std::vector<SerialPortEntry> listSerialPorts();

// Why a port failed to open, in the system's words: a missing device, a
// permission the user lacks (naming the group that owns the device and the
// command that adds the user to it), or the port's own reason.
enum class PortFailure { Missing, Permission, Other };
std::string portOpenMessage(PortFailure failure, const std::string& device, const std::string& reason,
                            const TextSource& texts);

// The group owning a device node ("dialout" when it cannot be told).
std::string owningGroup(const std::string& device);

// The login name of the user running the program.
std::string currentUserName();

// English texts of the string table, for callers without a language (tools).
TextSource englishTexts();

}  // namespace lumo::platform
