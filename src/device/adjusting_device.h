#pragma once

#include <algorithm>
#include <limits>
#include <random>

#include "device/physiology.h"

namespace lumo::device {

class SimulatedUnit;

// The adjusting device of the skin-resistance socket, for the simulated unit:
// one known resistance, another while its button is held down. Levels are on
// the ChannelValue scale; the defaults present 530 and 100 kOhm as an
// uncalibrated unit reads them.
struct AdjustingDeviceLevels {
    double released = kSkinZero + 530 / kSkinPerCount;
    double pressed = kSkinZero + 100 / kSkinPerCount;
    double noise = 0.3;  // sensor noise, value units (standard deviation)
    // What the socket reads with nothing plugged in: far beyond any offset.
    double open = 9000;
};

// Plugged into a simulated unit's channel 5 while it lives; the other
// channels keep showing the unit's examinee.
class AdjustingDevice {
public:
    explicit AdjustingDevice(SimulatedUnit& unit, const AdjustingDeviceLevels& levels = {}, unsigned seed = 5);
    ~AdjustingDevice();
    AdjustingDevice(const AdjustingDevice&) = delete;
    AdjustingDevice& operator=(const AdjustingDevice&) = delete;

    void setPressed(bool pressed) { pressed_ = pressed; }
    bool pressed() const { return pressed_; }
    // Presses the button once the unit's stream has run `seconds` on (an
    // earlier request stands).
    void pressAfter(double seconds) { pressAt_ = std::min(pressAt_, now_ + seconds); }
    void setPlugged(bool plugged) { plugged_ = plugged; }
    bool plugged() const { return plugged_; }

private:
    double skinValue(double seconds);

    SimulatedUnit& unit_;
    AdjustingDeviceLevels levels_;
    std::mt19937 random_;
    bool pressed_ = false;
    double now_ = 0;                                               // stream seconds last sampled
    double pressAt_ = std::numeric_limits<double>::infinity();
    bool plugged_ = true;
};

}  // namespace lumo::device
