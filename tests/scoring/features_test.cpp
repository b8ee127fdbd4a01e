#include <gtest/gtest.h>

#include <vector>

#include "scoring/chart_fixture.h"
#include "scoring/features.h"
#include "scoring/workspace.h"

namespace lumo::scoring {
namespace {

using test::fillSine;
using test::prepareChart;
using test::testWorkspace;

constexpr int kN = 4000;
const std::vector<std::int64_t> kOnsets = {300, 1000, 1700, 2400, 3100};

// Every slot carries a usable signal, so every feature of every row can be
// computed.
ScoringWorkspace& livelyChart(const std::vector<std::int64_t>& onsets = kOnsets, int n = kN) {
    ScoringWorkspace& ws = testWorkspace();
    prepareChart(ws, 1, n, onsets);
    fillSine(ws, 1, 1, n, 800, 27);   // pulse
    fillSine(ws, 1, 2, n, 1000, 128);  // breathing
    fillSine(ws, 1, 3, n, 900, 130);
    fillSine(ws, 1, 4, n, 500, 40);    // blood volume
    fillSine(ws, 1, 6, n, 1500, 900);  // skin resistance
    fillSine(ws, 1, 7, n, 300, 7);     // tremor
    return ws;
}

float feature(int row, int f) {
    return testWorkspace().features()(1, row, f);
}

TEST(FeatureExtraction, ALivelyChartGivesEveryFeature) {
    ScoringWorkspace& ws = livelyChart();
    ExtractChartFeatures(ws, 1, {});
    for (int row = 1; row <= 5; ++row) {
        for (int f = 1; f <= kFeatureCount; ++f) EXPECT_FALSE(isMissing(feature(row, f))) << row << " " << f;
        // 4 s breathing is 15 per minute; the leakage of a 10 s window lifts
        // the power-weighted mean a little.
        EXPECT_GT(feature(row, 2), 12.0f) << row;
        EXPECT_LT(feature(row, 2), 21.0f) << row;
    }
}

TEST(FeatureExtraction, AnExcludedBreathingSlotRemovesTheRespirationGroupOnly) {
    ScoringWorkspace& ws = livelyChart();
    ws.flag(1, 2, 2) = 1;  // slot 3 of the row stays usable
    ExtractChartFeatures(ws, 1, {});
    for (int f = 1; f <= 3; ++f) {
        EXPECT_EQ(feature(2, f), kCodeExcluded);
        EXPECT_FALSE(isMissing(feature(1, f)));
    }
    for (int f = 4; f <= kFeatureCount; ++f) EXPECT_FALSE(isMissing(feature(2, f))) << f;
}

TEST(FeatureExtraction, SwitchedOffBreathingCountsTowardDroppingUnlessIgnored) {
    for (const bool ignore : {false, true}) {
        ScoringWorkspace& ws = livelyChart();
        ws.channels().switchedOff[2] = true;
        ws.channels().switchedOff[3] = true;
        ws.channels().ignoreDisabled = ignore;
        ws.flag(1, 1, 7) = 1;  // features 11 and 12 of row 1
        ExtractChartFeatures(ws, 1, {});
        DropIncompleteQuestions(ws);
        EXPECT_EQ(feature(1, 1), kCodeExcluded);
        EXPECT_EQ(feature(1, 11), kCodeExcluded);
        if (ignore) {
            EXPECT_FALSE(isMissing(feature(1, 4)));
            EXPECT_EQ(feature(1, kTotalSlot), 0.0f);
        } else {
            for (int f = 4; f <= 10; ++f) EXPECT_EQ(feature(1, f), kCodeDropped) << f;
            EXPECT_EQ(feature(1, kTotalSlot), kCodeDropped);
        }
        EXPECT_FALSE(isMissing(feature(2, 4)));
    }
}

TEST(FeatureExtraction, ASwingBelow45IsTooSmall) {
    ScoringWorkspace& ws = livelyChart({300, 1000});
    float* volume = ws.normalised(1, 4);
    std::fill(volume, volume + kN + 1, 2048.0f);
    volume[350] = 2048 + 44.9f;
    volume[1050] = 2048 + 45.0f;
    ExtractChartFeatures(ws, 1, {});
    EXPECT_EQ(feature(1, 10), kCodeTooFew);
    EXPECT_EQ(feature(2, 10), 45.0f);
}

TEST(FeatureExtraction, WindowsReachingPastTheChartEndReadNothing) {
    // The last onset lies 10 s before the end: respiration (to 16 s) and
    // cardio (to 12 s) are missing, the shorter windows are measured.
    ScoringWorkspace& ws = livelyChart({300, 1000}, 1320);
    ExtractChartFeatures(ws, 1, {});
    for (int f : {1, 2, 3, 7, 8, 9}) EXPECT_EQ(feature(2, f), kCodeTooFew) << f;
    for (int f : {4, 5, 6, 10, 11, 12}) EXPECT_FALSE(isMissing(feature(2, f))) << f;
    for (int f = 1; f <= kFeatureCount; ++f) EXPECT_FALSE(isMissing(feature(1, f))) << f;
}

TEST(FeatureExtraction, AMissingCodeAlreadyThereIsKept) {
    ScoringWorkspace& ws = livelyChart();
    ws.features()(1, 3, 5) = kCodeUnreliable;
    ws.flag(1, 3, 6) = 1;
    ExtractChartFeatures(ws, 1, {});
    EXPECT_EQ(feature(3, 4), kCodeExcluded);
    EXPECT_EQ(feature(3, 5), kCodeUnreliable);
}

TEST(RespirationWindow, NineDecimatedPointsAreTooFew) {
    ScoringWorkspace& ws = livelyChart();
    const std::span<const float> signal{ws.normalised(1, 2), static_cast<std::size_t>(kN) + 1};
    // Positions 32, 48, ... 160 are the multiples of 16 in [17, 160].
    EXPECT_EQ(respirationWindow(signal, 17, 160, 16, 120, ws.scratch(), {}).code, kCodeTooFew);
    const WindowResult ten = respirationWindow(signal, 17, 176, 16, 120, ws.scratch(), {});
    EXPECT_FALSE(ten.failed);
}

TEST(RespirationWindow, AFlatSignalHasNoPower) {
    std::vector<float> flat(400, 2048.0f);
    bool alarmed = false;
    const WindowResult result =
        respirationWindow(flat, 192, 352, 16, 120, testWorkspace().scratch(), [&alarmed] { alarmed = true; });
    EXPECT_EQ(result.code, kCodeNoPower);
    EXPECT_FALSE(alarmed);
}

class FeatureRuns : public ::testing::Test {
protected:
    void SetUp() override { prepareChart(testWorkspace(), 1, kN, {100, 200, 300, 400, 500, 600}); }
    void missing(std::initializer_list<int> rows) {
        for (int row = 1; row <= 6; ++row) testWorkspace().features()(1, row, 4) = 10.0f * row;
        for (int row : rows) testWorkspace().features()(1, row, 4) = kCodeExcluded;
        ValidateFeatureRuns(testWorkspace(), 2, 6, 3, 1);
    }
};

TEST_F(FeatureRuns, ThreeMissingRowsMakeTheRestUnreliable) {
    missing({1, 3, 5});
    EXPECT_EQ(feature(2, 4), kCodeUnreliable);
    EXPECT_EQ(feature(6, 4), kCodeUnreliable);
    EXPECT_EQ(feature(1, 4), kCodeExcluded);
    EXPECT_EQ(feature(2, 5), 0.0f);  // the other features of the group are untouched
}

TEST_F(FeatureRuns, TwoMissingRowsCloseTogetherLeaveGaps) {
    missing({2, 4});
    EXPECT_EQ(feature(1, 4), kCodeGaps);
    EXPECT_EQ(feature(3, 4), kCodeGaps);
    EXPECT_EQ(feature(4, 4), kCodeExcluded);
}

TEST_F(FeatureRuns, TwoValidRowsBetweenMissingOnesAreEnough) {
    missing({2, 5});
    EXPECT_EQ(feature(1, 4), 10.0f);
    EXPECT_EQ(feature(3, 4), 30.0f);
    EXPECT_EQ(feature(6, 4), 60.0f);
}

TEST(NormaliseChart, ScalesTheExaminationSpanAndBlanksExcludedRows) {
    ScoringWorkspace& ws = testWorkspace();
    prepareChart(ws, 1, 2000, {100, 800});
    float* pulse = ws.samples(1, 1);
    std::fill(pulse, pulse + 2001, 1000.0f);
    pulse[500] = 1100;
    pulse[1500] = 5000;  // after the span: clipped
    float* breath = ws.samples(1, 2);
    std::fill(breath, breath + 2001, 1000.0f);
    breath[300] = 3000;  // inside the excluded row 1
    breath[1000] = 1200;
    ws.flag(1, 1, 2) = 1;
    float* negative = ws.samples(1, 3);
    std::fill(negative, negative + 2001, -50.0f);
    negative[900] = 50;

    NormaliseChart(ws, 1);
    const float* x = ws.normalised(1, 1);
    EXPECT_FLOAT_EQ(ws.chart(1).gain[1], 40.96f);
    EXPECT_EQ(x[500], 4096.0f);
    EXPECT_EQ(x[499], 0.0f);
    EXPECT_EQ(x[1500], 4096.0f);
    EXPECT_EQ(pulse[1500], 5000.0f);  // the loaded samples stay

    // Row 1 (100 ... 800) became rnd(mean) = rnd(1001.1) = 1001, so R = 200.
    const float* y = ws.normalised(1, 2);
    EXPECT_EQ(y[300], 20.0f);  // rnd(4096 / 200 x 1)
    EXPECT_EQ(y[800], 20.0f);
    EXPECT_EQ(y[1000], 4096.0f);
    EXPECT_EQ(y[801], 0.0f);
    EXPECT_FLOAT_EQ(ws.chart(1).gain[2], 20.48f);

    EXPECT_FLOAT_EQ(ws.chart(1).gain[3], 99.9f);  // smallest below 0
    EXPECT_EQ(ws.normalised(1, 3)[900], 4096.0f);
    EXPECT_FLOAT_EQ(ws.chart(1).gain[4], 99.9f);  // flat: no range
    EXPECT_EQ(ws.normalised(1, 4)[900], 0.0f);
}

TEST(MarkArtefactQuestions, ThousandsDigitsSixToNineBelowTheSpeedCodes) {
    ScoringWorkspace& ws = testWorkspace();
    prepareChart(ws, 1, 6000, {100, 1000, 2000, 3000, 4000, 5000});
    float* marks = ws.samples(1, kMarkSlot);
    marks[110] = 6000;            // artefact 1
    marks[1010] = 5000;           // ready
    marks[2010] = 36000;          // a display speed
    marks[3010] = 7000;           // ready and end of question in one record read as an artefact
    marks[4000 + 480] = 9000;     // the window's last position (15 s)
    marks[5000 + 481] = 8000;     // one past it
    MarkArtefactQuestions(ws, 1, 15);
    const std::vector<bool> expected = {false, true, false, false, true, true, false};
    for (int question = 1; question <= 6; ++question) {
        EXPECT_EQ(ws.artefact(1, question), expected[static_cast<std::size_t>(question)]) << question;
    }
}

}  // namespace
}  // namespace lumo::scoring
