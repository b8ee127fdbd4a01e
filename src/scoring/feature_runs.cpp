#include "scoring/features.h"
#include "scoring/workspace.h"

namespace lumo::scoring {

namespace {

void replaceValid(FeatureTable& features, int chart, int rows, int feature, float code) {
    for (int row = 1; row <= rows; ++row) {
        if (!isMissing(features(chart, row, feature))) features(chart, row, feature) = code;
    }
}

// The features whose source channel is switched off, when the settings say
// such features do not count toward dropping a question.
bool ignoredFeature(const ChannelSettings& channels, int feature) {
    const auto& off = channels.switchedOff;
    if (feature <= 3) return off[2] && off[3];
    if (feature <= 6) return off[6];
    if (feature <= 9) return off[1];
    if (feature == 10) return off[4];
    return off[7];
}

}  // namespace

void ValidateFeatureRuns(ScoringWorkspace& workspace, int group, int rowCount, int featureCount, int chart) {
    FeatureTable& features = workspace.features();
    const int first = 3 * (group - 1) + 1;
    for (int feature = first; feature < first + featureCount; ++feature) {
        int missingRows = 0;
        for (int row = 1; row <= rowCount; ++row) missingRows += isMissing(features(chart, row, feature)) ? 1 : 0;
        if (missingRows >= 3) replaceValid(features, chart, rowCount, feature, kCodeUnreliable);

        // Two missing rows with fewer than two valid rows between them.
        bool remembered = false;
        int valid = 0;
        for (int row = 1; row <= rowCount; ++row) {
            if (!isMissing(features(chart, row, feature))) {
                ++valid;
                continue;
            }
            if (!remembered) {
                remembered = true;
                valid = 0;
            } else if (valid < 2) {
                replaceValid(features, chart, rowCount, feature, kCodeGaps);
                break;
            } else {
                remembered = false;
                valid = 0;
            }
        }
    }
}

void DropIncompleteQuestions(ScoringWorkspace& workspace) {
    FeatureTable& features = workspace.features();
    const ChannelSettings& channels = workspace.channels();
    for (int chart = 1; chart <= workspace.chartCount; ++chart) {
        for (int row = 1; row <= workspace.chart(chart).rowCount; ++row) {
            int missing = 0;
            for (int feature = 1; feature <= kFeatureCount; ++feature) {
                if (!isMissing(features(chart, row, feature))) continue;
                if (channels.ignoreDisabled && ignoredFeature(channels, feature)) continue;
                ++missing;
            }
            if (missing <= kFeatureCount / 3) continue;
            for (int feature = 1; feature <= kFeatureCount; ++feature) {
                if (!isMissing(features(chart, row, feature))) features(chart, row, feature) = kCodeDropped;
            }
            features(chart, row, kTotalSlot) = kCodeDropped;
        }
    }
}

}  // namespace lumo::scoring
