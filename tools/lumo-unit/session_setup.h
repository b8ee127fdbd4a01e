#pragma once

#include "core/settings_list.h"
#include "device/simulated_unit.h"
#include "options.h"

namespace lumo::device {
class SerialLink;
class TLumoDevice_7_2;
}  // namespace lumo::device

namespace lumo::tools {

// The settings the workstation is installed with (empty when they cannot be read).
core::SettingsList installedSettings();

// The simulated unit the options describe: seed, scenario, identification, reset line.
device::SimulatedUnitOptions simulatedUnitOptions(const UnitOptions& options);

// Gives the driver its link and its timeouts: the options' where they name
// them, else the installed settings' (18 ticks each there).
void attachDriver(device::TLumoDevice_7_2& driver, device::SerialLink& link, const UnitOptions& options);

// Blocks Ctrl+C and a polite kill for the process, so that they arrive on
// the returned descriptor instead (-1 when it could not be made).
int stopSignalDescriptor();

}  // namespace lumo::tools
