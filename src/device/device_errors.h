#pragma once

#include "core/errors.h"

namespace lumo::device {

// Every fault of the sensor unit link.
class ELumoDeviceException : public LumoError {
public:
    using LumoError::LumoError;
};

// The port refused a timer trigger; carries the port's own message.
class ELumoDeviceAddTimerTrigger : public ELumoDeviceException {
public:
    using ELumoDeviceException::ELumoDeviceException;
};

// The unit's info block cannot be turned into constants ("DAC = 0", "Delta = 0").
class ELumoDeviceInfPNP : public ELumoDeviceException {
public:
    using ELumoDeviceException::ELumoDeviceException;
};

}  // namespace lumo::device
