#include "formats/edf_writer.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

#include "core/atomic_file.h"
#include "core/cp1251.h"
#include "core/errors.h"

namespace lumo::formats {

namespace {

constexpr std::size_t kFixedHeaderSize = 256;
constexpr std::size_t kSignalHeaderSize = 256;

// Windows-1251 0xC0 ... 0xFF: А ... Я, а ... я.
constexpr std::array<const char*, 32> kCyrillicUpper = {
    "A", "B", "V", "G", "D", "E", "Zh", "Z", "I", "Y", "K", "L", "M", "N", "O", "P",
    "R", "S", "T", "U", "F", "Kh", "Ts", "Ch", "Sh", "Shch", "", "Y", "", "E", "Yu", "Ya"};
constexpr std::array<const char*, 32> kCyrillicLower = {
    "a", "b", "v", "g", "d", "e", "zh", "z", "i", "y", "k", "l", "m", "n", "o", "p",
    "r", "s", "t", "u", "f", "kh", "ts", "ch", "sh", "shch", "", "y", "", "e", "yu", "ya"};

constexpr std::array<const char*, 12> kMonths = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                 "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

// A header field: ASCII, cut to its width and padded with spaces.
void putField(std::string& out, std::string_view text, std::size_t width) {
    std::string field = edfAscii(text).substr(0, width);
    field.resize(width, ' ');
    out += field;
}

std::string twoDigits(int value) {
    const int v = std::abs(value) % 100;
    return {static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)};
}

// Locale-independent fixed notation with `decimals` places, trailing zeros dropped.
std::string fixedText(double value, int decimals) {
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    std::string text(buffer.data(), result.ptr);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    if (text == "-0") text = "0";
    return text;
}

double parsed(const std::string& text) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// The widest precision whose text fits 8 characters, rounded outwards.
std::string boundText(double value, bool upper) {
    for (int decimals = 6; decimals >= 0; --decimals) {
        const double scale = std::pow(10.0, decimals);
        const double rounded = (upper ? std::ceil(value * scale) : std::floor(value * scale)) / scale;
        std::string text = fixedText(rounded, decimals);
        if (text.size() <= 8) return text;
    }
    return upper ? "99999999" : "-9999999";
}

std::int16_t digital(float sample, double minimum, double maximum) {
    const double span = double(kEdfDigitalMaximum) - kEdfDigitalMinimum;
    const double scaled = (double(sample) - minimum) / (maximum - minimum) * span + kEdfDigitalMinimum;
    return static_cast<std::int16_t>(std::clamp(std::lround(scaled), long(kEdfDigitalMinimum), long(kEdfDigitalMaximum)));
}

void putSample(std::string& out, std::int16_t value) {
    const auto bits = static_cast<std::uint16_t>(value);
    out += static_cast<char>(bits & 0xFF);
    out += static_cast<char>(bits >> 8);
}

// Onset text of a TAL: sign and seconds, as short as exactness allows.
std::string onsetText(double seconds) {
    return (seconds < 0 ? "-" : "+") + fixedText(std::abs(seconds), 6);
}

// The annotation bytes of every record: its time-keeping TAL first.
std::vector<std::string> annotationRecords(const EdfRecording& recording, std::size_t records) {
    std::vector<std::string> out(records);
    for (std::size_t r = 0; r < records; ++r) out[r] = onsetText(double(r)) + "\x14\x14" + '\0';
    for (const EdfAnnotation& annotation : recording.annotations) {
        const double clamped = std::clamp(annotation.onset, 0.0, double(records - 1));
        const auto r = static_cast<std::size_t>(std::floor(clamped));
        out[r] += onsetText(annotation.onset) + "\x14" + annotation.text + "\x14" + '\0';
    }
    return out;
}

void putSignalHeaders(std::string& out, const EdfRecording& recording, const std::vector<EdfRange>& ranges,
                      int annotationSamples) {
    const std::size_t count = recording.signals.size();
    auto each = [&](auto field, std::size_t width) {
        for (std::size_t s = 0; s < count; ++s) putField(out, field(s), width);
        putField(out, field(count), width);
    };
    const auto& signals = recording.signals;
    each([&](std::size_t s) { return s < count ? signals[s].label : std::string(kEdfAnnotationsLabel); }, 16);
    each([](std::size_t) { return std::string(); }, 80);
    each([&](std::size_t s) { return s < count ? signals[s].dimension : std::string(); }, 8);
    each([&](std::size_t s) { return s < count ? ranges[s].minimum : std::string("-1"); }, 8);
    each([&](std::size_t s) { return s < count ? ranges[s].maximum : std::string("1"); }, 8);
    each([](std::size_t) { return std::to_string(kEdfDigitalMinimum); }, 8);
    each([](std::size_t) { return std::to_string(kEdfDigitalMaximum); }, 8);
    each([](std::size_t) { return std::string(); }, 80);
    each([&](std::size_t s) { return std::to_string(s < count ? recording.samplesPerRecord : annotationSamples); }, 8);
    each([](std::size_t) { return std::string(); }, 32);
}

}  // namespace

