#include "scoring/workspace.h"

#include <algorithm>
#include <new>

#include <sys/mman.h>

#include "core/startup.h"

namespace lumo::scoring {

namespace {

constexpr int kNormalisedGaugeBase = kPositions;                      // 32768 + chart
constexpr int kSmallTablesGaugeBase = kNormalisedGaugeBase + kChartIndices;  // 32778 ...
constexpr std::size_t kChartFloats = static_cast<std::size_t>(kSlots) * kPositions;
constexpr std::size_t kSeriesLength = kPositions + 1;
// The sample store is zero-filled this many positions at a time.
constexpr int kGaugeRun = 512;
static_assert(kPositions % kGaugeRun == 0);

constexpr std::size_t kHugePage = std::size_t{2} << 20;

void report(const std::function<void(int)>& move, int position) {
    if (move) move(position);
}

}  // namespace

// A store is mapped zero from the system in whole 2 MiB and asked for huge
// pages: a scoring run touches every page of it once, and one fault per
// 4 KiB page was most of the windowless tools' start-up. Where the system
// has no huge pages the advice is ignored.
void ScoringWorkspace::ChartStore::make(int count) {
    const std::size_t floats = 2 * static_cast<std::size_t>(kSlots) * static_cast<std::size_t>(count);
    const std::size_t bytes = (floats * sizeof(float) + kHugePage - 1) / kHugePage * kHugePage;
    void* mapped = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    ::madvise(mapped, bytes, MADV_HUGEPAGE);
    block = std::unique_ptr<float[], Unmap>(static_cast<float*>(mapped), Unmap{bytes});
    positions = count;
    loaded = block.get();
    normalised = loaded + offset(kSlots);
}

void ScoringWorkspace::ChartStore::Unmap::operator()(float* mapped) const {
    ::munmap(mapped, bytes);
}

void FeatureTable::clear() {
    std::fill(cells_.begin(), cells_.end(), 0.0f);
}

void ScoringWorkspace::allocate(const std::function<void(int)>& move) {
    // The sample store, written a run of positions at a time in every chart
    // and slot, so its pages are in place and the gauge follows it position
    // by position.
    for (ChartStore& chart : stores_) chart.make(kPositions);
    for (int from = 0; from < kPositions; from += kGaugeRun) {
        for (ChartStore& chart : stores_) {
            for (int slot = 0; slot < kSlots; ++slot) {
                std::fill_n(chart.loaded + chart.offset(slot) + from, kGaugeRun, 0.0f);
            }
        }
        for (int position = from; position < from + kGaugeRun; ++position) report(move, position);
    }
    for (int chart = 0; chart < kChartIndices; ++chart) {
        std::fill_n(store(chart).normalised, kChartFloats, 0.0f);
        report(move, kNormalisedGaugeBase + chart);
    }
    allocateTables(move, kSmallTablesGaugeBase);
    ExtractorScratch& work = *scratch_;
    for (std::vector<float>& copy : work.copies) copy.assign(kPositions, 0.0f);
    work.series.assign(kSeriesLength, 0.0);
    work.power.assign(kSeriesLength, 0.0);
    work.frequency.assign(kSeriesLength, 0.0);
}

void ScoringWorkspace::allocateLazily() {
    allocateTables({}, kSmallTablesGaugeBase);
}

void ScoringWorkspace::reserveChart(int chart, int n) {
    const auto positions = static_cast<std::size_t>(n) + 1;
    ChartStore& target = store(chart);
    if (target.positions < static_cast<int>(positions)) target.make(static_cast<int>(positions));
    // The working copies hold positions 0 ... n.
    for (std::vector<float>& copy : scratch_->copies) {
        if (copy.size() < positions) copy.resize(positions);
    }
}

void ScoringWorkspace::allocateTables(const std::function<void(int)>& move, int gauge) {
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
    scratch_->bases.reserve(ExtractorScratch::kMaxBases);
    report(move, gauge++);
}

void ScoringWorkspace::release(const std::function<void(int)>& move) {
    // The stores go chart by chart; the gauge still walks the positions so
    // shut-down shows the same progress as start-up.
    for (int position = 0; position < kPositions; ++position) report(move, position);
    for (int chart = 0; chart < kChartIndices; ++chart) {
        store(chart) = ChartStore{};
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
    std::size_t bytes = 0;
    for (const ChartStore& chart : stores_) bytes += 2 * chart.offset(kSlots) * sizeof(float);
    bytes += 5 * featureTable * sizeof(float) + featureTable * sizeof(std::int16_t);
    bytes += rows_.size() * sizeof(RowInfo) + charts_.size() * sizeof(ChartHeader) + artefacts_.size();
    bytes += sizeof(ChannelSettings) + sizeof(ExamInfo);
    const ExtractorScratch& work = *scratch_;
    for (const std::vector<float>& copy : work.copies) bytes += copy.size() * sizeof(float);
    bytes += (work.series.size() + work.power.size() + work.frequency.size()) * sizeof(double);
    for (const SpectrumBasis& basis : work.bases) bytes += basis.bytes();
    const formats::TLumoChart_7_1& chart = work.chart;
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
