#pragma once

#include <cstdint>
#include <functional>

#include "device/driver_hook.h"

namespace lumo::device {

// Tunes one channel: measures it for a while at range 0, shifting the offset
// whenever the signal leaves the limits, then centres it and chooses the most
// sensitive range at which it still fits.
class TLumoChannelsTuner_7_2 : public DriverHook {
public:
    using Notify = std::function<void(TLumoChannelsTuner_7_2& tuner)>;

    // makeChannelTuner passes the workstation's values.
    TLumoChannelsTuner_7_2(TLumoDevice_7_2& driver, int highLimit, int lowLimit, int step, int duration, int channel);

    virtual void Start();
    virtual void Stop();

    Notify OnDone;   // the tuning time is over and the final command was queued
    Notify OnLimit;  // a needed offset shift is impossible

    bool running() const { return running_; }
    bool waiting() const { return waiting_; }
    std::int32_t largest() const { return largest_; }
    std::int32_t smallest() const { return smallest_; }
    std::int32_t offsetStep() const { return offsetStep_; }

protected:
    void DataReady(TLumoDevice_7_2& driver) override;
    virtual void CheckQueue();
    void CommandDone(TLumoDevice_7_2& driver, int channel) override;
    void CommandFailed(TLumoDevice_7_2& driver, int channel) override;
    // Chooses offset and range from the span seen at range 0.
    virtual void Finish();

private:
    void restartMeasure(std::int64_t now);

    std::int32_t largest_ = 0;
    std::int32_t smallest_ = 65535;
    std::int32_t current_ = 0;
    std::uint16_t highLimit_;
    std::uint16_t lowLimit_;
    std::uint16_t duration_;
    std::int32_t step_;
    std::int32_t offsetStep_ = 0;
    bool running_ = false;
    std::int64_t startTime_ = 0;
    bool waiting_ = false;
};

// Rounds halves to even; values that are no numbers (a zero scale) give 0.
std::int64_t roundOrZero(double value);

}  // namespace lumo::device
