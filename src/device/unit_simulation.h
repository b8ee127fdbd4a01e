#pragma once

#include <memory>

namespace lumo::device {

class AdjustingDevice;
class Examinee;

// The world behind a simulated unit's wire: the examinee the questions are
// put to and the skin socket the adjusting device plugs into. Callers reach it
// through their link, so none needs to know which kind of link it holds.
class UnitSimulation {
public:
    virtual ~UnitSimulation() = default;

    virtual Examinee& examinee() = 0;
    // The adjusting device, plugged into the skin socket while it lives.
    virtual std::unique_ptr<AdjustingDevice> plugAdjustingDevice() = 0;
};

}  // namespace lumo::device
