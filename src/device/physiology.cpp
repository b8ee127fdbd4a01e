#include "device/physiology.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lumo::device {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr double kStep = 1.0 / 64;         // integration step, seconds
constexpr double kReactionSpan = 45;       // seconds a reaction is followed
constexpr double kSignalCentre = 2100;     // counts: where the sensors sit at rest
constexpr double kPulseAmplitude = 34;     // counts, peak of the pulse wave
constexpr double kChestAmplitude = 44;
constexpr double kBellyAmplitude = 30;
constexpr double kVolumeAmplitude = 9;
constexpr double kSensorNoise = 0.18;      // counts

// A smooth rise and slower fall, 0 before `t` = 0, peak 1 near `t` = rise.
double bump(double t, double rise, double fall) {
    if (t <= 0) return 0;
    const double shape = (1 - std::exp(-t / rise)) * std::exp(-t / fall);
    const double peakTime = rise * std::log(1 + fall / rise);
    const double peak = (1 - std::exp(-peakTime / rise)) * std::exp(-peakTime / fall);
    return shape / peak;
}

// One heart beat of the finger plethysmogram over phase 0 ... 1: a steep
// systolic rise, a dicrotic notch and a second, smaller wave.
double pulseWave(double phase) {
    auto gauss = [](double x, double centre, double width) {
        const double d = (x - centre) / width;
        return std::exp(-d * d);
    };
    return gauss(phase, 0.16, 0.075) + 0.38 * gauss(phase, 0.42, 0.11) + 0.08 * gauss(phase, 1.16, 0.075);
}

// Breathing over phase 0 ... 1: inhaling takes 40 % of the cycle.
double breathWave(double phase) {
    const double warped = phase < 0.4 ? phase / 0.4 * 0.5 : 0.5 + (phase - 0.4) / 0.6 * 0.5;
    return 0.5 - 0.5 * std::cos(kTwoPi * warped);
}

}  // namespace

Scenario Scenario::deceptive() {
    Scenario scenario;
    scenario.fear = {0, 0.95, 0.35, 0.3, 0.05, 0.4, 0.45};
    return scenario;
}

Scenario Scenario::truthful() {
    Scenario scenario;
    scenario.fear = {0, 0.2, 0.3, 0.75, 0.05, 0.35, 0.3};
    return scenario;
}

Examinee::Examinee(const Scenario& scenario, std::uint32_t seed) : scenario_(scenario), random_(seed) {
    scenario_.heartRate = std::clamp(scenario_.heartRate, 60.0, 90.0);
    scenario_.breathingRate = std::clamp(scenario_.breathingRate, 12.0, 20.0);
    pulsePhase_ = uniform(0, 1);
    breathPhase_ = uniform(0, 1);
    nextSpontaneous_ = uniform(8, 30);
}

double Examinee::uniform(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random_);
}

double Examinee::noise(double sigma) {
    return std::normal_distribution<double>(0, sigma)(random_);
}

void Examinee::questionAsked(int type) {
    const double fear = type >= 1 && type <= 6 ? scenario_.fear[static_cast<std::size_t>(type)] : 0.05;
    Reaction reaction;
    reaction.start = now_;
    reaction.skinDelay = uniform(1.0, 3.0);
    reaction.skinDepth = (0.025 + 0.16 * fear) * uniform(0.85, 1.15);
    reaction.breathDepth = std::min(0.85, (0.1 + 0.6 * fear) * uniform(0.85, 1.15));
    reaction.heartRise = (1.5 + 11 * fear) * uniform(0.85, 1.15);
    reaction.constriction = std::min(0.9, 0.1 + 0.6 * fear);
    reactions_.push_back(reaction);
    skinResponses_.push_back({now_ + reaction.skinDelay, reaction.skinDepth});
}

double Examinee::reactionHeart() const {
    double rise = 0;
    for (const Reaction& r : reactions_) rise += r.heartRise * bump(now_ - r.start - 1.5, 1.5, 6);
    return rise;
}

double Examinee::reactionBreath() const {
    double suppression = 0;
    for (const Reaction& r : reactions_) suppression = std::max(suppression, r.breathDepth * bump(now_ - r.start - 1, 1.2, 7));
    return std::min(suppression, 0.9);
}

