#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/colors.h"
#include "core/exam_list.h"
#include "core/question_set.h"
#include "formats/chart.h"
#include "scoring/signal.h"

namespace lumo::core {
class StartupRoutine;
}

namespace lumo::scoring {

// Dimensions of the workspace: every scoring run fits inside them.
inline constexpr int kMaxSamples = 32767;               // n at most; positions 0 ... n
inline constexpr int kPositions = kMaxSamples + 1;      // positions 0 ... 32767
inline constexpr int kSignalSlots = 8;                  // slots 1 ... 8 carry signals
inline constexpr int kMarkSlot = 9;                     // the per-sample mark word
inline constexpr int kSlots = 10;                       // slots 0 ... 9
inline constexpr int kChartIndices = core::kMaxChartsPerExam + 1;  // charts 0 ... 9
inline constexpr int kMaxRows = 60;                     // kept rows 1 ... 60
// Rows 0 ... 61: the row after the last kept one receives the mean of the
// trailing readings, which for 60 kept rows is row 61.
inline constexpr int kRowIndices = kMaxRows + 2;
inline constexpr int kFeatureCount = 12;
inline constexpr int kTotalSlot = 13;                   // the row total of the marks
inline constexpr int kFeatureIndices = kTotalSlot + 1;  // features 0 ... 13
inline constexpr int kComponentCount = 4;               // RSP, GSC, CRD, VZM

// Missing-value codes; a feature below -500 is one of them, not a measurement.
inline constexpr float kCodeExcluded = -1000.0f;
inline constexpr float kCodeTooFew = -1001.0f;
inline constexpr float kCodeNoPower = -1004.0f;
inline constexpr float kCodeUnreliable = -1005.0f;
inline constexpr float kCodeGaps = -1006.0f;
inline constexpr float kCodeDropped = -1007.0f;
inline bool isMissing(float value) {
    return value < -500.0f;
}
// The marks' reading of the same rule.
inline bool isValid(float value) {
    return value > -500.0f;
}

// One float per chart, row and feature slot (0 ... 13).
class FeatureTable {
public:
    void allocate() { cells_.assign(static_cast<std::size_t>(kChartIndices) * kRowIndices * kFeatureIndices, 0.0f); }
    void release() { std::vector<float>().swap(cells_); }
    bool allocated() const { return !cells_.empty(); }
    // Zeros every cell (the scratch tables at the start of every marks pass).
    void clear();

    float& operator()(int chart, int row, int feature) { return cells_[index(chart, row, feature)]; }
    float operator()(int chart, int row, int feature) const { return cells_[index(chart, row, feature)]; }

private:
    static std::size_t index(int chart, int row, int feature) {
        return (static_cast<std::size_t>(chart) * kRowIndices + static_cast<std::size_t>(row)) * kFeatureIndices +
               static_cast<std::size_t>(feature);
    }
    std::vector<float> cells_;
};

// What a chart brought from its chart file and its results table.
struct ChartHeader {
    std::string fileName;
    int sampleCount = 0;  // n: the chart's point count minus one
    int rowCount = 0;     // kept rows
    std::array<float, kSlots> largest{};
    std::array<float, kSlots> smallest{};
    std::array<float, kSlots> gain{};
    std::int16_t questionTime = 0;  // seconds, low 16 bits of the results table's value
    std::int16_t duration = 0;
    std::string date;
    std::string started;
    std::string finished;
};

// One kept row of a chart.
struct RowInfo {
    int question = 0;          // 1 ... 20
    std::int64_t onset = 0;    // sample position
    std::string mark;          // the row mark without "*": one character or empty
    double meanReading = 0;    // mean of the row's ten skin-resistance readings
    std::string sign;          // from the question set
    std::string answer;
    std::string text;
    std::string reserved;
};

struct QuestionInfo {
    std::string sign;
    std::string answer;
    std::string text;
    std::string reserved;
};

// The question set's header values as the scoring run copied them.
struct ExamInfo {
    std::string examinee;
    std::string operatorName;
    int method = 0;
    int questionCount = 0;
    std::string examMark;
    std::string date;
    std::array<QuestionInfo, core::kMaxQuestions + 1> questions;  // 1 ... 20
};

// Per-slot channel settings (slots 1 ... 8) and the display order.
struct ChannelSettings {
    std::array<bool, kSlots> switchedOff{};
    bool ignoreDisabled = false;
    std::array<core::Rgb, kSlots> colour{};
    std::array<std::string, kSlots> name;
    core::Rgb background{};
    // Order position i = 1 ... 8 -> slot (ChSeq i - 1, plus one).
    std::array<int, kSlots> order{};
};

// The working copies the extractors prepare from a chart's normalised
// signals, positions 0 ... n each: breathing and its trend, the skin's rise
// signal and its trend, the pulse with its slow trend and its trend.
enum class WorkingCopy { breathing, breathingTrend, rise, riseTrend, pulse, pulseSlowTrend, pulseTrend, count };
inline constexpr std::size_t kWorkingCopies = static_cast<std::size_t>(WorkingCopy::count);

// The per-chart working copies of the extractors and the short spectrum
// series.
struct ExtractorScratch {
    std::array<std::vector<float>, kWorkingCopies> copies;
    float* copy(WorkingCopy which) { return copies[static_cast<std::size_t>(which)].data(); }
    std::vector<double> series;
    std::vector<double> power;
    std::vector<double> frequency;
    // The series of a window of `positions` positions, with room for its
    // spectrum (a lazy workspace grows them to the windows it meets).
    double* seriesFor(int positions) {
        const std::size_t size = static_cast<std::size_t>(std::max(positions, 0)) + 1;
        if (series.size() < size) {
            series.resize(size);
            power.resize(size);
            frequency.resize(size);
        }
        return series.data();
    }
    std::vector<SpectrumBasis> bases;  // the few series lengths the windows give
    // The chart the scoring run reads before it copies the signals into the
    // sample store. Kept from run to run: charts of one length reuse its
    // arrays instead of having fresh memory faulted in for every chart.
    formats::TLumoChart_7_1 chart;

