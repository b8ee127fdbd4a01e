#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "device/driver_hook.h"

namespace lumo::device {

// Watches a tuned channel: shifts the offset when the signal nears the edges of
// the converter's window and raises the sensitivity while it stays small.
class TLumoChannelsTuneSpy_7_2 : public DriverHook {
public:
    using Notify = std::function<void(TLumoChannelsTuneSpy_7_2& spy)>;
    using ErrorNotify = std::function<void(TLumoChannelsTuneSpy_7_2& spy, const std::string& message)>;

    // makeChannelSpy passes the workstation's values and the channel's SpyDelay.
    TLumoChannelsTuneSpy_7_2(TLumoDevice_7_2& driver, int highLimit, int lowLimit, int outerHighLimit,
                             int outerLowLimit, int step, int channel, bool outerMode, int spanThreshold, int delay);

    virtual void Start();  // ignored while running
    virtual void Stop();

    Notify OnRetune;  // the channel needs a new tuner run
    // What went wrong inside a sample; the window shows it and the spy carries on.
    ErrorNotify OnDataReadyError;

    bool running() const { return running_; }
    bool waiting() const { return waiting_; }

protected:
    void DataReady(TLumoDevice_7_2& driver) override;
    virtual void CheckQueue();
    void CommandDone(TLumoDevice_7_2& driver, int channel) override;
    void CommandFailed(TLumoDevice_7_2& driver, int channel) override;

    // Step 1: a channel that fell back to a lower range; false when a retune
    // handler stopped the spy.
    bool followRange(TLumoDevice_7_2& driver, const TChartBlock& sample, bool lowerRangeWaits);
    // Step 2: the span of the last delay period, and the sensitivity raise.
    void watchSpan(TLumoDevice_7_2& driver, const TChartBlock& sample);
    // Step 3: keeps the signal inside the limits; false when a retune handler
    // stopped the spy.
    bool keepInWindow(TLumoDevice_7_2& driver, const TChartBlock& sample);
    void reportError(const std::exception& error);
    void queue(TLumoDevice_7_2& driver, int range, int dac, bool waits);

    bool running_ = false;
    bool waiting_ = false;

private:
    std::uint16_t current_ = 0;
    std::uint16_t highLimit_;
    std::uint16_t lowLimit_;
    std::uint16_t outerHighLimit_;
    std::uint16_t outerLowLimit_;
    std::uint16_t spanThreshold_;
    std::int64_t lastCheck_ = 0;
    std::int32_t delay_;
    std::int32_t smallest_ = 4096;
    std::int32_t largest_ = 0;
    std::int32_t step_;
    float dacPerCount_ = 0;
    bool outerMode_;
    std::uint8_t previousRange_ = 0;
};

// The skin-resistance variant: a saturated signal is brought back by a halving
// search of the offset at the highest range.
class TLumoChannelsTuneSpy_7_2_GSC : public TLumoChannelsTuneSpy_7_2 {
public:
    using TLumoChannelsTuneSpy_7_2::TLumoChannelsTuneSpy_7_2;

    void Start() override;

    std::int32_t searchCount() const { return searchCount_; }
    std::int32_t searchDac() const { return searchDac_; }

protected:
    void DataReady(TLumoDevice_7_2& driver) override;
    void CheckQueue() override;

private:
    void search(TLumoDevice_7_2& driver, const TChartBlock& sample);

    std::int32_t searchCount_ = 0;
    std::uint8_t searchRange_ = 0;
    std::int32_t searchDac_ = 0;
};

}  // namespace lumo::device
