#include "formats/edf_reading.h"

#include <gtest/gtest.h>

namespace lumo::formats {

namespace {

std::string trimRight(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

}  // namespace

ReadEdf readEdf(const std::string& bytes) {
    ReadEdf edf;
    std::size_t at = 0;
    auto field = [&](std::size_t width) {
        const std::string text = bytes.substr(at, width);
        for (const char c : text) edf.asciiHeader &= c >= 0x20 && c < 0x7F;
        at += width;
        return trimRight(text);
    };
    edf.version = field(8);
    edf.patient = field(80);
    edf.recording = field(80);
    edf.startDate = field(8);
    edf.startTime = field(8);
    edf.headerBytes = std::stoi(field(8));
    edf.reserved = field(44);
    edf.records = std::stoi(field(8));
    edf.recordSeconds = std::stod(field(8));
    edf.signalCount = std::stoi(field(4));
    edf.edfSignals.resize(static_cast<std::size_t>(edf.signalCount));
    for (auto& s : edf.edfSignals) s.label = field(16);
    for (auto& s : edf.edfSignals) field(80);
    for (auto& s : edf.edfSignals) s.dimension = field(8);
    for (auto& s : edf.edfSignals) s.physicalMinimum = std::stod(field(8));
    for (auto& s : edf.edfSignals) s.physicalMaximum = std::stod(field(8));
    for (auto& s : edf.edfSignals) s.digitalMinimum = std::stoi(field(8));
    for (auto& s : edf.edfSignals) s.digitalMaximum = std::stoi(field(8));
    for (auto& s : edf.edfSignals) field(80);
    for (auto& s : edf.edfSignals) s.samplesPerRecord = std::stoi(field(8));
    for (auto& s : edf.edfSignals) field(32);
    EXPECT_EQ(at, std::size_t(edf.headerBytes));
    std::size_t recordBytes = 0;
    for (auto& s : edf.edfSignals) recordBytes += 2 * std::size_t(s.samplesPerRecord);
    EXPECT_EQ(bytes.size(), at + recordBytes * std::size_t(edf.records)) << "records of unequal size";
    for (int r = 0; r < edf.records; ++r) {
        for (auto& s : edf.edfSignals) {
            std::string raw = bytes.substr(at, 2 * std::size_t(s.samplesPerRecord));
            at += raw.size();
            if (s.label == "EDF Annotations") {
                std::vector<std::string> tals;
                for (std::size_t p = 0; p < raw.size() && raw[p] != '\0';) {
                    const std::size_t end = raw.find('\0', p);
                    std::string tal = raw.substr(p, end - p);
                    EXPECT_EQ(tal.back(), '\x14');
                    const std::size_t first = tal.find('\x14');
                    tals.push_back(tal.substr(0, first) + "|" + tal.substr(first + 1, tal.size() - first - 2));
                    p = end + 1;
                }
                edf.tals.push_back(tals);
                continue;
            }
            for (std::size_t i = 0; i < raw.size(); i += 2)
                s.digital.push_back(static_cast<std::int16_t>(std::uint8_t(raw[i]) | (std::uint8_t(raw[i + 1]) << 8)));
        }
    }
    return edf;
}

}  // namespace lumo::formats
