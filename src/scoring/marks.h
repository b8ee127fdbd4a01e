#pragma once

#include <array>

namespace lumo::scoring {

class FeatureTable;
class ScoringWorkspace;

// The fixed linear standardisation of each feature's neighbour difference:
// z = D a + b, a mark when |z| passes t. Index 1 ... 12.
struct Standardisation {
    float a;
    float b;
    float t;
};
extern const std::array<Standardisation, 13> kStandardisation;

// Stress and lie marks (with their row totals in slot 13) of every chart's
// kept rows, from the features; the scratch tables start at zero.
void ComputeMarks(ScoringWorkspace& workspace);

// Rank of each valid feature value among the chart's rows (ties share the
// mean place); features 2 and 8 and missing codes pass unchanged.
void RankFeatures(const FeatureTable& source, int featureCount, int rowCount, FeatureTable& target, int chart);

// How each row stands out from its neighbours: first and last rows against
// the mean, peaks and troughs against the farther neighbour, the rest
// against the neighbours' mean.
void NeighbourDifferences(const FeatureTable& source, int featureCount, int rowCount, FeatureTable& target,
                          int chart);

}  // namespace lumo::scoring
