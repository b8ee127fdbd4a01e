#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/chart_block.h"

namespace lumo::formats {

// One point of a chart channel: the stored block (range, adc, dac) and its
// unified value. A plain record: TChannelBlock{} is all zero.
struct TChannelBlock {
    std::uint8_t range;
    std::int16_t adc;
    std::uint16_t dac;
    float value;

    TChartBlock block() const { return {range, adc, dac}; }
    static TChannelBlock of(const TChartBlock& block, float value) {
        return {block.range, block.adc, block.dac, value};
    }
};
using TarrChannelBlock = std::vector<TChannelBlock>;
using Tarr2ChannelBlock = std::vector<TarrChannelBlock>;
using TarrWord = std::vector<std::uint16_t>;
using TarrSingle = std::vector<float>;

inline constexpr int kMaxChartChannels = 64;
inline constexpr int kMaxChartRanges = 64;
inline constexpr int kChartPointsPerRecord = 4;
inline constexpr std::size_t kChartSignatureSize = 4;  // "RI", 0x07, 0x01

// Bytes of one sample record of a chart with `channels` channels of which `fast` are fast.
std::size_t chartRecordSize(int channels, int fast);

// The first four bytes of every chart file.
std::string chartSignature();
// The header after the signature: counts, the unit's constants and the gains
// (the test run appends it once the unit has reported them).
std::string encodeChartHeader(int channels, int fast, float dacZero, float adcZero, float dacScale,
                              std::span<const float> gains);
// Appends one sample record: `fastBlocks` holds sub-sample 0 of every fast
// channel, then sub-sample 1, ... 3 (4 x fast blocks); `slowBlocks` one
// block per slow channel.
void appendChartRecord(std::string& out, std::span<const TChartBlock> fastBlocks,
                       std::span<const TChartBlock> slowBlocks, std::uint16_t mark);

// A chart in memory at four points per record, 32 points per second. The
// slow channels' points between two records are interpolated.
class TLumoChart_7_1 {
public:
    virtual ~TLumoChart_7_1() = default;

    // Reads a chart from the stream's position to its end. A damaged chart
    // (magic, version, counts outside 1 ... 64, a truncated header, constants
    // that are not numbers, a range beyond the header's gains, a size beyond
    // what memory can hold) raises EInOutError; the object is then not used.
    // A header without a complete record gives an empty chart: count 0, every
    // minimum 0 and maximum 1. Bytes of an incomplete last record are ignored.
    virtual void LoadFromStream(std::istream& stream);
    // Writes the header and one record per four points; EListError when the
    // counts do not match the arrays or the arrays are short of count.
    virtual void SaveToStream(std::ostream& stream) const;
    virtual void LoadFromFile(const std::filesystem::path& fileName);
    // Replaces the file whole (atomic write).
    virtual void SaveToFile(const std::filesystem::path& fileName) const;

    // The chart file's bytes; LoadFromStream and LoadFromFile end here.
    void LoadFromBytes(std::string_view bytes);
    std::string SaveToBytes() const;

    // Value of point i of channel c, and the mark word of point i (formats/mark_word.h reads it).
    float value(int channel, std::size_t point) const { return channels[static_cast<std::size_t>(channel)][point].value; }
    std::uint16_t mark(std::size_t point) const { return marks[point]; }

    Tarr2ChannelBlock channels;
    TarrWord marks;
    std::int32_t channelCount = 0;
    std::int32_t fastCount = 0;
    std::int32_t rangeCount = 0;
    float dacZero = 0;
    float adcZero = 0;
    float dacScale = 0;
    TarrSingle gains;
    std::uint32_t count = 0;  // points per channel: 4 x records - 3, 0 without records
    TarrSingle minima;
    TarrSingle maxima;
};

}  // namespace lumo::formats
