#include "device/simulated_link.h"

#include "device/adjusting_device.h"

namespace lumo::device {

SimulatedLink::SimulatedLink(const SimulatedUnitOptions& options) : unit_(options) {}

void SimulatedLink::doOpen() {
    VirtualLink::doOpen();
    // Opening a port raises DTR; a unit deaf to the line wakes on the opening itself.
    if (unit_.ignoresDtr()) {
        unit_.hostOpened(now_);
    } else {
        unit_.setDtr(true, now_);
    }
}

void SimulatedLink::doClose() {
    unit_.hostClosed();
    VirtualLink::doClose();
}

void SimulatedLink::doSetDtr(bool on) {
    if (isOpen()) unit_.setDtr(on, now_);
}

void SimulatedLink::doPutByte(std::uint8_t byte) {
    if (isOpen()) unit_.receive(byte, now_);
}

std::unique_ptr<AdjustingDevice> SimulatedLink::plugAdjustingDevice() {
    return std::make_unique<AdjustingDevice>(unit_);
}

}  // namespace lumo::device
