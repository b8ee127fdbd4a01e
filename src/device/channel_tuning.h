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

// One channel's tuner and spy, taking turns as every acquiring window has them:
// when the tuner is done it stops, the skin-resistance channel is sent to the
// highest range centred on its present value, and the spy starts; when the
// spy asks for a retune it stops and the tuner starts again.
class TunedChannel {
public:
    TunedChannel(TLumoDevice_7_2& driver, int channel, int spyDelay);
    ~TunedChannel();
    TunedChannel(const TunedChannel&) = delete;
    TunedChannel& operator=(const TunedChannel&) = delete;

    // Stops whichever of the two runs and starts the tuner (connection, F2).
    void restart();

    TLumoChannelsTuner_7_2& tuner() { return *tuner_; }
    TLumoChannelsTuneSpy_7_2& spy() { return *spy_; }

private:
    void tunerDone();

    TLumoDevice_7_2& driver_;
    int channel_;
    std::unique_ptr<TLumoChannelsTuner_7_2> tuner_;
    std::unique_ptr<TLumoChannelsTuneSpy_7_2> spy_;
};

}  // namespace lumo::device
