#pragma once

#include "device/lumo_device.h"

namespace lumo::device {

// A component hooked into a driver's notifications: the sample notification
// and the command confirmations of one channel. On creation it saves the
// driver's handlers and installs its own, which call the saved ones first; on
// destruction it gives them back. Hooks may be destroyed in any order: one in
// the middle of the chain hands its saved handler to the hook that saved it,
// so the driver never calls a freed object. A driver destroyed first detaches
// its hooks.
class DriverHook {
public:
    DriverHook(TLumoDevice_7_2& driver, int channel);
    virtual ~DriverHook();
    DriverHook(const DriverHook&) = delete;
    DriverHook& operator=(const DriverHook&) = delete;

    int channel() const { return channel_; }
    // Null once the driver is gone.
    TLumoDevice_7_2* driver() const { return driver_; }

protected:
    virtual void DataReady(TLumoDevice_7_2& driver) = 0;
    virtual void CommandDone(TLumoDevice_7_2& driver, int channel) = 0;
    virtual void CommandFailed(TLumoDevice_7_2& driver, int channel) = 0;

    void callSavedSample(TLumoDevice_7_2& driver) const;
    void callSavedDone(TLumoDevice_7_2& driver, int channel) const;
    void callSavedFailed(TLumoDevice_7_2& driver, int channel) const;

private:
    friend class TLumoDevice_7_2;
    void driverGone() { driver_ = nullptr; }

    TLumoDevice_7_2* driver_;
    int channel_;
    TLumoDevice_7_2::Notify savedSample_;
    TLumoDevice_7_2::ChannelNotify savedDone_;
    TLumoDevice_7_2::ChannelNotify savedFailed_;
};

}  // namespace lumo::device
