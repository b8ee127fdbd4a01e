// The simulated examinee: rates in their physiological ranges, reactions with
// their delays, stronger to what the scenario fears.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "device/physiology.h"

namespace lumo::device {
namespace {

// Upward crossings of the signal's mean, after a light smoothing.
int cycles(const std::vector<double>& signal, int smoothing) {
    std::vector<double> smooth(signal.size());
    for (std::size_t i = 0; i < signal.size(); ++i) {
        const std::size_t from = i >= static_cast<std::size_t>(smoothing) ? i - smoothing : 0;
        smooth[i] = std::accumulate(signal.begin() + static_cast<long>(from), signal.begin() + static_cast<long>(i) + 1, 0.0) /
                    static_cast<double>(i - from + 1);
    }
    const double mean = std::accumulate(smooth.begin(), smooth.end(), 0.0) / static_cast<double>(smooth.size());
    int count = 0;
    bool above = smooth[0] > mean;
    for (double v : smooth) {
        // A little hysteresis against noise.
        if (!above && v > mean + 0.5) {
            above = true;
            ++count;
        } else if (above && v < mean - 0.5) {
            above = false;
        }
    }
    return count;
}

// Heart beats of a plethysmogram: rises of the systolic wave through half the
// pulse height over the moving average (the dicrotic wave stays below).
int beats(const std::vector<double>& signal, int samplesPerSecond) {
    std::vector<double> detrended(signal.size());
    for (std::size_t i = 0; i < signal.size(); ++i) {
        const std::size_t from = i >= static_cast<std::size_t>(samplesPerSecond) ? i - samplesPerSecond : 0;
        const double average = std::accumulate(signal.begin() + static_cast<long>(from), signal.begin() + static_cast<long>(i) + 1, 0.0) /
                               static_cast<double>(i - from + 1);
        detrended[i] = signal[i] - average;
    }
    std::vector<double> sorted = detrended;
    std::sort(sorted.begin(), sorted.end());
    const double height = sorted[sorted.size() * 95 / 100];
    int count = 0;
    bool armed = true;
    for (double v : detrended) {
        if (armed && v > 0.5 * height) {
            ++count;
            armed = false;
        } else if (v < 0) {
            armed = true;
        }
    }
    return count;
}

std::vector<double> record(Examinee& examinee, int channel, double rate, double seconds) {
    std::vector<double> values;
    for (int i = 1; i <= static_cast<int>(rate * seconds); ++i) {
        examinee.advanceTo(examinee.seconds() + 1 / rate);
        values.push_back(examinee.value(channel));
    }
    return values;
}

TEST(Physiology, PulseAndBreathingRatesAreInTheirRanges) {
    for (const double heart : {62.0, 72.0, 86.0}) {
        Scenario scenario = Scenario::truthful();
        scenario.heartRate = heart;
        Examinee examinee(scenario, 11);
        EXPECT_NEAR(beats(record(examinee, 0, 32, 60), 32), heart, 6) << heart;
    }
    for (const double breaths : {12.0, 16.0, 20.0}) {
        Scenario scenario = Scenario::truthful();
        scenario.breathingRate = breaths;
        Examinee examinee(scenario, 5);
        EXPECT_NEAR(cycles(record(examinee, 1, 8, 120), 2) / 2.0, breaths, 2) << breaths;
        EXPECT_NEAR(cycles(record(examinee, 2, 8, 120), 2) / 2.0, breaths, 2) << breaths;
    }
    Scenario out = Scenario::truthful();
    out.heartRate = 200;  // kept to a human heart
    EXPECT_LE(Examinee(out, 1).scenario().heartRate, 90);
}

// The difference a question makes: the same examinee asked and not asked.
struct Reaction {
    double skinOnset = -1;  // seconds after the question
    double skinDrop = 0;    // largest drop, kOhm
    double heartRise = 0;   // largest rise, bpm
    double breathSlowing = 0;
};

Reaction reactionTo(const Scenario& scenario, int type, std::uint32_t seed) {
    Examinee asked(scenario, seed);
    Examinee calm(scenario, seed);
    asked.advanceTo(20);
    calm.advanceTo(20);
    asked.questionAsked(type);
    Reaction reaction;
    for (double t = 20.05; t < 35; t += 0.05) {
        asked.advanceTo(t);
        calm.advanceTo(t);
        const double drop = calm.skinResistance() - asked.skinResistance();
        if (reaction.skinOnset < 0 && drop > 1.5) reaction.skinOnset = t - 20;
        reaction.skinDrop = std::max(reaction.skinDrop, drop);
        reaction.heartRise = std::max(reaction.heartRise, asked.heartRate() - calm.heartRate());
        reaction.breathSlowing = std::max(reaction.breathSlowing, calm.breathingRate() - asked.breathingRate());
    }
    return reaction;
}

TEST(Physiology, ReactionsFollowWithRealisticDelays) {
    for (std::uint32_t seed : {1u, 2u, 3u, 4u}) {
        const Reaction reaction = reactionTo(Scenario::deceptive(), 1, seed);
        EXPECT_GE(reaction.skinOnset, 1.0) << seed;
        EXPECT_LE(reaction.skinOnset, 3.5) << seed;
        EXPECT_GT(reaction.skinDrop, 20) << seed;  // of a 250 kOhm skin
        EXPECT_GT(reaction.heartRise, 5) << seed;
        EXPECT_GT(reaction.breathSlowing, 1) << seed;
    }
}

TEST(Physiology, FearedQuestionsStirMore) {
    // The deceptive examinee fears the relevant questions, the truthful one the control questions.
    const Reaction lieRelevant = reactionTo(Scenario::deceptive(), 1, 9);
    const Reaction lieControl = reactionTo(Scenario::deceptive(), 3, 9);
    const Reaction truthRelevant = reactionTo(Scenario::truthful(), 1, 9);
    const Reaction truthControl = reactionTo(Scenario::truthful(), 3, 9);
    EXPECT_GT(lieRelevant.skinDrop, 1.8 * lieControl.skinDrop);
    EXPECT_GT(truthControl.skinDrop, 1.8 * truthRelevant.skinDrop);
    EXPECT_GT(lieRelevant.heartRise, lieControl.heartRise);
    EXPECT_GT(truthControl.heartRise, truthRelevant.heartRise);
    const Reaction neutral = reactionTo(Scenario::deceptive(), 4, 9);
    EXPECT_LT(neutral.skinDrop, 0.3 * lieRelevant.skinDrop);
}

TEST(Physiology, SameSeedSameQuestionsSameSignals) {
    Examinee first(Scenario::deceptive(), 42);
    Examinee second(Scenario::deceptive(), 42);
    for (Examinee* examinee : {&first, &second}) {
        examinee->advanceTo(5);
        examinee->questionAsked(1);
    }
    EXPECT_EQ(record(first, 5, 8, 20), record(second, 5, 8, 20));
    EXPECT_EQ(record(first, 0, 32, 2), record(second, 0, 32, 2));
}

}  // namespace
}  // namespace lumo::device
