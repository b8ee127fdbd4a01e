#include "device/channel_tuner.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "core/numbers.h"

namespace lumo::device {

namespace {

constexpr int kLargestAdc = 4095;
constexpr int kLargestDac = 4088;  // the last offset code the unit can take

}  // namespace

std::int64_t roundOrZero(double value) {
    if (!std::isfinite(value)) return 0;
    constexpr double limit = double(std::numeric_limits<std::int32_t>::max());
    return core::rnd(std::clamp(value, -limit, limit));
}

TLumoChannelsTuner_7_2::TLumoChannelsTuner_7_2(TLumoDevice_7_2& driver, int highLimit, int lowLimit, int step,
                                               int duration, int channel)
    : DriverHook(driver, channel),
      highLimit_(static_cast<std::uint16_t>(highLimit)),
      lowLimit_(static_cast<std::uint16_t>(lowLimit)),
      duration_(static_cast<std::uint16_t>(duration)),
      step_(step) {}

void TLumoChannelsTuner_7_2::Start() {
    TLumoDevice_7_2* device = driver();
    if (device == nullptr) return;
    waiting_ = false;
    offsetStep_ = static_cast<std::int32_t>(roundOrZero(double(device->Gains[0]) * step_ / device->DacScale));
    largest_ = 0;
    smallest_ = 65535;
    const TChartBlock sample = device->Samples[static_cast<std::size_t>(channel())];
    if (sample.range != 0) {
        device->QueueCommand(channel(), 0, sample.dac);
        waiting_ = true;
    }
    startTime_ = device->milliseconds();
    running_ = true;
}

void TLumoChannelsTuner_7_2::Stop() {
    running_ = false;
}

void TLumoChannelsTuner_7_2::restartMeasure(std::int64_t now) {
    waiting_ = true;
    largest_ = 0;
    smallest_ = 65535;
    startTime_ = now;
}

void TLumoChannelsTuner_7_2::DataReady(TLumoDevice_7_2& device) {
    callSavedSample(device);
    if (!running_) return;
    const std::int64_t now = device.milliseconds();
    if (waiting_) {
        // The tuning time counts from the last confirmed command.
        startTime_ = now;
        return;
    }
    const TChartBlock sample = device.Samples[static_cast<std::size_t>(channel())];
    current_ = sample.adc;
    const int dac = sample.dac;
    if (current_ > highLimit_) {
        const int shifted = dac - offsetStep_;
        if (smallest_ >= step_ && shifted >= 0 && shifted < 4096) {
            device.QueueCommand(channel(), 0, shifted);
            restartMeasure(now);
        } else if (OnLimit) {
            OnLimit(*this);
        }
    } else if (current_ < lowLimit_) {
        const int shifted = dac + offsetStep_;
        if (largest_ <= kLargestAdc - step_ && shifted >= 0 && shifted < 4096) {
            device.QueueCommand(channel(), 0, shifted);
            restartMeasure(now);
        } else if (OnLimit) {
            OnLimit(*this);
        }
    } else {
        largest_ = std::max(largest_, current_);
        smallest_ = std::min(smallest_, current_);
    }
    if (running_ && now > startTime_ + duration_) {
        Finish();
        Stop();
        if (OnDone) OnDone(*this);
    }
}

void TLumoChannelsTuner_7_2::Finish() {
    TLumoDevice_7_2* device = driver();
    if (device == nullptr) return;
    const double gain0 = device->Gains[0];
    const double adcZero = device->AdcZero;
    const double dacScale = device->DacScale;
    const int dac = device->Samples[static_cast<std::size_t>(channel())].dac;

    const std::int32_t mid = (largest_ + smallest_) / 2;
    const double codes = gain0 * (adcZero - mid) / dacScale / 8;
    const std::int64_t shift = std::isfinite(codes) ? core::trunc(codes) * 8 : 0;
    std::int64_t h = shift;
    if (dac + shift < 0) {
        h = -dac;
    } else if (dac + shift > kLargestDac) {
        h = kLargestDac - dac;
    }
    // The same shift in converter counts centres the span seen.
    const std::int64_t a = roundOrZero(h * dacScale / gain0);
    largest_ = static_cast<std::int32_t>(roundOrZero(a + largest_ - adcZero));
    smallest_ = static_cast<std::int32_t>(roundOrZero(a + smallest_ - adcZero));
    const double excursion = std::max(std::abs(largest_), std::abs(smallest_));
    const int room = (highLimit_ - lowLimit_) / 2;
    for (int n = device->rangeCount() - 1; n >= 0; --n) {
        if (room > excursion * gain0 / device->Gains[static_cast<std::size_t>(n)]) {
            device->QueueCommand(channel(), n, static_cast<int>(dac + h));
            return;
        }
    }
}

void TLumoChannelsTuner_7_2::CheckQueue() {
    TLumoDevice_7_2* device = driver();
    if (device != nullptr && device->QueuedCommands(channel()) == 0) waiting_ = false;
}

void TLumoChannelsTuner_7_2::CommandDone(TLumoDevice_7_2& device, int ch) {
    callSavedDone(device, ch);
    CheckQueue();
}

void TLumoChannelsTuner_7_2::CommandFailed(TLumoDevice_7_2& device, int ch) {
    callSavedFailed(device, ch);
    CheckQueue();
}

}  // namespace lumo::device
