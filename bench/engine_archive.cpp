// The archive compressors on a corpus shaped like an examinee folder (charts
// and results tables, 5 MB), side by side with zlib. In memory against zlib
// levels 1 and 9, and file to file as the archive tool packs and unpacks,
// against gzip -1 and gzip -d done with zlib's gzip file calls.
// Targets (BM_ArchiveTargets, ratios within one run): LZRW1/KH packs at least
// 3 times as fast as gzip -1 and unpacks at least twice as fast as gzip -d;
// LZHUF's output is within 20 % of zlib level 9's.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <ctime>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "../tests/admin/archive_samples.h"
#include "admin/lzw_file.h"
#include "core/settings.h"
#include "core/string_table.h"

namespace {

namespace fs = std::filesystem;
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

// The corpus as a file in a temporary folder, and the component that packs it.
class FileBench {
public:
    FileBench() : settings_(fs::path()), texts_(table_, settings_), component_(texts_) {
        std::string pattern = (fs::temp_directory_path() / "lumo-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary folder");
        folder_ = pattern;
        std::ofstream(input(), std::ios::binary).write(corpus().data(), static_cast<std::streamsize>(corpus().size()));
    }
    ~FileBench() {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
    fs::path input() const { return folder_ / "corpus"; }
    fs::path at(const char* name) const { return folder_ / name; }

    void pack(const fs::path& out) {
        component_.setInputFile(input());
        component_.setOutputFile(out);
        component_.setCompressMode(lumo::admin::CompressMode::Fast);
        component_.compress();
    }
    void unpack(const fs::path& in, const fs::path& out) {
        component_.setInputFile(in);
        component_.setOutputFile(out);
        component_.decompress();
    }

private:
    lumo::core::StringTable table_;
    lumo::core::Settings settings_;
    lumo::core::Texts texts_;
    lumo::admin::Tlzrw1v component_;
    fs::path folder_;
};

constexpr std::size_t kGzipChunk = 32768;

// What gzip -1 does: the file in chunks through deflate into a .gz file.
void gzipPack(const fs::path& in, const fs::path& out) {
    std::ifstream source(in, std::ios::binary);
    gzFile gz = gzopen(out.c_str(), "wb1");
    if (gz == nullptr) throw std::runtime_error("gzopen failed");
    std::vector<char> chunk(kGzipChunk);
    while (source.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || source.gcount() > 0) {
        gzwrite(gz, chunk.data(), static_cast<unsigned>(source.gcount()));
    }
    if (gzclose(gz) != Z_OK) throw std::runtime_error("gzip failed");
}

// What gzip -d does.
void gzipUnpack(const fs::path& in, const fs::path& out) {
    gzFile gz = gzopen(in.c_str(), "rb");
    if (gz == nullptr) throw std::runtime_error("gzopen failed");
    std::ofstream sink(out, std::ios::binary);
    std::vector<char> chunk(kGzipChunk);
    for (int n; (n = gzread(gz, chunk.data(), static_cast<unsigned>(chunk.size()))) > 0;) sink.write(chunk.data(), n);
    gzclose(gz);
}

void BM_Lzrw1KhPackFile(benchmark::State& state) {
    FileBench files;
    for (auto _ : state) files.pack(files.at("packed.lzw"));
}

void BM_GzipPackFile(benchmark::State& state) {
    FileBench files;
    for (auto _ : state) gzipPack(files.input(), files.at("packed.gz"));
}

void BM_Lzrw1KhUnpackFile(benchmark::State& state) {
    FileBench files;
    files.pack(files.at("packed.lzw"));
    for (auto _ : state) files.unpack(files.at("packed.lzw"), files.at("unpacked"));
}

void BM_GzipUnpackFile(benchmark::State& state) {
    FileBench files;
    gzipPack(files.input(), files.at("packed.gz"));
    for (auto _ : state) gzipUnpack(files.at("packed.gz"), files.at("unpacked"));
}

// Processor time of this thread, kernel time (file writes, page faults)
// included: other work on a shared machine does not count against either side.
double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

template <typename Work>
double timed(Work&& work) {
    const double start = threadSeconds();
    work();
    return threadSeconds() - start;
}

// The targets as ratios measured within one run, each pair timed back to back.
void BM_ArchiveTargets(benchmark::State& state) {
    FileBench files;
    const fs::path lzw = files.at("packed.lzw");
    const fs::path gz = files.at("packed.gz");
    double pack = 0, gzip = 0, unpack = 0, gunzip = 0;
    for (auto _ : state) {
        pack += timed([&] { files.pack(lzw); });
        gzip += timed([&] { gzipPack(files.input(), gz); });
        unpack += timed([&] { files.unpack(lzw, files.at("unpacked")); });
        gunzip += timed([&] { gzipUnpack(gz, files.at("ungzipped")); });
    }
    const double lzhuf = static_cast<double>(lumo::admin::encodeLzw(corpus(), LzwMethod::Lzhuf).size());
    const double zlib9 = static_cast<double>(zlibCompress(corpus(), 9).size());
    state.counters["pack_speed_over_gzip1"] = gzip / pack;
    state.counters["unpack_speed_over_gzip_d"] = gunzip / unpack;
    state.counters["lzhuf_size_over_zlib9"] = lzhuf / zlib9;
}

}  // namespace

BENCHMARK(BM_Lzrw1KhCompress)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibCompress)->Arg(1)->Arg(9)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LzhufCompress)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Lzrw1KhDecompress)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LzhufDecompress)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Lzrw1KhPackFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GzipPackFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Lzrw1KhUnpackFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GzipUnpackFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ArchiveTargets)->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(5);
