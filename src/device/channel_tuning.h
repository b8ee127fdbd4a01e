#pragma once

#include <memory>

namespace lumo::device {

class TLumoDevice_7_2;
class TLumoChannelsTuner_7_2;
class TLumoChannelsTuneSpy_7_2;

// The tuner and the spy of one channel, made with the values the workstation
// always passes. The spy of the skin-resistance channel 5 is the variant that
// searches the offset out of saturation; `delay` is the channel's SpyDelay (ms).
std::unique_ptr<TLumoChannelsTuner_7_2> makeChannelTuner(TLumoDevice_7_2& driver, int channel);
std::unique_ptr<TLumoChannelsTuneSpy_7_2> makeChannelSpy(TLumoDevice_7_2& driver, int channel, int delay);

}  // namespace lumo::device
