#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>

#include "formats/chart_block.h"
#include "formats/screen_settings.h"

namespace lumo::recording {

// The chart and screen-settings files of one test while it records: each is
// appended from a memory buffer in 32 KB blocks, so a packet period never
// waits on the disk except at those flushes. Write failures raise EInOutError
// naming the file; what reached the disk stays there.
class ChartWriter {
public:
    static constexpr std::size_t kBlockBytes = 32768;

    // Creates (or truncates) the chart file with its signature and an empty
    // screen-settings file.
    ChartWriter(std::filesystem::path chartFile, std::filesystem::path screenFile);
    ~ChartWriter();
    ChartWriter(const ChartWriter&) = delete;
    ChartWriter& operator=(const ChartWriter&) = delete;

    // The header after the signature, straight to the file. A unit that
    // reconnects reports its constants again; the chart keeps the first
    // header only, so the records stay aligned.
    void writeHeader(const formats::UnitConstants& unit);

    // One sample record: channel 0 at four instants, channels 1 ... 7, the mark word.
    void appendRecord(std::span<const formats::TChartBlock, 4> fast, std::span<const formats::TChartBlock, 7> slow,
                      std::uint16_t mark);
    void appendScreenHeader(const std::array<std::int32_t, formats::kScreenChannels>& bandHeights);
    void appendScreenEvent(const formats::ScreenEvent& event);

    std::size_t records() const { return records_; }
    const std::filesystem::path& chartFile() const { return chartFile_; }
    const std::filesystem::path& screenFile() const { return screenFile_; }

    // Flushes both buffers and closes the files.
    void finish();
    // Closes and deletes both files; never raises.
    void remove();

private:
    void flushChart();
    void flushScreen();
    static void append(std::ofstream& stream, std::string& buffer, const std::filesystem::path& file);

    std::filesystem::path chartFile_;
    std::filesystem::path screenFile_;
    std::ofstream chart_;
    std::ofstream screen_;
    std::string chartBuffer_;
    std::string screenBuffer_;
    bool headerWritten_ = false;
    std::size_t records_ = 0;
};

}  // namespace lumo::recording
