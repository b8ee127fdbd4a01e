#include "recording/test_run_files.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#include "core/errors.h"
#include "formats/chart.h"

namespace lumo::recording {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void failed(const fs::path& file) {
    const int error = errno;
    throw EInOutError("Cannot write file \"" + file.string() + "\"" + (error != 0 ? std::string(": ") + std::strerror(error) : std::string()));
}

}  // namespace

ChartWriter::ChartWriter(fs::path chartFile, fs::path screenFile)
    : chartFile_(std::move(chartFile)), screenFile_(std::move(screenFile)) {
    chart_.open(chartFile_, std::ios::binary | std::ios::trunc);
    if (!chart_) failed(chartFile_);
    const std::string signature = formats::chartSignature();
    chart_.write(signature.data(), static_cast<std::streamsize>(signature.size()));
    chart_.flush();
    if (!chart_) failed(chartFile_);
    screen_.open(screenFile_, std::ios::binary | std::ios::trunc);
    if (!screen_) failed(screenFile_);
    chartBuffer_.reserve(kBlockBytes + 64);
    screenBuffer_.reserve(kBlockBytes + 64);
}

ChartWriter::~ChartWriter() = default;

void ChartWriter::writeHeader(const formats::UnitConstants& unit) {
    if (headerWritten_) return;
    const std::string header =
        formats::encodeChartHeader(8, 1, unit.dacZero, unit.adcZero, unit.dacScale, std::span<const float>(unit.gains));
    chart_.write(header.data(), static_cast<std::streamsize>(header.size()));
    chart_.flush();
    if (!chart_) failed(chartFile_);
    headerWritten_ = true;
}

void ChartWriter::appendRecord(std::span<const formats::TChartBlock, 4> fast,
                               std::span<const formats::TChartBlock, 7> slow, std::uint16_t mark) {
    formats::appendChartRecord(chartBuffer_, fast, slow, mark);
    ++records_;
    if (chartBuffer_.size() >= kBlockBytes) flushChart();
}

void ChartWriter::appendScreenHeader(const std::array<std::int32_t, formats::kScreenChannels>& bandHeights) {
    screenBuffer_ += formats::encodeScreenHeader(bandHeights);
    if (screenBuffer_.size() >= kBlockBytes) flushScreen();
}

void ChartWriter::appendScreenEvent(const formats::ScreenEvent& event) {
    formats::appendScreenEvent(screenBuffer_, event);
    if (screenBuffer_.size() >= kBlockBytes) flushScreen();
}

void ChartWriter::append(std::ofstream& stream, std::string& buffer, const fs::path& file) {
    if (buffer.empty()) return;
    if (!stream.is_open()) failed(file);
    stream.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    stream.flush();
    if (!stream) failed(file);
    buffer.clear();
}

void ChartWriter::flushChart() {
    append(chart_, chartBuffer_, chartFile_);
}

void ChartWriter::flushScreen() {
    append(screen_, screenBuffer_, screenFile_);
}

void ChartWriter::finish() {
    flushChart();
    flushScreen();
    chart_.close();
    if (chart_.fail()) failed(chartFile_);
    screen_.close();
    if (screen_.fail()) failed(screenFile_);
}

void ChartWriter::remove() {
    chart_.close();
    screen_.close();
    chartBuffer_.clear();
    screenBuffer_.clear();
    std::error_code ignored;
    fs::remove(chartFile_, ignored);
    fs::remove(screenFile_, ignored);
}

}  // namespace lumo::recording
