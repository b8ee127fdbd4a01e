#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <span>
#include <vector>

namespace lumo::core {
class Settings;
class Texts;
}

namespace lumo::scoring {

class ScoringWorkspace;
struct ExtractorScratch;

// Called when the spectrum routine refuses its input; the caller shows the
// spectrum error to the examiner.
using SpectrumAlarm = std::function<void()>;

// Feature count 12, the channel colours, names and switches of slots 1 ... 8,
// the background colour, IgnoreDisabledChannels and the slot order map.
void LoadChannelSettings(ScoringWorkspace& workspace, const core::Settings& settings);

// Loads chart files 1 ... chartCount into the sample store: slots by the
// order map, slot 4 as the difference signal, slot 9 the mark words, then
// polarity and switched-off channels. A chart file that cannot be read, holds
// no complete record or more than 32767 samples raises EInOutError naming the
// file; earlier charts stay loaded.
void LoadCharts(ScoringWorkspace& workspace, const core::Settings& settings, const core::Texts& texts,
                const std::vector<std::filesystem::path>& fileNames, int chartCount);

// LoadCharts one chart at a time, so that a chart can be worked on while its
// samples are still at hand; the same errors, chart by chart.
class ChartLoader {
public:
    ChartLoader(ScoringWorkspace& workspace, const core::Settings& settings, const core::Texts& texts);
    // Chart file `file` as chart `chart` = 1 ... 9.
    void load(const std::filesystem::path& file, int chart);

    // Slots whose ChPolar setting is anything but "+" are mirrored.
    using Mirrored = std::array<bool, 10>;  // slots 0 ... 9

private:
    ScoringWorkspace& workspace_;
    const core::Texts& texts_;
    Mirrored mirrored_{};
};

// Flags every question whose row holds an artefact mark within
// QuestionTime seconds of its onset.
void MarkArtefactQuestions(ScoringWorkspace& workspace, int chartCount, int questionTime);

// Blanks excluded rows, computes every slot's gain and puts the chart's
// normalised copy on the 0 ... 4096 scale.
void NormaliseChart(ScoringWorkspace& workspace, int chart);

// The twelve features of every kept row of the chart, read from its
// normalised copy, with the run validation of each group.
void ExtractChartFeatures(ScoringWorkspace& workspace, int chart, const SpectrumAlarm& alarm);

// Every chart normalised and extracted (a failure inside one chart ends only
// that chart), then incomplete questions dropped and the marks computed.
void ProcessExam(ScoringWorkspace& workspace, const SpectrumAlarm& alarm);
// ProcessExam in its two steps: one chart normalised and extracted (a failure
// inside it ends only this chart's extraction), and, once every chart has
// been, the dropping of incomplete questions and the marks.
void ProcessChart(ScoringWorkspace& workspace, int chart, const SpectrumAlarm& alarm);
void FinishExam(ScoringWorkspace& workspace);

// Missing codes for a feature that is missing in too many rows of a chart:
// features 3 (group - 1) + 1 ... 3 (group - 1) + featureCount.
void ValidateFeatureRuns(ScoringWorkspace& workspace, int group, int rowCount, int featureCount, int chart);

// Rows missing five or more features become -1007 (slot 13 too).
void DropIncompleteQuestions(ScoringWorkspace& workspace);

// What a group measures in one row's window: its values, or the missing
// code for all of them.
struct WindowResult {
    std::array<float, 3> values{};
    bool failed = false;
    float code = 0;
};
// The per-window computations of the spectral groups, open to the tests:
// `signal` holds positions 0 ... n of the prepared signal; [a, b] the window.
// `step` is the decimation step, `rate` the spectrum's samples per minute.
WindowResult respirationWindow(std::span<const float> signal, int a, int b, int step, int rate,
                               ExtractorScratch& scratch, const SpectrumAlarm& alarm);
WindowResult cardioWindow(std::span<const float> signal, std::span<const float> trend, int a, int b, int step,
                          int rate, ExtractorScratch& scratch, const SpectrumAlarm& alarm);

}  // namespace lumo::scoring
