#include "device/channel_tuning.h"

#include "device/channel_tuner.h"
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

}  // namespace lumo::device
