#include <gtest/gtest.h>

#include <vector>

#include "scoring/chart_fixture.h"
#include "scoring/marks.h"
#include "scoring/workspace.h"

namespace lumo::scoring {
namespace {

using test::prepareChart;
using test::testWorkspace;

// A chart of `rows` rows whose features all hold `value`.
ScoringWorkspace& uniformChart(int rows, float value) {
    ScoringWorkspace& ws = testWorkspace();
    std::vector<std::int64_t> onsets;
    for (int r = 1; r <= rows; ++r) onsets.push_back(100 * r);
    prepareChart(ws, 1, 4000, onsets);
    for (int r = 1; r <= rows; ++r) {
        for (int f = 1; f <= kFeatureCount; ++f) ws.features()(1, r, f) = value;
    }
    return ws;
}

float stress(int row, int f) {
    return testWorkspace().stressMarks()(1, row, f);
}
float lie(int row, int f) {
    return testWorkspace().lieMarks()(1, row, f);
}

TEST(ComputeMarks, ASingleRowMarksOnlyTheSkinOffsets) {
    ScoringWorkspace& ws = uniformChart(1, 7.0f);
    ComputeMarks(ws);
    for (int f = 1; f <= kFeatureCount; ++f) {
        EXPECT_EQ(stress(1, f), f >= 4 && f <= 6 ? 1.0f : 0.0f) << f;
        EXPECT_EQ(lie(1, f), 0.0f) << f;
    }
    EXPECT_EQ(stress(1, kTotalSlot), 3.0f);
    EXPECT_EQ(lie(1, kTotalSlot), 0.0f);
}

TEST(RankFeatures, TiesShareTheMeanPlaceAndCodesTakeNoPart) {
    ScoringWorkspace& ws = uniformChart(4, 5.0f);
    ws.features()(1, 3, 1) = 9.0f;
    ws.features()(1, 4, 1) = kCodeExcluded;
    ws.features()(1, 1, 2) = 33.5f;  // frequencies stay as they are
    RankFeatures(ws.features(), kFeatureCount, 4, ws.ranks(), 1);
    EXPECT_EQ(ws.ranks()(1, 1, 1), 1.5f);
    EXPECT_EQ(ws.ranks()(1, 2, 1), 1.5f);
    EXPECT_EQ(ws.ranks()(1, 3, 1), 3.0f);
    EXPECT_EQ(ws.ranks()(1, 4, 1), kCodeExcluded);
    EXPECT_EQ(ws.ranks()(1, 1, 2), 33.5f);
    EXPECT_EQ(ws.ranks()(1, 1, 3), 2.5f);  // four equal values
}

TEST(NeighbourDifferences, PeaksAndTroughsMeetTheFartherNeighbour) {
    ScoringWorkspace& ws = uniformChart(7, 0.0f);
    const std::vector<float> x = {0, 2, 6, 3, 1, 4, 8, 5};  // rows 1 ... 7
    for (int r = 1; r <= 7; ++r) ws.ranks()(1, r, 1) = x[static_cast<std::size_t>(r)];
    ws.ranks()(1, 4, 2) = kCodeTooFew;  // feature 2: row 4 missing
    for (int r : {1, 2, 3, 5, 6, 7}) ws.ranks()(1, r, 2) = 10.0f * r;
    NeighbourDifferences(ws.ranks(), 2, 7, ws.differences(), 1);
    const FeatureTable& d = ws.differences();
    EXPECT_FLOAT_EQ(d(1, 1, 1), 2 - 29.0f / 7);  // first row: against the mean
    EXPECT_EQ(d(1, 2, 1), 6 - 2.0f);             // peak: the lower neighbour
    EXPECT_EQ(d(1, 3, 1), 3 - 3.5f);             // falling: the neighbours' mean
    EXPECT_EQ(d(1, 4, 1), 1 - 4.0f);             // trough: the higher neighbour
    EXPECT_FLOAT_EQ(d(1, 7, 1), 5 - 29.0f / 7);
    // Row 4 missing: rows 3 and 5 use the mean (40) in its place.
    EXPECT_EQ(d(1, 4, 2), kCodeTooFew);
    EXPECT_EQ(d(1, 3, 2), 0.0f);  // neighbours 20 and 40: rising
    EXPECT_EQ(d(1, 5, 2), 50 - 50.0f);  // neighbours 40 and 60
}

TEST(NeighbourDifferences, BothNeighboursMissingLeaveTheMean) {
    ScoringWorkspace& ws = uniformChart(3, 0.0f);
    ws.ranks()(1, 1, 1) = kCodeExcluded;
    ws.ranks()(1, 2, 1) = 4.0f;
    ws.ranks()(1, 3, 1) = kCodeExcluded;
    NeighbourDifferences(ws.ranks(), 1, 3, ws.differences(), 1);
    EXPECT_EQ(ws.differences()(1, 2, 1), 0.0f);
}

TEST(ComputeMarks, AFeatureMissingEverywhereKeepsItsCodeInBothTables) {
    ScoringWorkspace& ws = uniformChart(3, 5.0f);
    for (int r = 1; r <= 3; ++r) ws.features()(1, r, 7) = kCodeNoPower;
    ws.features()(1, 2, 9) = kCodeGaps;
    ComputeMarks(ws);
    for (int r = 1; r <= 3; ++r) {
        EXPECT_EQ(stress(r, 7), kCodeNoPower);
        EXPECT_EQ(lie(r, 7), kCodeNoPower);
    }
    EXPECT_EQ(stress(2, 9), kCodeGaps);
    EXPECT_EQ(lie(2, 9), kCodeGaps);
}

TEST(ComputeMarks, ADroppedQuestionHasDroppedMarksAndZeroTotals) {
    ScoringWorkspace& ws = uniformChart(3, 5.0f);
    for (int f = 1; f <= kFeatureCount; ++f) ws.features()(1, 2, f) = kCodeDropped;
    ws.features()(1, 2, kTotalSlot) = kCodeDropped;
    ComputeMarks(ws);
    for (int f = 1; f <= kFeatureCount; ++f) {
        EXPECT_EQ(stress(2, f), kCodeDropped);
        EXPECT_EQ(lie(2, f), kCodeDropped);
    }
    EXPECT_EQ(stress(2, kTotalSlot), 0.0f);
    EXPECT_EQ(lie(2, kTotalSlot), 0.0f);
}

TEST(ComputeMarks, FrequenciesEnterWithTheirRawValues) {
    // Breathing rate 15 per minute around a row at 18: a peak of 3, z = 0.286.
    ScoringWorkspace& ws = uniformChart(3, 5.0f);
    ws.features()(1, 1, 2) = 15.0f;
    ws.features()(1, 2, 2) = 18.0f;
    ws.features()(1, 3, 2) = 15.0f;
    ComputeMarks(ws);
    EXPECT_EQ(stress(2, 2), -1.0f);
    EXPECT_EQ(stress(1, 2), 0.0f);  // 15 - 16 = -1: z = -0.116
    // Lie: stress marks 0, -1, 0 -> the middle row stands out by exactly -1: no mark.
    EXPECT_EQ(lie(2, 2), 0.0f);
}

TEST(ComputeMarks, LieMarksFollowStressMarksStandingOutByMoreThanOne) {
    ScoringWorkspace& ws = uniformChart(5, 5.0f);
    const std::vector<float> values = {0, 1, 9, 1, 9, 1};
    for (int r = 1; r <= 5; ++r) ws.features()(1, r, 4) = values[static_cast<std::size_t>(r)];
    ComputeMarks(ws);
    // Ranks 2, 4.5, 2, 4.5, 2 (mean 3): differences -1, 2.5, -2.5, 2.5, -1.
    EXPECT_EQ(stress(1, 4), 1.0f);   // z = -1.596
    EXPECT_EQ(stress(2, 4), -1.0f);  // z = 1.189
    EXPECT_EQ(stress(3, 4), 1.0f);
    // Stress marks 1, -1, 1, -1, 1 (mean 0.2): the troughs stand out by -2.
    EXPECT_EQ(lie(2, 4), -1.0f);
    EXPECT_EQ(lie(3, 4), 1.0f);
    EXPECT_EQ(lie(1, 4), 0.0f);  // 1 - 0.2
}

}  // namespace
}  // namespace lumo::scoring