std::string edfAscii(std::string_view utf8) {
    std::string out;
    for (const char c : core::toCp1251(utf8)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            out += c;
        } else if (byte >= 0xC0) {
            out += byte < 0xE0 ? kCyrillicUpper[byte - 0xC0] : kCyrillicLower[byte - 0xE0];
        } else if (byte == 0xA8 || byte == 0xB8) {
            out += byte == 0xA8 ? "Yo" : "yo";
        } else {
            out += '?';
        }
    }
    return out;
}

std::string edfSubfield(std::string_view utf8) {
    std::string text = edfAscii(utf8);
    std::replace(text.begin(), text.end(), ' ', '_');
    return text.empty() ? "X" : text;
}

std::string edfPatientField(std::string_view code, std::string_view name) {
    return edfSubfield(code) + " X X " + edfSubfield(name);
}

std::string edfRecordingField(const EdfStart& start, const std::vector<std::string>& subfields) {
    std::string out = "Startdate " + twoDigits(start.day) + "-" +
                      kMonths[static_cast<std::size_t>(std::clamp(start.month, 1, 12) - 1)] + "-" +
                      std::to_string(start.year);
    for (const std::string& subfield : subfields) out += " " + edfSubfield(subfield);
    return out;
}

EdfRange edfPhysicalRange(double minimum, double maximum) {
    if (!(minimum <= maximum)) std::swap(minimum, maximum);
    EdfRange range{boundText(minimum, false), boundText(maximum, true)};
    if (parsed(range.maximum) <= parsed(range.minimum)) range.maximum = boundText(parsed(range.minimum) + 1, true);
    return range;
}

std::string encodeEdf(const EdfRecording& recording) {
    const std::size_t perRecord = static_cast<std::size_t>(std::max(recording.samplesPerRecord, 1));
    std::size_t longest = 0;
    for (const EdfSignal& signal : recording.signals) longest = std::max(longest, signal.samples.size());
    const std::size_t records = std::max<std::size_t>((longest + perRecord - 1) / perRecord, 1);

    const std::vector<std::string> tals = annotationRecords(recording, records);
    std::size_t talBytes = 0;
    for (const std::string& tal : tals) talBytes = std::max(talBytes, tal.size());
    const auto annotationSamples = static_cast<int>((talBytes + 1) / 2);

    std::vector<EdfRange> ranges;
    for (const EdfSignal& signal : recording.signals)
        ranges.push_back(edfPhysicalRange(signal.physicalMinimum, signal.physicalMaximum));

    const std::size_t signalCount = recording.signals.size() + 1;
    const EdfStart& start = recording.start;
    std::string out;
    putField(out, "0", 8);
    putField(out, recording.patient, 80);
    putField(out, recording.recording, 80);
    putField(out, twoDigits(start.day) + "." + twoDigits(start.month) + "." + twoDigits(start.year), 8);
    putField(out, twoDigits(start.hour) + "." + twoDigits(start.minute) + "." + twoDigits(start.second), 8);
    putField(out, std::to_string(kFixedHeaderSize + kSignalHeaderSize * signalCount), 8);
    putField(out, "EDF+C", 44);
    putField(out, std::to_string(records), 8);
    putField(out, "1", 8);
    putField(out, std::to_string(signalCount), 4);
    putSignalHeaders(out, recording, ranges, annotationSamples);

    for (std::size_t r = 0; r < records; ++r) {
        for (std::size_t s = 0; s < recording.signals.size(); ++s) {
            const std::vector<float>& samples = recording.signals[s].samples;
            const double minimum = parsed(ranges[s].minimum), maximum = parsed(ranges[s].maximum);
            for (std::size_t i = r * perRecord; i < (r + 1) * perRecord; ++i) {
                const float sample = samples.empty() ? float(minimum) : samples[std::min(i, samples.size() - 1)];
                putSample(out, digital(sample, minimum, maximum));
            }
        }
        std::string tal = tals[r];
        tal.resize(static_cast<std::size_t>(annotationSamples) * 2, '\0');
        out += tal;
    }
    return out;
}

void saveEdf(const std::filesystem::path& file, const EdfRecording& recording, bool overwrite) {
    std::error_code error;
    if (!overwrite && std::filesystem::exists(file, error))
        throw EInOutError("File " + file.string() + " already exists");
    core::writeFileAtomically(file, encodeEdf(recording));
}

}  // namespace lumo::formats
