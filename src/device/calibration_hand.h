#pragma once

#include <memory>

namespace lumo::device {

class AdjustingDevice;
class UnitSimulation;

// The examiner's hand at the calibration of a simulated unit: the adjusting
// device is plugged in, and its button goes down a moment (of the unit's
// stream time) after the panel asks for it. A hand that does not press lets
// the calibration see a device whose button never moves.
class CalibrationHand {
public:
    static constexpr double kPressDelaySeconds = 1.5;

    explicit CalibrationHand(UnitSimulation& simulation, bool pressesButton = true);
    ~CalibrationHand();
    CalibrationHand(const CalibrationHand&) = delete;
    CalibrationHand& operator=(const CalibrationHand&) = delete;

    AdjustingDevice& device() { return *device_; }
    // The calibration's panel now shows the text `textId`.
    void panelShown(int textId);

private:
    std::unique_ptr<AdjustingDevice> device_;
    bool pressesButton_;
};

}  // namespace lumo::device
