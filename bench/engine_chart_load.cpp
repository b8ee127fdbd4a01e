// Loading a ten-minute chart (4800 records of 8 channels, 1 fast, 19 197
// points per channel), against reading the same file's bytes into memory.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "formats/chart.h"

namespace {

namespace fs = std::filesystem;
using lumo::formats::TChartBlock;

constexpr int kRecords = 4800;

// A chart file in a temporary folder, removed when the benchmark ends.
class TenMinuteChart {
public:
    TenMinuteChart() {
        std::string pattern = (fs::temp_directory_path() / "lumo-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
        folder_ = pattern;
        const std::vector<float> gains = {1, 2, 4, 8, 16, 32, 64, 128};
        std::string bytes = lumo::formats::chartSignature() +
                            lumo::formats::encodeChartHeader(8, 1, 2048, 2048, 0.37f, gains);
        std::uint32_t seed = 7;
        auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
        for (int m = 0; m < kRecords; ++m) {
            std::vector<TChartBlock> fast, slow;
            for (int s = 0; s < 4; ++s) fast.push_back({0, static_cast<std::int16_t>(next() % 4096), 2048});
            for (int c = 1; c < 8; ++c) {
                slow.push_back({static_cast<std::uint8_t>(next() % 8), static_cast<std::int16_t>(next() % 4096),
                                static_cast<std::uint16_t>((next() % 512) << 3)});
            }
            lumo::formats::appendChartRecord(bytes, fast, slow, m % 8 == 0 ? static_cast<std::uint16_t>(m / 8) : 0);
        }
        std::ofstream(file(), std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    ~TenMinuteChart() {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
    fs::path file() const { return folder_ / "exam_01.ch1"; }

private:
    fs::path folder_;
};

void BM_ChartLoadFromFile(benchmark::State& state) {
    const TenMinuteChart chart;
    for (auto _ : state) {
        lumo::formats::TLumoChart_7_1 loaded;
        loaded.LoadFromFile(chart.file());
        benchmark::DoNotOptimize(loaded.count);
    }
}
BENCHMARK(BM_ChartLoadFromFile)->Unit(benchmark::kMicrosecond);

// The same chart loaded again into one object (the review views switching
// charts): its arrays are reused, so fresh memory is not faulted in.
void BM_ChartReloadFromFile(benchmark::State& state) {
    const TenMinuteChart chart;
    lumo::formats::TLumoChart_7_1 loaded;
    for (auto _ : state) {
        loaded.LoadFromFile(chart.file());
        benchmark::DoNotOptimize(loaded.count);
    }
}
BENCHMARK(BM_ChartReloadFromFile)->Unit(benchmark::kMicrosecond);

// The baseline: the file's bytes read into memory the way the loader reads them.
void BM_ChartFileBytes(benchmark::State& state) {
    const TenMinuteChart chart;
    for (auto _ : state) {
        std::ifstream in(chart.file(), std::ios::binary);
        in.seekg(0, std::ios::end);
        std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
        in.seekg(0);
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_ChartFileBytes)->Unit(benchmark::kMicrosecond);

}  // namespace
