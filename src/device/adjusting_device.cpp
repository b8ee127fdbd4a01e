#include "device/adjusting_device.h"

#include "device/simulated_unit.h"

namespace lumo::device {

AdjustingDevice::AdjustingDevice(SimulatedUnit& unit, const AdjustingDeviceLevels& levels, unsigned seed)
    : unit_(unit), levels_(levels), random_(seed) {
    unit_.setSignalSource([this](int channel, double seconds) {
        if (channel == 5) return skinValue(seconds);
        // The unit only moves its examinee on by itself while no source is set.
        Examinee& examinee = unit_.examinee();
        examinee.advanceTo(seconds);
        return examinee.value(channel);
    });
}

AdjustingDevice::~AdjustingDevice() {
    unit_.setSignalSource({});
}

double AdjustingDevice::skinValue(double seconds) {
    now_ = seconds;
    if (seconds >= pressAt_) pressed_ = true;
    if (!plugged_) return levels_.open;
    std::normal_distribution<double> noise(0, levels_.noise);
    return (pressed_ ? levels_.pressed : levels_.released) + noise(random_);
}

}  // namespace lumo::device
