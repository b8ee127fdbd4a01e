#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <vector>

namespace lumo::device {

inline constexpr int kUnitChannels = 7;
// Skin resistance (kOhm) = (value - kSkinZero) * kSkinPerCount: the conversion
// an uncalibrated unit is read with, so the simulated examinee's resistance
// shows as itself.
inline constexpr double kSkinZero = 2100.0;
inline constexpr double kSkinPerCount = 0.5555556;

// What the simulated examinee is like and what it fears. Question types are
// numbered as in the exams: 1 relevant, 2 informative, 3 control, 4 neutral,
// 5 outer, 6 sacrificial.
struct Scenario {
    std::array<double, 7> fear{};  // per question type 1 ... 6: 0 (calm) ... 1 (dread)
    double heartRate = 72;         // beats per minute at rest, 60 ... 90
    double breathingRate = 15;     // breaths per minute, 12 ... 20
    double skinResistance = 250;   // kOhm at rest

    // Lies on the relevant questions: they stir it most.
    static Scenario deceptive();
    // Tells the truth: the control questions worry it more than the relevant ones.
    static Scenario truthful();
};

// A simulated examinee: the signals the unit's sensors pick up, on the scale
// of ChannelValue (range 0, offset removed). Channel 0 pulse wave, 1 and 2
// breathing (chest and belly), 3 blood volume, 4 and 6 slow signals, 5 skin
// resistance with phasic responses. Its time only moves forward, driven by
// whoever samples it, so the same seed and the same questions at the same
// times always give the same signals.
class Examinee {
public:
    Examinee(const Scenario& scenario, std::uint32_t seed);

    // A question of type 1 ... 6 was asked now; the reactions follow with
    // their own delays. Other types count as neutral.
    void questionAsked(int type);

    // Moves the examinee's time on to `seconds` (earlier times are ignored).
    void advanceTo(double seconds);
    double seconds() const { return now_; }
    // A channel's value at the present time, sensor noise included.
    double value(int channel);

    // The present rates, for tests and the unit check.
    double heartRate() const;
    double breathingRate() const;
    double skinResistance() const;  // kOhm
    const Scenario& scenario() const { return scenario_; }

private:
    struct Reaction {
        double start = 0;         // the question's time
        double skinDelay = 0;     // seconds until the skin response begins
        double skinDepth = 0;     // fraction of the resting resistance
        double breathDepth = 0;   // fraction of the breathing amplitude suppressed
        double heartRise = 0;     // beats per minute
        double constriction = 0;  // 0 ... 1
    };
    struct SkinResponse {
        double start = 0;
        double depth = 0;
    };

    double reactionHeart() const;
    double reactionBreath() const;
    double reactionConstriction() const;
    double skinDrop() const;
    void step(double dt);
    double noise(double sigma);
    double uniform(double low, double high);

    Scenario scenario_;
    std::mt19937 random_;
    double now_ = 0;
    double pulsePhase_ = 0;
    double breathPhase_ = 0;
    double breathRateJitter_ = 1;
    double breathAmplitudeJitter_ = 1;
    double heartWander_ = 0;      // slow heart-rate variability, bpm
    double pulseBaseline_ = 0;    // slow drifts, counts
    double volumeBaseline_ = 0;
    double slow4_ = 0;
    double slow6_ = 0;
    double skinDrift_ = 0;        // kOhm
    double nextSpontaneous_ = 0;  // time of the next unprovoked skin response
    std::vector<Reaction> reactions_;
    std::vector<SkinResponse> skinResponses_;
};

}  // namespace lumo::device