    // The basis of series length n, made on first use; none for lengths
    // beyond the cache (Spectr then computes its own).
    const SpectrumBasis* basis(int n) {
        for (const SpectrumBasis& b : bases) {
            if (b.length() == n) return &b;
        }
        if (n <= 0 || n > kMaxBasisLength || bases.size() >= kMaxBases) return nullptr;
        return &bases.emplace_back(n);
    }
    static constexpr int kMaxBasisLength = 1024;
    static constexpr std::size_t kMaxBases = 8;
};

// The one in-memory store of the current exam's analysis. The workstation
// allocates it once with its maximal dimensions (table by table under the
// start-up progress) and reuses it for every scoring run; a run overwrites
// what it fills and every loop is bounded by the current exam's counts.
class ScoringWorkspace {
public:
    ScoringWorkspace() = default;
    ScoringWorkspace(const ScoringWorkspace&) = delete;
    ScoringWorkspace& operator=(const ScoringWorkspace&) = delete;

    // Builds every table; `move` receives the gauge positions of the start-up
    // routine: 0 ... 32767 while the sample store is built position by
    // position, 32768 + chart while the normalised copies are built, then
    // 32778 ... 32789 after each of the twelve small tables.
    void allocate(const std::function<void(int)>& move = {});
    // Builds the small tables only; each chart's samples and normalised copy
    // are made when the chart loads, zero-filled and sized to it. For the
    // windowless tools: they score one exam and must start at once, and
    // zero-filling the maximal store would take most of their time.
    void allocateLazily();
    // Room for positions 0 ... n of a chart, made before the chart's samples
    // are written: a maximal workspace has it already, a lazy one makes it
    // (an earlier, shorter chart's store is replaced whole).
    void reserveChart(int chart, int n);
    // Releases the tables in the same order with the same gauge positions.
    void release(const std::function<void(int)>& move = {});
    bool allocated() const { return features_.allocated(); }
    // Bytes held by the tables and the working copies.
    std::size_t memoryBytes() const;

    // The loaded samples of a chart's slot, positions 0 ... 32767 (0 ... n
    // in a lazy workspace, for the charts that have loaded).
    float* samples(int chart, int slot) { return store(chart).loaded + store(chart).offset(slot); }
    const float* samples(int chart, int slot) const {
        return store(chart).loaded + store(chart).offset(slot);
    }
    // The normalised copy the extractors and the chart editor read.
    float* normalised(int chart, int slot) { return store(chart).normalised + store(chart).offset(slot); }
    const float* normalised(int chart, int slot) const {
        return store(chart).normalised + store(chart).offset(slot);
    }

