#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lumo::formats {

// One ordinary signal of an EDF+ file: its samples at a fixed rate, stored as
// 16-bit digital values spread over the physical range.
struct EdfSignal {
    std::string label;      // UTF-8; made ASCII for the header
    std::string dimension;  // physical dimension, may be empty
    double physicalMinimum = 0;
    double physicalMaximum = 1;
    std::vector<float> samples;
};

// One annotation: onset in seconds from the file's start, UTF-8 text.
struct EdfAnnotation {
    double onset = 0;
    std::string text;
};

struct EdfStart {
    int day = 1, month = 1, year = 1985;
    int hour = 0, minute = 0, second = 0;
};

// A continuous EDF+ recording (EDF+C) with data records of one second.
struct EdfRecording {
    std::string patient;    // the identification fields, already composed
    std::string recording;
    EdfStart start;
    int samplesPerRecord = 32;  // of every ordinary signal
    std::vector<EdfSignal> signals;
    std::vector<EdfAnnotation> annotations;
};

inline constexpr int kEdfDigitalMinimum = -32768;
inline constexpr int kEdfDigitalMaximum = 32767;
inline constexpr std::string_view kEdfAnnotationsLabel = "EDF Annotations";

// UTF-8 text as printable ASCII: Cyrillic transliterated, anything else "?".
std::string edfAscii(std::string_view utf8);
// A header subfield: ASCII, spaces as "_", "X" when empty.
std::string edfSubfield(std::string_view utf8);
// The patient field: code, sex, birthdate and name subfields.
std::string edfPatientField(std::string_view code, std::string_view name);
// The recording field: "Startdate dd-MMM-yyyy" and the further subfields.
std::string edfRecordingField(const EdfStart& start, const std::vector<std::string>& subfields);

// The physical range as the 8-character header fields hold it: widened to
// contain [minimum, maximum] and never empty.
struct EdfRange {
    std::string minimum, maximum;
};
EdfRange edfPhysicalRange(double minimum, double maximum);

// The whole file. The ordinary signals are padded with their last sample to
// whole records; every record holds its time-keeping annotation and the
// annotations whose onset lies within it.
std::string encodeEdf(const EdfRecording& recording);

// Writes the file atomically; EInOutError naming it when it exists and
// `overwrite` is false, or when it cannot be written.
void saveEdf(const std::filesystem::path& file, const EdfRecording& recording, bool overwrite);

}  // namespace lumo::formats
