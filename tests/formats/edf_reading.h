#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lumo::formats {

// A reader of the EDF+ files we write, independent of the writer's code; it
// checks the layout with gtest expectations as it reads.
struct ReadSignal {
    std::string label, dimension;
    double physicalMinimum = 0, physicalMaximum = 0;
    int digitalMinimum = 0, digitalMaximum = 0, samplesPerRecord = 0;
    std::vector<std::int16_t> digital;
    double physical(std::size_t i) const {
        return physicalMinimum + (double(digital[i]) - digitalMinimum) * (physicalMaximum - physicalMinimum) /
                                     (double(digitalMaximum) - digitalMinimum);
    }
};
struct ReadEdf {
    std::string version, patient, recording, startDate, startTime, reserved;
    int headerBytes = 0, records = 0, signalCount = 0;
    double recordSeconds = 0;
    std::vector<ReadSignal> edfSignals;  // the annotation signal too; "signals" is a Qt keyword
    std::vector<std::vector<std::string>> tals;  // per record: "onset|text" of each TAL
    bool asciiHeader = true;
};

ReadEdf readEdf(const std::string& bytes);

}  // namespace lumo::formats
