#include "device/calibration_hand.h"

#include "core/texts/device.h"
#include "device/adjusting_device.h"
#include "device/unit_simulation.h"

namespace lumo::device {

CalibrationHand::CalibrationHand(UnitSimulation& simulation, bool pressesButton)
    : device_(simulation.plugAdjustingDevice()), pressesButton_(pressesButton) {}

CalibrationHand::~CalibrationHand() = default;

void CalibrationHand::panelShown(int textId) {
    if (textId == txt::CalibratePushButton && pressesButton_ && !device_->pressed()) {
        device_->pressAfter(kPressDelaySeconds);
    }
}

}  // namespace lumo::device
