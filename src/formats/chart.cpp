#include "formats/chart.h"

#include <array>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <istream>
#include <iterator>
#include <limits>
#include <ostream>

#include "core/atomic_file.h"
#include "core/errors.h"

namespace lumo::formats {

namespace {

constexpr std::size_t kHeaderFixedSize = 28;  // signature, three counts, three constants
// Points of all channels together that one chart may hold (a ten-minute test
// has about 154 000): a bound that keeps a damaged size from exhausting memory.
constexpr std::uint64_t kMaxTotalPoints = std::uint64_t{1} << 25;

std::int32_t readI32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
                                     std::uint32_t{p[3]} << 24);
}

float readF32(const std::uint8_t* p) {
    return std::bit_cast<float>(static_cast<std::uint32_t>(readI32(p)));
}

void appendU32(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void appendBlock(std::string& out, const TChartBlock& block) {
    std::uint8_t bytes[kChartBlockSize];
    encodeChartBlock(block, bytes);
    out.append(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

std::string hexByte(std::uint8_t byte) {
    char text[3];
    std::snprintf(text, sizeof text, "%02X", byte);
    return text;
}

[[noreturn]] void damaged(const std::string& what) {
    throw EInOutError("Invalid polygram " + what);
}

// Nearest integer, halves to the even neighbour, for |x| < 2^51: adding and
// taking away 1.5 x 2^52 leaves the rounding to the floating point unit's
// default mode, without a call per point.
inline double roundHalfEven(double x) {
    constexpr double kShift = 6755399441055744.0;
    return (x + kShift) - kShift;
}

// Converts one chart's blocks to values with the header's constants. A value
// is the format's formula to the last bit: the offset's share is taken as
// written (once per dac), and the reading's share by a multiplier with the
// quotient of the gains, which can only differ from the written product and
// quotient in the last places of the double; where that could change the
// single-precision result, the value is computed again as written.
class BlockDecoder {
public:
    explicit BlockDecoder(const TLumoChart_7_1& chart)
        : adcZero_(chart.adcZero), dacZero_(chart.dacZero), dacScale_(chart.dacScale), gain0_(chart.gains[0]),
          rangeCount_(chart.rangeCount) {
        double largestShare = 0;
        for (std::size_t r = 0; r < chart.gains.size(); ++r) {
            const double gain = chart.gains[r];
            gains_[r] = gain;
            toValue_[r] = gain / gain0_;
            toReading_[r] = gain0_ / gain;
            readingScale_[r] = dacScale_ / gain;
            largestShare = std::max(largestShare, (32768 + std::fabs(adcZero_)) * std::fabs(toValue_[r]));
        }
        const double largestOffset = (65535 + std::fabs(dacZero_)) * std::fabs(dacScale_ / gain0_);
        // The two ways differ by a few units in the last place of the largest
        // term (sixteen are allowed); a NaN bound sends every value the long way.
        doubt_ = (std::fabs(adcZero_) + largestShare + largestOffset) * 0x1p-48;
    }

    // The offset's share of a value: (dac - DacZero) x DacScale / Gains[0].
    double offsetShare(std::uint16_t dac) const { return (double(dac) - dacZero_) * dacScale_ / gain0_; }

    // AdcZero + (adc - AdcZero) x Gains[range] / Gains[0] - the offset's share.
    float value(const TChartBlock& block, double offsetShare) const {
        const double reading = double(block.adc) - adcZero_;
        const double share = reading * toValue_[block.range];
        const double quick = adcZero_ + share - offsetShare;
        const float rounded = static_cast<float>(quick);
        // The float is the same unless the doubt reaches a rounding midpoint
        // (at least a quarter of the float's spacing away).
        if (std::fabs(quick - double(rounded)) + doubt_ < std::fabs(double(rounded)) * 0x1p-26) [[likely]] {
            return rounded;
        }
        return static_cast<float>(adcZero_ + reading * gains_[block.range] / gain0_ - offsetShare);
    }

    // The offset's share of a reading in the block's range: (dac - DacZero) x DacScale / Gains[range].
    double readingOffset(const TChartBlock& block) const {
        return (double(block.dac) - dacZero_) * readingScale_[block.range];
    }

    // The converter reading that gives `value` in the range with the reading offset:
    // (value - AdcZero) x Gains[0] / Gains[range] + the reading offset + AdcZero.
    // The quotients of the gains are taken once per chart: the reading is only
    // shown, never scored or saved, and rounds to the same integer unless the
    // quotient lands within a few parts in 10^16 of a half.
    std::int16_t adcFor(float value, std::uint8_t range, double readingOffset) const {
        const double adc = (double(value) - adcZero_) * toReading_[range] + readingOffset + adcZero_;
        if (adc > -32768.0 && adc < 32767.0) [[likely]] return static_cast<std::int16_t>(roundHalfEven(adc));
        // Beyond the reading's 16 bits, or no reading at all for a degenerate
        // gain: the point keeps its value either way.
        if (std::isnan(adc)) return 0;
        return adc > 0 ? std::numeric_limits<std::int16_t>::max() : std::numeric_limits<std::int16_t>::min();
    }

    TChartBlock decode(const std::uint8_t* bytes, std::size_t record, std::size_t channel) const {
        const TChartBlock block = decodeChartBlock(bytes);
        if (block.range >= rangeCount_) [[unlikely]] badRange(block.range, channel, record);
        return block;
    }

private:
    [[noreturn, gnu::noinline, gnu::cold]] void badRange(int range, std::size_t channel, std::size_t record) const {
        damaged("data: range " + std::to_string(range) + " of channel " + std::to_string(channel) + " in record " +
                std::to_string(record) + " is beyond the " + std::to_string(rangeCount_) + " ranges of the header");
    }

    double adcZero_;
    double dacZero_;
    double dacScale_;
    double gain0_;
    double doubt_ = 0;
    int rangeCount_;
    std::array<double, kMaxChartRanges> gains_{};
    std::array<double, kMaxChartRanges> toValue_{};
    std::array<double, kMaxChartRanges> toReading_{};
    std::array<double, kMaxChartRanges> readingScale_{};
};

// The smallest and largest value of a channel, taken point by point in order
// from minimum 1e10 and maximum -1e10: while the two lie closer than 1e-5 the
// maximum is put one above the minimum, so a flat channel still has a range.
class ValueRange {
public:
    void add(float v) {
        if (widened_) {
            minimum_ = v < minimum_ ? v : minimum_;
            maximum_ = v > maximum_ ? v : maximum_;
            return;
        }
        if (v < minimum_) minimum_ = v;
        if (v > maximum_) maximum_ = v;
        if (double(maximum_) - double(minimum_) < 1e-5) {
            maximum_ = static_cast<float>(double(minimum_) + 1);
        } else {
            widened_ = true;  // the range only grows from here: the rule cannot apply again
        }
    }
    float minimum() const { return minimum_; }
    float maximum() const { return maximum_; }

private:
    float minimum_ = 1e10f;
    float maximum_ = -1e10f;
    bool widened_ = false;
};

// The sample records of a chart file.
struct Records {
    const std::uint8_t* first;
    std::size_t size;
    std::size_t count;
};

// The offset's share of the last dac seen: offsets change seldom, so most
// blocks reuse it.
class OffsetShare {
public:
    explicit OffsetShare(const BlockDecoder& decoder) : decoder_(decoder), share_(decoder.offsetShare(0)) {}
    double operator()(std::uint16_t dac) {
        if (dac != dac_) {
            dac_ = dac;
            share_ = decoder_.offsetShare(dac);
        }
        return share_;
    }

private:
    const BlockDecoder& decoder_;
    std::uint16_t dac_ = 0;
    double share_;
};

// Fast channel c of `fast`: four blocks per record, one per sub-sample. The
// last record's sub-samples 1 ... 3 lie beyond count and take no part in the range.
void readFastChannel(const Records& records, const BlockDecoder& decoder, std::size_t c, std::size_t fast,
                     TChannelBlock* out, std::uint32_t count, ValueRange& range) {
    OffsetShare share(decoder);
    const std::uint8_t* record = records.first;
    for (std::size_t m = 0, point = 0; m < records.count; ++m, record += records.size) {
        for (std::size_t s = 0; s < kChartPointsPerRecord; ++s, ++point) {
            const TChartBlock block = decoder.decode(record + (s * fast + c) * kChartBlockSize, m, c);
            const float value = decoder.value(block, share(block.dac));
            out[point] = TChannelBlock::of(block, value);
            if (point < count) range.add(value);
        }
    }
}

// Slow channel c, whose block lies `offset` bytes into each record: one sample
// per record at every fourth point; the three points between two samples lie
// on a straight line, with the first sample's range and offset. Those points
// never leave the span of the two samples, so the samples alone give the range.
void readSlowChannel(const Records& records, const BlockDecoder& decoder, std::size_t c, std::size_t offset,
                     TChannelBlock* out, ValueRange& range) {
    OffsetShare share(decoder);
    TChannelBlock previous{};
    const std::uint8_t* record = records.first + offset;
    for (std::size_t m = 0; m < records.count; ++m, record += records.size, out += kChartPointsPerRecord) {
        const TChartBlock block = decoder.decode(record, m, c);
        const TChannelBlock sample = TChannelBlock::of(block, decoder.value(block, share(block.dac)));
        if (m > 0) {
            const double readingOffset = decoder.readingOffset(previous.block());
            const double a = previous.value;
            const double b = sample.value;
            const float between[3] = {static_cast<float>((3 * a + b) / 4), static_cast<float>((a + b) / 2),
                                      static_cast<float>((a + 3 * b) / 4)};
            for (std::size_t k = 0; k < 3; ++k) {
                TChannelBlock point = previous;
                point.adc = decoder.adcFor(between[k], previous.range, readingOffset);
                point.value = between[k];
                out[static_cast<std::ptrdiff_t>(k) - 3] = point;
            }
        }
        out[0] = sample;
        range.add(sample.value);
        previous = sample;
    }
    // After the last sample a slow channel has no points; the places beyond
    // count repeat it rather than stay empty.
    if (records.count > 0) {
        for (std::ptrdiff_t k = -3; k < 0; ++k) out[k] = previous;
    }
}

std::string readRest(std::istream& stream) {
    std::string bytes;
    const std::istream::pos_type start = stream.tellg();
    if (start != std::istream::pos_type(-1) && stream.seekg(0, std::ios::end)) {
        const std::istream::pos_type end = stream.tellg();
        stream.seekg(start);
        if (end != std::istream::pos_type(-1) && end >= start) {
            bytes.resize(static_cast<std::size_t>(end - start));
            stream.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            bytes.resize(static_cast<std::size_t>(stream.gcount()));
            if (stream.bad()) throw EInOutError("Polygram read error");
            return bytes;
        }
    }
    // A stream that cannot tell its size is read to its end.
    stream.clear();
    bytes.assign(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
    if (stream.bad()) throw EInOutError("Polygram read error");
    return bytes;
}

}  // namespace

std::size_t chartRecordSize(int channels, int fast) {
    return static_cast<std::size_t>(channels + 3 * fast) * kChartBlockSize + 2;
}

std::string chartSignature() {
    return std::string("RI\x07\x01", kChartSignatureSize);
}

std::string encodeChartHeader(int channels, int fast, float dacZero, float adcZero, float dacScale,
                              std::span<const float> gains) {
    std::string out;
    out.reserve(kHeaderFixedSize - kChartSignatureSize + 4 * gains.size());
    appendU32(out, static_cast<std::uint32_t>(channels));
    appendU32(out, static_cast<std::uint32_t>(fast));
    appendU32(out, static_cast<std::uint32_t>(gains.size()));
    for (float constant : {dacZero, adcZero, dacScale}) appendU32(out, std::bit_cast<std::uint32_t>(constant));
    for (float gain : gains) appendU32(out, std::bit_cast<std::uint32_t>(gain));
    return out;
}

void appendChartRecord(std::string& out, std::span<const TChartBlock> fastBlocks,
                       std::span<const TChartBlock> slowBlocks, std::uint16_t mark) {
    for (const TChartBlock& block : fastBlocks) appendBlock(out, block);
    for (const TChartBlock& block : slowBlocks) appendBlock(out, block);
    out += static_cast<char>(mark & 0xFF);
    out += static_cast<char>(mark >> 8);
}

void TLumoChart_7_1::LoadFromBytes(std::string_view bytes) {
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const std::size_t size = bytes.size();
    if (size < 2 || data[0] != 'R' || data[1] != 'I') throw EInOutError("Invalid polygram format");
    if (size < 4) damaged("header: the file ends after " + std::to_string(size) + " bytes");
    if (data[2] != 0x07 || data[3] != 0x01) {
        throw EInOutError("Invalid polygram version: " + hexByte(data[2]) + "." + hexByte(data[3]));
    }
    if (size < kHeaderFixedSize) damaged("header: the file ends after " + std::to_string(size) + " bytes");

    const std::int32_t nc = readI32(data + 4);
    const std::int32_t nf = readI32(data + 8);
    const std::int32_t nr = readI32(data + 12);
    if (nc < 1 || nc > kMaxChartChannels) {
        damaged("header: channel count " + std::to_string(nc) + " is outside 1 ... " + std::to_string(kMaxChartChannels));
    }
    if (nf < 0 || nf > nc) {
        damaged("header: fast channel count " + std::to_string(nf) + " is outside 0 ... " + std::to_string(nc));
    }
    if (nr < 1 || nr > kMaxChartRanges) {
        damaged("header: range count " + std::to_string(nr) + " is outside 1 ... " + std::to_string(kMaxChartRanges));
    }
    const std::size_t headerSize = kHeaderFixedSize + 4 * static_cast<std::size_t>(nr);
    if (size < headerSize) damaged("header: the file ends after " + std::to_string(size) + " bytes");

    channelCount = nc;
    fastCount = nf;
    rangeCount = nr;
    dacZero = readF32(data + 16);
    adcZero = readF32(data + 20);
    dacScale = readF32(data + 24);
    gains.resize(static_cast<std::size_t>(nr));
    bool finite = std::isfinite(dacZero) && std::isfinite(adcZero) && std::isfinite(dacScale);
    for (std::size_t r = 0; r < gains.size(); ++r) {
        gains[r] = readF32(data + kHeaderFixedSize + 4 * r);
        finite = finite && std::isfinite(gains[r]);
    }
    if (!finite) damaged("header: the unit constants are not numbers");
    // Every value is divided by the gain of range 0.
    if (gains[0] == 0) damaged("header: the gain of range 0 is zero");

    const std::size_t recordSize = chartRecordSize(nc, nf);
    const std::size_t records = (size - headerSize) / recordSize;  // a trailing part record is ignored
    const std::size_t points = kChartPointsPerRecord * records;
    if (std::uint64_t{points} * static_cast<std::uint64_t>(nc) > kMaxTotalPoints) {
        damaged("size: " + std::to_string(records) + " records of " + std::to_string(nc) +
                " channels are more than a chart can hold");
    }

    // Every point of every array is written below: arrays that already have
    // the size are not made again.
    channels.resize(static_cast<std::size_t>(nc));
    for (TarrChannelBlock& channel : channels) {
        if (channel.size() != points) {
            channel.clear();
            channel.resize(points);
        }
    }
    marks.assign(points, 0);
    minima.assign(static_cast<std::size_t>(nc), 0.0f);
    maxima.assign(static_cast<std::size_t>(nc), 0.0f);
    count = records > 0 ? static_cast<std::uint32_t>(points - 3) : 0;

    // One channel at a time, so that its state stays at hand and its points
    // are written in order.
    const Records layout{data + headerSize, recordSize, records};
    const BlockDecoder decoder(*this);
    for (std::size_t c = 0; c < static_cast<std::size_t>(nc); ++c) {
        ValueRange range;
        if (c < static_cast<std::size_t>(nf)) {
            readFastChannel(layout, decoder, c, static_cast<std::size_t>(nf), channels[c].data(), count, range);
        } else {
            readSlowChannel(layout, decoder, c, (3 * static_cast<std::size_t>(nf) + c) * kChartBlockSize,
                            channels[c].data(), range);
        }
        if (count == 0) {
            // No points: a unit scale, so that nothing scales by an empty range.
            minima[c] = 0;
            maxima[c] = 1;
        } else if (!std::isfinite(range.minimum()) || !std::isfinite(range.maximum())) {
            damaged("data: the values of channel " + std::to_string(c) + " are out of range");
        } else {
            minima[c] = range.minimum();
            maxima[c] = range.maximum();
        }
    }
    for (std::size_t m = 0; m < records; ++m) {
        const std::uint8_t* word = layout.first + m * recordSize + recordSize - 2;
        marks[kChartPointsPerRecord * m] = static_cast<std::uint16_t>(word[0] | (word[1] << 8));
    }
}

std::string TLumoChart_7_1::SaveToBytes() const {
    if (channelCount < 1 || channelCount > kMaxChartChannels || fastCount < 0 || fastCount > channelCount ||
        rangeCount < 1 || rangeCount > kMaxChartRanges || gains.size() != static_cast<std::size_t>(rangeCount) ||
        channels.size() != static_cast<std::size_t>(channelCount)) {
        throw EListError("List index out of bounds: the chart's counts do not match its arrays");
    }
    const std::size_t records = (std::size_t{count} + 3) / kChartPointsPerRecord;
    const std::size_t fast = static_cast<std::size_t>(fastCount);
    const std::size_t lastSample = records > 0 ? kChartPointsPerRecord * (records - 1) : 0;
    for (std::size_t c = 0; c < channels.size(); ++c) {
        const std::size_t needed = records == 0 ? 0 : (c < fast ? kChartPointsPerRecord * records : lastSample + 1);
        if (channels[c].size() < needed) {
            throw EListError("List index out of bounds (" + std::to_string(needed - 1) + "): channel " +
                             std::to_string(c) + " has " + std::to_string(channels[c].size()) + " points");
        }
    }
    if (records > 0 && marks.size() < lastSample + 1) {
        throw EListError("List index out of bounds (" + std::to_string(lastSample) + "): the chart has " +
                         std::to_string(marks.size()) + " marks");
    }

    std::string out = chartSignature();
    out += encodeChartHeader(channelCount, fastCount, dacZero, adcZero, dacScale, gains);
    out.reserve(out.size() + records * chartRecordSize(channelCount, fastCount));
    for (std::size_t m = 0; m < records; ++m) {
        const std::size_t base = kChartPointsPerRecord * m;
        for (std::size_t s = 0; s < kChartPointsPerRecord; ++s) {
            for (std::size_t c = 0; c < fast; ++c) appendBlock(out, channels[c][base + s].block());
        }
        for (std::size_t c = fast; c < channels.size(); ++c) appendBlock(out, channels[c][base].block());
        out += static_cast<char>(marks[base] & 0xFF);
        out += static_cast<char>(marks[base] >> 8);
    }
    return out;
}

void TLumoChart_7_1::LoadFromStream(std::istream& stream) {
    LoadFromBytes(readRest(stream));
}

void TLumoChart_7_1::SaveToStream(std::ostream& stream) const {
    const std::string bytes = SaveToBytes();
    stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!stream) throw EInOutError("Polygram write error");
}

void TLumoChart_7_1::LoadFromFile(const std::filesystem::path& fileName) {
    std::ifstream file(fileName, std::ios::binary);
    if (!file) throw EInOutError("Cannot open file \"" + fileName.string() + "\": " + std::strerror(errno));
    LoadFromStream(file);
}

void TLumoChart_7_1::SaveToFile(const std::filesystem::path& fileName) const {
    core::writeFileAtomically(fileName, SaveToBytes());
}

}  // namespace lumo::formats
