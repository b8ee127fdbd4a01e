#pragma once

#include "options.h"

namespace lumo::tools {

int runSim(const UnitOptions& options);
int runProbe(const UnitOptions& options);
int runReplay(const UnitOptions& options);
int runState(const UnitOptions& options);

}  // namespace lumo::tools
