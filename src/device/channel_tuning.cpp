#include "device/channel_tuning.h"

#include <cmath>

#include "device/channel_tuner.h"
#include "device/lumo_device.h"
#include "device/tune_spy.h"

namespace lumo::device {

namespace {

// Both keep the converter reading inside this window (adc codes).
constexpr int kHighLimit = 3583;
constexpr int kLowLimit = 512;

// The tuner measures at range 0 for 5 s, shifting the offset 650 adc counts
// whenever the signal leaves the window.
constexpr int kTunerStep = 650;
constexpr int kTunerDuration = 5000;  // ms

// The spy shifts by 1024 adc counts and raises the range while the signal
// spans fewer than 1024; its outer window counts only in the outer-limits
// mode, which stays off.
constexpr int kSpyStep = 1024;
constexpr int kSpySpanThreshold = 1024;
constexpr int kSpyOuterHighLimit = 3839;
constexpr int kSpyOuterLowLimit = 256;
constexpr bool kSpyOuterMode = false;

constexpr int kSkinResistanceChannel = 5;
constexpr int kHighestRange = 7;

}  // namespace

std::unique_ptr<TLumoChannelsTuner_7_2> makeChannelTuner(TLumoDevice_7_2& driver, int channel) {
    return std::make_unique<TLumoChannelsTuner_7_2>(driver, kHighLimit, kLowLimit, kTunerStep, kTunerDuration, channel);
}

std::unique_ptr<TLumoChannelsTuneSpy_7_2> makeChannelSpy(TLumoDevice_7_2& driver, int channel, int delay) {
    if (channel == kSkinResistanceChannel) {
        return std::make_unique<TLumoChannelsTuneSpy_7_2_GSC>(driver, kHighLimit, kLowLimit, kSpyOuterHighLimit,
                                                              kSpyOuterLowLimit, kSpyStep, channel, kSpyOuterMode,
                                                              kSpySpanThreshold, delay);
    }
    return std::make_unique<TLumoChannelsTuneSpy_7_2>(driver, kHighLimit, kLowLimit, kSpyOuterHighLimit,
                                                      kSpyOuterLowLimit, kSpyStep, channel, kSpyOuterMode,
                                                      kSpySpanThreshold, delay);
}

TunedChannel::TunedChannel(TLumoDevice_7_2& driver, int channel, int spyDelay)
    : driver_(driver),
      channel_(channel),
      tuner_(makeChannelTuner(driver, channel)),
      spy_(makeChannelSpy(driver, channel, spyDelay)) {
    tuner_->OnDone = [this](TLumoChannelsTuner_7_2&) { tunerDone(); };
    spy_->OnRetune = [this](TLumoChannelsTuneSpy_7_2&) {
        spy_->Stop();
        tuner_->Start();
    };
}

// The spy goes before the tuner, in the reverse of their creation.
TunedChannel::~TunedChannel() {
    spy_.reset();
    tuner_.reset();
}

void TunedChannel::restart() {
    if (tuner_->running()) {
        tuner_->Stop();
    } else if (spy_->running()) {
        spy_->Stop();
    }
    tuner_->Start();
}

void TunedChannel::tunerDone() {
    tuner_->Stop();
    if (channel_ == kSkinResistanceChannel) {
        const double dac = (double(driver_.AdcZero) - driver_.ChannelValue(kSkinResistanceChannel)) *
                               driver_.Gain(0) / driver_.DacScale + driver_.DacZero;
        try {
            if (std::isfinite(dac)) {
                driver_.QueueCommand(kSkinResistanceChannel, kHighestRange, static_cast<int>(roundOrZero(dac)));
            }
        } catch (const std::exception&) {
            // A full queue: the spy brings the channel back in range.
        }
    }
    spy_->Start();
}

}  // namespace lumo::device
