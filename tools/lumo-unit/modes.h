#pragma once

#include "options.h"

namespace lumo::tools {

int runSim(const UnitOptions& options);
int runProbe(const UnitOptions& options);
int runReplay(const UnitOptions& options);

// DeviceTimeout and DataTimeout of the installed settings (18 ticks each there).
struct Timeouts {
    int device = 18;
    int data = 18;
};
Timeouts installedTimeouts();

}  // namespace lumo::tools
