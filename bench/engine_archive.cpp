// The archive compressors on a corpus shaped like an examinee folder (charts
// and results tables, 5 MB), side by side with zlib levels 1 and 9.
// Targets: LZRW1/KH compresses at least twice as fast as zlib level 1;
// LZHUF's output is within 20 % of zlib level 9's.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <chrono>
#include <stdexcept>
#include <string>

#include "../tests/admin/archive_samples.h"
#include "admin/lzhuf.h"
#include "admin/lzw_file.h"

namespace {

using lumo::admin::LzwMethod;

const std::string& corpus() {
    static const std::string data = [] {
        std::string all;
        for (std::uint32_t k = 0; all.size() < 5 * 1000 * 1000; ++k) {
            // Charts of 8 to 10 minutes with their results tables, as a solid file holds them.
            all += lumo::test::chartSample(480 + static_cast<int>(k % 3) * 60, 11 + k);
            all += lumo::test::resultsTableSample(10 + static_cast<int>(k % 5), 17 + k);
        }
        return all;
    }();
    return data;
}

std::string zlibCompress(const std::string& data, int level) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    std::string out(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(data.data()),
                  static_cast<uLong>(data.size()), level) != Z_OK) {
        throw std::runtime_error("zlib failed");
    }
    out.resize(size);
    return out;
}

void report(benchmark::State& state, std::size_t compressed) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * corpus().size()));
    state.counters["ratio"] = static_cast<double>(compressed) / static_cast<double>(corpus().size());
    state.counters["corpus_bytes"] = static_cast<double>(corpus().size());
}

void BM_Lzrw1KhCompress(benchmark::State& state) {
    std::size_t size = 0;
    for (auto _ : state) size = lumo::admin::encodeLzw(corpus(), LzwMethod::Lzrw1Kh).size();
    report(state, size);
}

void BM_LzhufCompress(benchmark::State& state) {
    std::size_t size = 0;
    for (auto _ : state) size = lumo::admin::encodeLzw(corpus(), LzwMethod::Lzhuf).size();
    report(state, size);
}

void BM_ZlibCompress(benchmark::State& state) {
    std::size_t size = 0;
    for (auto _ : state) size = zlibCompress(corpus(), static_cast<int>(state.range(0))).size();
    report(state, size);
}

void BM_Lzrw1KhDecompress(benchmark::State& state) {
    const std::string packed = lumo::admin::encodeLzw(corpus(), LzwMethod::Lzrw1Kh);
    for (auto _ : state) benchmark::DoNotOptimize(lumo::admin::decodeLzw(packed));
    report(state, packed.size());
}

void BM_LzhufDecompress(benchmark::State& state) {
    const std::string packed = lumo::admin::encodeLzw(corpus(), LzwMethod::Lzhuf);
    for (auto _ : state) benchmark::DoNotOptimize(lumo::admin::decodeLzw(packed));
    report(state, packed.size());
}

// Both targets as ratios measured within one run: speed of LZRW1/KH over
// zlib level 1 (want >= 2) and size of LZHUF over zlib level 9 (want <= 1.2).
void BM_ArchiveTargets(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    double lzrwSeconds = 0;
    double zlibSeconds = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        benchmark::DoNotOptimize(lumo::admin::encodeLzw(corpus(), LzwMethod::Lzrw1Kh));
        lzrwSeconds += std::chrono::duration<double>(Clock::now() - start).count();
        start = Clock::now();
        benchmark::DoNotOptimize(zlibCompress(corpus(), 1));
        zlibSeconds += std::chrono::duration<double>(Clock::now() - start).count();
    }
    const double lzhuf = static_cast<double>(lumo::admin::encodeLzw(corpus(), LzwMethod::Lzhuf).size());
    const double zlib9 = static_cast<double>(zlibCompress(corpus(), 9).size());
    state.counters["lzrw1kh_speed_over_zlib1"] = zlibSeconds / lzrwSeconds;
    state.counters["lzhuf_size_over_zlib9"] = lzhuf / zlib9;
}

}  // namespace

BENCHMARK(BM_Lzrw1KhCompress)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibCompress)->Arg(1)->Arg(9)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LzhufCompress)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Lzrw1KhDecompress)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LzhufDecompress)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ArchiveTargets)->Unit(benchmark::kMillisecond)->Iterations(5);
