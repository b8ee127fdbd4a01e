#include "scoring/workspace.h"

#include <algorithm>

#include "core/startup.h"

namespace lumo::scoring {

namespace {

constexpr int kNormalisedGaugeBase = kPositions;                      // 32768 + chart
constexpr int kSmallTablesGaugeBase = kNormalisedGaugeBase + kChartIndices;  // 32778 ...
constexpr std::size_t kChartFloats = static_cast<std::size_t>(kSlots) * kPositions;
constexpr std::size_t kSeriesLength = kPositions + 1;

void report(const std::function<void(int)>& move, int position) {
    if (move) move(position);
}

}  // namespace

void FeatureTable::clear() {
    std::fill(cells_.begin(), cells_.end(), 0.0f);
}

void ScoringWorkspace::allocate(const std::function<void(int)>& move) {
    // The sample store, built position by position so the gauge can follow it.
    samples_ = std::make_unique_for_overwrite<float[]>(kChartIndices * kChartFloats);
    float* store = samples_.get();
    for (int position = 0; position < kPositions; ++position) {
        for (int chart = 0; chart < kChartIndices; ++chart) {
            for (int slot = 0; slot < kSlots; ++slot) store[offset(chart, slot) + static_cast<std::size_t>(position)] = 0;
        }
        report(move, position);
    }
    for (int chart = 0; chart < kChartIndices; ++chart) {
        normalised_[static_cast<std::size_t>(chart)] = std::make_unique<float[]>(kChartFloats);
        report(move, kNormalisedGaugeBase + chart);
    }
    int gauge = kSmallTablesGaugeBase;
    features_.allocate();
    report(move, gauge++);
    flags_.assign(static_cast<std::size_t>(kChartIndices) * kRowIndices * kFeatureIndices, 0);
    report(move, gauge++);
    stress_.allocate();
    report(move, gauge++);
    lie_.allocate();
    report(move, gauge++);
    ranks_.allocate();
    report(move, gauge++);
    differences_.allocate();
    report(move, gauge++);
    rows_.assign(static_cast<std::size_t>(kChartIndices) * kRowIndices, RowInfo{});
    report(move, gauge++);
    charts_.assign(kChartIndices, ChartHeader{});
    report(move, gauge++);
    artefacts_.assign(static_cast<std::size_t>(kChartIndices) * (core::kMaxQuestions + 1), 0);
    report(move, gauge++);
    channels_ = std::make_unique<ChannelSettings>();
    report(move, gauge++);
    exam_ = std::make_unique<ExamInfo>();
    report(move, gauge++);
    scratch_ = std::make_unique<ExtractorScratch>();
    scratch_->signal.assign(kPositions, 0.0f);
    scratch_->trend.assign(kPositions, 0.0f);
    scratch_->trend2.assign(kPositions, 0.0f);
    scratch_->series.assign(kSeriesLength, 0.0);
    scratch_->power.assign(kSeriesLength, 0.0);
    scratch_->frequency.assign(kSeriesLength, 0.0);
    scratch_->bases.reserve(ExtractorScratch::kMaxBases);
    report(move, gauge++);
}

void ScoringWorkspace::release(const std::function<void(int)>& move) {
    // The store goes as one block; the gauge still walks its positions so
    // shut-down shows the same progress as start-up.
    samples_.reset();
    for (int position = 0; position < kPositions; ++position) report(move, position);
    for (int chart = 0; chart < kChartIndices; ++chart) {
        normalised_[static_cast<std::size_t>(chart)].reset();
        report(move, kNormalisedGaugeBase + chart);
    }
    int gauge = kSmallTablesGaugeBase;
    features_.release();
    report(move, gauge++);
    std::vector<std::int16_t>().swap(flags_);
    report(move, gauge++);
    stress_.release();
    report(move, gauge++);
    lie_.release();
    report(move, gauge++);
    ranks_.release();
    report(move, gauge++);
    differences_.release();
    report(move, gauge++);
    std::vector<RowInfo>().swap(rows_);
    report(move, gauge++);
    std::vector<ChartHeader>().swap(charts_);
    report(move, gauge++);
    std::vector<std::uint8_t>().swap(artefacts_);
    report(move, gauge++);
    channels_.reset();
    report(move, gauge++);
    exam_.reset();
    report(move, gauge++);
    scratch_.reset();
    report(move, gauge++);
    chartCount = 0;
}

std::size_t ScoringWorkspace::memoryBytes() const {
    if (!allocated()) return 0;
    const std::size_t featureTable = static_cast<std::size_t>(kChartIndices) * kRowIndices * kFeatureIndices;
    std::size_t bytes = 2 * kChartIndices * kChartFloats * sizeof(float);  // samples and normalised copies
    bytes += 5 * featureTable * sizeof(float) + featureTable * sizeof(std::int16_t);
    bytes += rows_.size() * sizeof(RowInfo) + charts_.size() * sizeof(ChartHeader) + artefacts_.size();
    bytes += sizeof(ChannelSettings) + sizeof(ExamInfo);
    bytes += 3 * static_cast<std::size_t>(kPositions) * sizeof(float) + 3 * kSeriesLength * sizeof(double);
    for (const SpectrumBasis& basis : scratch_->bases) bytes += basis.bytes();
    const formats::TLumoChart_7_1& chart = scratch_->chart;
    for (const formats::TarrChannelBlock& channel : chart.channels) {
        bytes += channel.capacity() * sizeof(formats::TChannelBlock);
    }
    bytes += chart.marks.capacity() * sizeof(std::uint16_t);
    return bytes;
}

void registerWorkspace(core::StartupRoutine& routine, ScoringWorkspace& workspace) {
    routine.registerStep({[&workspace](const std::function<void(int)>& move) { workspace.allocate(move); },
                          [&workspace](const std::function<void(int)>& move) { workspace.release(move); }});
}

}  // namespace lumo::scoring