double Examinee::reactionConstriction() const {
    double constriction = 0;
    for (const Reaction& r : reactions_) constriction += r.constriction * bump(now_ - r.start - 2, 2, 8);
    return std::min(constriction, 0.9);
}

double Examinee::skinDrop() const {
    double drop = 0;
    for (const SkinResponse& s : skinResponses_) drop += s.depth * bump(now_ - s.start, 1.1, 7);
    return std::min(drop, 0.6);
}

double Examinee::heartRate() const {
    const double sinusArrhythmia = 2.5 * std::sin(kTwoPi * breathPhase_);
    return scenario_.heartRate + heartWander_ + sinusArrhythmia + reactionHeart();
}

double Examinee::breathingRate() const {
    return scenario_.breathingRate * breathRateJitter_ * (1 - 0.25 * reactionBreath());
}

double Examinee::skinResistance() const {
    return std::max(20.0, (scenario_.skinResistance + skinDrift_) * (1 - skinDrop()));
}

void Examinee::step(double dt) {
    now_ += dt;
    pulsePhase_ += heartRate() / 60 * dt;
    if (pulsePhase_ >= 1) pulsePhase_ -= std::floor(pulsePhase_);
    breathPhase_ += breathingRate() / 60 * dt;
    if (breathPhase_ >= 1) {
        breathPhase_ -= std::floor(breathPhase_);
        // Every breath differs a little in length and depth.
        breathRateJitter_ = uniform(0.92, 1.08);
        breathAmplitudeJitter_ = uniform(0.85, 1.12);
    }
    // Slow wandering: random walks pulled back towards rest.
    const double root = std::sqrt(dt);
    heartWander_ += -0.05 * heartWander_ * dt + 0.6 * root * noise(1);
    pulseBaseline_ += -0.02 * pulseBaseline_ * dt + 1.2 * root * noise(1);
    volumeBaseline_ += -0.03 * volumeBaseline_ * dt + 0.8 * root * noise(1);
    slow4_ += -0.05 * slow4_ * dt + 1.5 * root * noise(1);
    slow6_ += -0.04 * slow6_ * dt + 1.0 * root * noise(1);
    // Resistance creeps down over an examination as the skin warms and moistens.
    skinDrift_ += (-0.04 - 0.002 * skinDrift_) * dt + 0.3 * root * noise(1);
    if (now_ >= nextSpontaneous_) {
        skinResponses_.push_back({now_, uniform(0.008, 0.03)});
        nextSpontaneous_ = now_ + uniform(15, 45);
    }
    std::erase_if(reactions_, [this](const Reaction& r) { return now_ - r.start > kReactionSpan; });
    std::erase_if(skinResponses_, [this](const SkinResponse& s) { return now_ - s.start > kReactionSpan; });
}

void Examinee::advanceTo(double seconds) {
    while (now_ + kStep <= seconds) step(kStep);
    if (seconds > now_) step(seconds - now_);
}

double Examinee::value(int channel) {
    const double breath = breathWave(breathPhase_) * breathAmplitudeJitter_ * (1 - reactionBreath());
    const double constriction = reactionConstriction();
    double clean = kSignalCentre;
    switch (channel) {
    case 0: clean += pulseBaseline_ + kPulseAmplitude * (1 - 0.55 * constriction) * pulseWave(pulsePhase_); break;
    case 1: clean += kChestAmplitude * breath + 0.4 * pulseBaseline_; break;
    case 2: clean += kBellyAmplitude * breathWave(std::fmod(breathPhase_ + 0.94, 1.0)) *
                     breathAmplitudeJitter_ * (1 - reactionBreath()); break;
    case 3: clean += volumeBaseline_ - 14 * constriction + kVolumeAmplitude * pulseWave(pulsePhase_); break;
    case 4: clean += slow4_; break;
    case 5: return kSkinZero + skinResistance() / kSkinPerCount + noise(kSensorNoise);
    case 6: clean += slow6_ + 0.5 * breath; break;
    default: break;
    }
    return clean + noise(kSensorNoise);
}

}  // namespace lumo::device
