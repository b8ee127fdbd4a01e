#include <algorithm>

#include "core/numbers.h"
#include "formats/mark_word.h"
#include "scoring/features.h"
#include "scoring/rounding.h"
#include "scoring/workspace.h"

namespace lumo::scoring {

namespace {

// A mark word as the workspace holds it, in single precision.
bool isArtefactWord(float word) {
    // Most words are 0 or second ticks: below 5999 none rounds to an artefact.
    if (word < 5999.0f) return false;
    return formats::isArtefactMark(rndFast(word));
}

}  // namespace

void MarkArtefactQuestions(ScoringWorkspace& workspace, int chartCount, int questionTime) {
    const std::int64_t window = core::rnd(questionTime * workspace.fs);
    for (int chart = 1; chart <= std::min(chartCount, core::kMaxChartsPerExam); ++chart) {
        for (int question = 0; question <= core::kMaxQuestions; ++question) {
            workspace.setArtefact(chart, question, false);
        }
        const int n = workspace.chart(chart).sampleCount;
        const float* marks = workspace.samples(chart, kMarkSlot);
        for (int row = 1; row <= workspace.chart(chart).rowCount; ++row) {
            const RowInfo& info = workspace.row(chart, row);
            // Nothing lies past the chart's last sample.
            const std::int64_t last = std::min<std::int64_t>(info.onset + window, n);
            bool artefact = false;
            for (std::int64_t p = std::max<std::int64_t>(info.onset, 0); p <= last && !artefact; ++p) {
                artefact = isArtefactWord(marks[p]);
            }
            if (artefact && info.question >= 0 && info.question <= core::kMaxQuestions) {
                workspace.setArtefact(chart, info.question, true);
            }
        }
    }
}

}  // namespace lumo::scoring