    FeatureTable& features() { return features_; }
    const FeatureTable& features() const { return features_; }
    FeatureTable& stressMarks() { return stress_; }
    const FeatureTable& stressMarks() const { return stress_; }
    FeatureTable& lieMarks() { return lie_; }
    const FeatureTable& lieMarks() const { return lie_; }
    FeatureTable& ranks() { return ranks_; }
    FeatureTable& differences() { return differences_; }

    // Exclusion flags, indexed by slot: 1 = the channel is excluded for the row.
    std::int16_t& flag(int chart, int row, int slot) { return flags_[rowIndex(chart, row) * kFeatureIndices + slot]; }
    std::int16_t flag(int chart, int row, int slot) const {
        return flags_[rowIndex(chart, row) * kFeatureIndices + static_cast<std::size_t>(slot)];
    }
    RowInfo& row(int chart, int row) { return rows_[rowIndex(chart, row)]; }
    const RowInfo& row(int chart, int row) const { return rows_[rowIndex(chart, row)]; }
    ChartHeader& chart(int chart) { return charts_[static_cast<std::size_t>(chart)]; }
    const ChartHeader& chart(int chart) const { return charts_[static_cast<std::size_t>(chart)]; }
    // Artefact flag of question 0 ... 20 in a chart.
    bool artefact(int chart, int question) const { return artefacts_[artefactIndex(chart, question)] != 0; }
    void setArtefact(int chart, int question, bool on) { artefacts_[artefactIndex(chart, question)] = on ? 1 : 0; }
    ChannelSettings& channels() { return *channels_; }
    const ChannelSettings& channels() const { return *channels_; }
    ExamInfo& exam() { return *exam_; }
    const ExamInfo& exam() const { return *exam_; }
    ExtractorScratch& scratch() { return *scratch_; }

    // Counts of the current exam.
    int chartCount = 0;
    int signalSlots = kSignalSlots;
    int featureCount = kFeatureCount;
    double fs = 32.0;  // samples per second, set by the scoring run

private:
    // Slots 0 ... 9 of one chart, `positions` floats each, as loaded and as
    // normalised, in one block mapped from the system.
    struct ChartStore {
        struct Unmap {
            std::size_t bytes;
            void operator()(float* block) const;
        };
        std::unique_ptr<float[], Unmap> block;
        float* loaded = nullptr;
        float* normalised = nullptr;
        int positions = 0;
        // A zero block of `positions` positions in place of the old one.
        void make(int positions);
        std::size_t offset(int slot) const {
            return static_cast<std::size_t>(slot) * static_cast<std::size_t>(positions);
        }
    };
    ChartStore& store(int chart) { return stores_[static_cast<std::size_t>(chart)]; }
    const ChartStore& store(int chart) const { return stores_[static_cast<std::size_t>(chart)]; }
    // The tables besides the signals, each followed by a gauge position.
    void allocateTables(const std::function<void(int)>& move, int gauge);
    static std::size_t rowIndex(int chart, int row) {
        return static_cast<std::size_t>(chart) * kRowIndices + static_cast<std::size_t>(row);
    }
    static std::size_t artefactIndex(int chart, int question) {
        return static_cast<std::size_t>(chart) * (core::kMaxQuestions + 1) + static_cast<std::size_t>(question);
    }

    std::array<ChartStore, kChartIndices> stores_;
    FeatureTable features_;
    std::vector<std::int16_t> flags_;
    FeatureTable stress_;
    FeatureTable lie_;
    FeatureTable ranks_;
    FeatureTable differences_;
    std::vector<RowInfo> rows_;
    std::vector<ChartHeader> charts_;
    std::vector<std::uint8_t> artefacts_;
    std::unique_ptr<ChannelSettings> channels_;
    std::unique_ptr<ExamInfo> exam_;
    std::unique_ptr<ExtractorScratch> scratch_;
};

// Registers the workspace's allocation and release with the start-up routine;
// the workspace must outlive the routine's shut-down.
void registerWorkspace(core::StartupRoutine& routine, ScoringWorkspace& workspace);

}  // namespace lumo::scoring
