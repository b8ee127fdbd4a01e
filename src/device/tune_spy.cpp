#include "device/tune_spy.h"

#include <algorithm>

#include "device/channel_tuner.h"

namespace lumo::device {

namespace {

constexpr int kLargestAdc = 4095;
constexpr int kLargestCode = 4095;

bool saturated(const TChartBlock& sample) {
    return sample.adc == 0 || sample.adc == kLargestAdc;
}

}  // namespace

TLumoChannelsTuneSpy_7_2::TLumoChannelsTuneSpy_7_2(TLumoDevice_7_2& driver, int highLimit, int lowLimit,
                                                   int outerHighLimit, int outerLowLimit, int step, int channel,
                                                   bool outerMode, int spanThreshold, int delay)
    : DriverHook(driver, channel),
      highLimit_(static_cast<std::uint16_t>(highLimit)),
      lowLimit_(static_cast<std::uint16_t>(lowLimit)),
      outerHighLimit_(static_cast<std::uint16_t>(outerHighLimit)),
      outerLowLimit_(static_cast<std::uint16_t>(outerLowLimit)),
      spanThreshold_(static_cast<std::uint16_t>(spanThreshold)),
      delay_(delay),
      step_(step),
      outerMode_(outerMode) {}

void TLumoChannelsTuneSpy_7_2::Start() {
    TLumoDevice_7_2* device = driver();
    if (running_ || device == nullptr) return;
    waiting_ = false;
    dacPerCount_ = static_cast<float>(double(step_) / device->DacScale);
    running_ = true;
    lastCheck_ = device->milliseconds();
    smallest_ = 4096;
    largest_ = 0;
    // The range of a previous watch says nothing about this one: right after
    // tuning the channel may still be at range 0 while its final command is on
    // the way, which must not read as a fall back to range 0.
    previousRange_ = 0;
}

void TLumoChannelsTuneSpy_7_2::Stop() {
    running_ = false;
}

void TLumoChannelsTuneSpy_7_2::queue(TLumoDevice_7_2& device, int range, int dac, bool waits) {
    device.QueueCommand(channel(), range, dac);
    if (waits) waiting_ = true;
}

void TLumoChannelsTuneSpy_7_2::reportError(const std::exception& error) {
    if (OnDataReadyError) OnDataReadyError(*this, error.what());
}

bool TLumoChannelsTuneSpy_7_2::followRange(TLumoDevice_7_2& device, const TChartBlock& sample,
                                           bool lowerRangeWaits) {
    const std::uint8_t previous = previousRange_;
    previousRange_ = sample.range;
    if (previous == 0) return true;
    if (sample.range == 0) {
        if (OnRetune) OnRetune(*this);
        return running_;
    }
    if (sample.range < previous) queue(device, sample.range, sample.dac, lowerRangeWaits);
    return true;
}

void TLumoChannelsTuneSpy_7_2::watchSpan(TLumoDevice_7_2& device, const TChartBlock& sample) {
    smallest_ = std::min<std::int32_t>(smallest_, sample.adc);
    largest_ = std::max<std::int32_t>(largest_, sample.adc);
    const std::int64_t now = device.milliseconds();
    if (now <= lastCheck_ + delay_) return;
    if (largest_ - smallest_ < spanThreshold_ && sample.range < device.rangeCount() - 1) {
        // Centre the present value at the next range.
        const double value = device.ChannelValue(channel());
        const std::int64_t dac = roundOrZero(double(device.Gains[0]) * (device.AdcZero - value) / device.DacScale +
                                             device.DacZero);
        queue(device, sample.range + 1, static_cast<int>(std::clamp<std::int64_t>(dac, 0, kLargestCode)), false);
    }
    lastCheck_ = now;
    smallest_ = 4096;
    largest_ = 0;
}

bool TLumoChannelsTuneSpy_7_2::keepInWindow(TLumoDevice_7_2& device, const TChartBlock& sample) {
    // At range 0 with the offset at one of its ends nothing can be moved.
    if (sample.range == 0 && (sample.dac <= 6 || sample.dac >= 4088)) return true;
    const int adc = sample.adc;
    if (outerMode_ && sample.range != 0 && (adc > outerHighLimit_ || adc < outerLowLimit_)) {
        queue(device, 0, sample.dac, true);
        if (OnRetune) OnRetune(*this);
        if (!running_) return false;
    }
    // One step of the signal at the current range, in offset codes.
    const int d = static_cast<int>(roundOrZero(double(device.Gains[sample.range]) * dacPerCount_));
    if (adc > highLimit_) {
        const int moved = sample.dac - d;
        if (moved >= 0 && moved <= kLargestCode) {
            queue(device, sample.range, moved, true);
        } else if (moved < 0) {
            if (sample.range > 0) {
                queue(device, sample.range - 1, 0, true);
            } else if (sample.dac != 0) {
                queue(device, 0, 0, true);
            }
        } else if (sample.range > 0) {
            queue(device, sample.range - 1, kLargestCode, true);
        } else if (sample.dac < kLargestCode) {
            queue(device, 0, kLargestCode, true);
        }
    } else if (adc < lowLimit_) {
        const int moved = sample.dac + d;
        if (moved >= 0 && moved <= kLargestCode) {
            queue(device, sample.range, moved, true);
        } else if (moved < 0) {
            queue(device, sample.range > 0 ? sample.range - 1 : 0, 0, true);
        } else {
            queue(device, sample.range > 0 ? sample.range - 1 : 0, kLargestCode, true);
        }
    }
    return true;
}

void TLumoChannelsTuneSpy_7_2::DataReady(TLumoDevice_7_2& device) {
    callSavedSample(device);
    if (!running_ || waiting_) return;
    try {
        const TChartBlock sample = device.Samples[static_cast<std::size_t>(channel())];
        current_ = static_cast<std::uint16_t>(sample.adc);
        if (!followRange(device, sample, false)) return;
        watchSpan(device, sample);
        keepInWindow(device, sample);
    } catch (const std::exception& error) {
        reportError(error);
    }
}

void TLumoChannelsTuneSpy_7_2::CheckQueue() {
    TLumoDevice_7_2* device = driver();
    if (device != nullptr && device->QueuedCommands(channel()) == 0) waiting_ = false;
}

void TLumoChannelsTuneSpy_7_2::CommandDone(TLumoDevice_7_2& device, int ch) {
    callSavedDone(device, ch);
    CheckQueue();
}

void TLumoChannelsTuneSpy_7_2::CommandFailed(TLumoDevice_7_2& device, int ch) {
    callSavedFailed(device, ch);
    CheckQueue();
}

void TLumoChannelsTuneSpy_7_2_GSC::Start() {
    const bool wasRunning = running_;
    TLumoChannelsTuneSpy_7_2::Start();
    if (wasRunning || driver() == nullptr) return;
    searchCount_ = 0;
    searchRange_ = static_cast<std::uint8_t>(driver()->rangeCount() - 1);
}

void TLumoChannelsTuneSpy_7_2_GSC::CheckQueue() {
    TLumoChannelsTuneSpy_7_2::CheckQueue();
    TLumoDevice_7_2* device = driver();
    if (waiting_ || device == nullptr) return;
    const TChartBlock& sample = device->Samples[static_cast<std::size_t>(channel())];
    if (!saturated(sample)) {
        if (searchCount_ <= 2) searchCount_ = 0;
    } else if (searchCount_ <= 1) {
        ++searchCount_;
    }
}

void TLumoChannelsTuneSpy_7_2_GSC::DataReady(TLumoDevice_7_2& device) {
    callSavedSample(device);
    if (!running_ || waiting_) return;
    try {
        const TChartBlock sample = device.Samples[static_cast<std::size_t>(channel())];
        if (searchCount_ < 2) {
            if (!followRange(device, sample, true)) return;
            keepInWindow(device, sample);
        } else {
            search(device, sample);
        }
    } catch (const std::exception& error) {
        reportError(error);
    }
}

void TLumoChannelsTuneSpy_7_2_GSC::search(TLumoDevice_7_2& device, const TChartBlock& sample) {
    const std::int32_t b = searchCount_;
    if (!saturated(sample)) {
        searchCount_ = 0;
        return;
    }
    if (b == 2) {
        searchDac_ = 2048;
        searchCount_ = 3;
        queue(device, searchRange_, searchDac_, true);
        return;
    }
    if (b > 10) {
        searchCount_ = 0;
        // Still saturated low after the finest step: the last offset goes out once more.
        if (sample.adc == 0) queue(device, searchRange_, searchDac_, true);
        return;
    }
    // Steps of 1024, 512, ... 8 codes towards the offset that ends the saturation.
    const std::int32_t step = 1 << (13 - b);
    searchDac_ += sample.adc == kLargestAdc ? step : -step;
    ++searchCount_;
    queue(device, searchRange_, searchDac_, true);
}

}  // namespace lumo::device

