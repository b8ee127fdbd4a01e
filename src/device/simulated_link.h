#pragma once

#include "device/simulated_unit.h"
#include "device/unit_simulation.h"
#include "device/virtual_link.h"

namespace lumo::device {

// The built-in simulated unit behind a link, in process and on a virtual clock.
// Opening the port raises DTR (as a serial port does), closing drops it.
class SimulatedLink : public VirtualLink, public UnitSimulation {
public:
    explicit SimulatedLink(const SimulatedUnitOptions& options = {});

    SimulatedUnit& unit() { return unit_; }
    const SimulatedUnit& unit() const { return unit_; }

    UnitSimulation* simulation() override { return this; }
    Examinee& examinee() override { return unit_.examinee(); }
    std::unique_ptr<AdjustingDevice> plugAdjustingDevice() override;

protected:
    std::int64_t nextArrival() const override { return unit_.nextEventTime(); }
    void collectArrivals(std::int64_t now, std::vector<std::uint8_t>& out) override { unit_.takeDue(now, out); }
    void doOpen() override;
    void doClose() override;
    void doSetDtr(bool on) override;
    void doPutByte(std::uint8_t byte) override;

private:
    SimulatedUnit unit_;
};

}  // namespace lumo::device
