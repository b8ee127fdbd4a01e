#include "device/driver_hook.h"

#include <algorithm>

namespace lumo::device {

DriverHook::DriverHook(TLumoDevice_7_2& driver, int channel)
    : driver_(&driver), channel_(channel) {
    savedDone_ = driver.GetOnCommandDone(channel);  // raises for a channel the driver lacks
    savedFailed_ = driver.GetOnCommandFailed(channel);
    savedSample_ = std::move(driver.OnSample);
    driver.OnSample = [this](TLumoDevice_7_2& d) { DataReady(d); };
    driver.SetOnCommandDone(channel, [this](TLumoDevice_7_2& d, int c) { CommandDone(d, c); });
    driver.SetOnCommandFailed(channel, [this](TLumoDevice_7_2& d, int c) { CommandFailed(d, c); });
    driver.hooks_.push_back(this);
}

DriverHook::~DriverHook() {
    if (driver_ == nullptr) return;
    auto& hooks = driver_->hooks_;
    const auto self = std::find(hooks.begin(), hooks.end(), this);
    if (self == hooks.end()) return;
    // Every hook took the sample notification from the one created before it;
    // the command notifications of a channel from the one before it on that channel.
    const auto next = std::next(self);
    if (next != hooks.end()) {
        (*next)->savedSample_ = std::move(savedSample_);
    } else {
        driver_->OnSample = std::move(savedSample_);
    }
    const auto sameChannel =
        std::find_if(next, hooks.end(), [this](const DriverHook* hook) { return hook->channel_ == channel_; });
    if (sameChannel != hooks.end()) {
        (*sameChannel)->savedDone_ = std::move(savedDone_);
        (*sameChannel)->savedFailed_ = std::move(savedFailed_);
    } else {
        driver_->SetOnCommandDone(channel_, std::move(savedDone_));
        driver_->SetOnCommandFailed(channel_, std::move(savedFailed_));
    }
    hooks.erase(self);
}

void DriverHook::callSavedSample(TLumoDevice_7_2& driver) const {
    if (savedSample_) savedSample_(driver);
}

void DriverHook::callSavedDone(TLumoDevice_7_2& driver, int channel) const {
    if (savedDone_) savedDone_(driver, channel);
}

void DriverHook::callSavedFailed(TLumoDevice_7_2& driver, int channel) const {
    if (savedFailed_) savedFailed_(driver, channel);
}

}  // namespace lumo::device
