#include "scoring/marks.h"

#include <algorithm>

#include "scoring/workspace.h"

namespace lumo::scoring {

// The nearest floats to the decimals of the standardisation.
const std::array<Standardisation, 13> kStandardisation = {{
    {0.0f, 0.0f, 0.0f},
    {-0.12176923f, -0.031615384f, 0.2f},
    {0.100461535f, -0.0155384615f, 0.2f},
    {-0.086f, -0.013923077f, 0.2f},
    {0.7961f, -0.8008f, 0.5f},
    {0.761f, -0.8488f, 0.5f},
    {0.6885f, -0.7615f, 0.5f},
    {-0.18158333f, -0.07483333f, 0.3f},
    {-0.20475f, -0.14333333f, 0.3f},
    {0.17833333f, -0.09991667f, 0.3f},
    {0.077214286f, -0.021428572f, 0.2f},
    {0.06428572f, 0.06428572f, 0.2f},
    {0.06428572f, 0.06428572f, 0.2f},
}};

void RankFeatures(const FeatureTable& source, int featureCount, int rowCount, FeatureTable& target, int chart) {
    for (int f = 1; f <= featureCount; ++f) {
        for (int r = 1; r <= rowCount; ++r) {
            const float v = source(chart, r, f);
            // The mean frequencies enter the differences as they are.
            if (f == 2 || f == 8 || !isValid(v)) {
                target(chart, r, f) = v;
                continue;
            }
            double rank = 1;
            for (int other = 1; other <= rowCount; ++other) {
                if (other == r) continue;
                const float w = source(chart, other, f);
                if (!isValid(w)) continue;
                if (w < v) rank += 1;
                if (w == v) rank += 0.5;
            }
            target(chart, r, f) = static_cast<float>(rank);
        }
    }
}

void NeighbourDifferences(const FeatureTable& source, int featureCount, int rowCount, FeatureTable& target,
                          int chart) {
    for (int f = 1; f <= featureCount; ++f) {
        double sum = 0;
        int valid = 0;
        for (int r = 1; r <= rowCount; ++r) {
            const float v = source(chart, r, f);
            if (isValid(v)) {
                sum += v;
                ++valid;
            }
        }
        if (valid == 0) {
            for (int r = 1; r <= rowCount; ++r) {
                if (isValid(target(chart, r, f))) target(chart, r, f) = kCodeNoPower;
            }
            continue;
        }
        const double mean = sum / valid;
        for (int r = 1; r <= rowCount; ++r) {
            const float x = source(chart, r, f);
            if (!isValid(x)) {
                target(chart, r, f) = x;
                continue;
            }
            if (r == 1 || r == rowCount) {
                target(chart, r, f) = static_cast<float>(x - mean);
                continue;
            }
            const float before = source(chart, r - 1, f);
            const float after = source(chart, r + 1, f);
            const double p = before < -500.0f ? mean : static_cast<double>(before);
            const double q = after < -500.0f ? mean : static_cast<double>(after);
            double difference = 0;
            if (p < x && q < x) {
                difference = x - std::min(p, q);  // a peak, against the farther neighbour
            } else if (p > x && q > x) {
                difference = x - std::max(p, q);  // a trough
            } else {
                difference = x - (p + q) / 2;
            }
            target(chart, r, f) = static_cast<float>(difference);
        }
    }
}

void ComputeMarks(ScoringWorkspace& workspace) {
    FeatureTable& features = workspace.features();
    FeatureTable& ranks = workspace.ranks();
    FeatureTable& differences = workspace.differences();
    FeatureTable& stress = workspace.stressMarks();
    FeatureTable& lie = workspace.lieMarks();
    ranks.clear();
    differences.clear();
    for (int chart = 1; chart <= workspace.chartCount; ++chart) {
        const int rows = workspace.chart(chart).rowCount;
        RankFeatures(features, kFeatureCount, rows, ranks, chart);
        NeighbourDifferences(ranks, kFeatureCount, rows, differences, chart);
        for (int r = 1; r <= rows; ++r) {
            float total = 0;
            for (int f = 1; f <= kFeatureCount; ++f) {
                const float d = differences(chart, r, f);
                if (!isValid(d)) {
                    stress(chart, r, f) = d;
                    continue;
                }
                const Standardisation& s = kStandardisation[static_cast<std::size_t>(f)];
                const double z = static_cast<double>(d) * s.a + s.b;
                const float mark = z < -static_cast<double>(s.t) ? 1.0f : z > s.t ? -1.0f : 0.0f;
                stress(chart, r, f) = mark;
                total = static_cast<float>(static_cast<double>(total) + mark);
            }
            stress(chart, r, kTotalSlot) = total;
        }

        NeighbourDifferences(stress, kFeatureCount, rows, differences, chart);
        for (int r = 1; r <= rows; ++r) {
            float total = 0;
            for (int f = 1; f <= kFeatureCount; ++f) {
                const float e = differences(chart, r, f);
                if (!isValid(e)) {
                    lie(chart, r, f) = e;
                    continue;
                }
                const float mark = e > 1.0f ? 1.0f : e < -1.0f ? -1.0f : 0.0f;
                lie(chart, r, f) = mark;
                total = static_cast<float>(static_cast<double>(total) + mark);
            }
            lie(chart, r, kTotalSlot) = total;
        }

        // Missing features keep their own codes in both tables; totals stay.
        for (int r = 1; r <= rows; ++r) {
            for (int f = 1; f <= kFeatureCount; ++f) {
                const float v = features(chart, r, f);
                if (isValid(v)) continue;
                stress(chart, r, f) = v;
                lie(chart, r, f) = v;
            }
        }
    }
}

}  // namespace lumo::scoring
