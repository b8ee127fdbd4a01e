#pragma once

#include <cstdint>

namespace lumo::formats {

// The event codes a chart's mark word sums over one packet period. The
// thousands digit names the event; the second ticks (0 ... 599) stay below it.
enum MarkCode : std::uint32_t {
    kMarkOnset = 1000,         // question asked
    kMarkQuestionEnd = 2000,
    kMarkAnswerYes = 3000,
    kMarkAnswerNo = 4000,
    kMarkReady = 5000,         // ready for the next question
    kMarkFirstArtefact = 6000, // artefact marks 1 ... 4: 6000 ... 9000
    kMarkTestBegins = 10000,   // the opening 15 s are over
    kMarkTestEnds = 20000,     // the closing 15 s start
    kMarkSpeed = 30000,        // + 1000 x the display speed entry
};
inline constexpr std::uint32_t kMarkDigit = 1000;

// Artefact mark 1 ... 4 from its index 0 ... 3.
constexpr std::uint32_t artefactMark(int index) {
    return kMarkFirstArtefact + kMarkDigit * static_cast<std::uint32_t>(index);
}
// The display speed entry k (0 = standard ... 3 = standard x 4).
constexpr std::uint32_t speedMark(int entry) {
    return kMarkSpeed + kMarkDigit * static_cast<std::uint32_t>(entry);
}

// The event digit of a mark word: (mark div 1000) mod 10 below 30000 (so the
// test's begin 10000 and end 20000 show as 0); the speed codes from 30000 on
// carry no event and give 0, and so do words below 0.
constexpr int markEvent(std::int64_t mark) {
    return mark >= 0 && mark < kMarkSpeed ? static_cast<int>((mark / kMarkDigit) % 10) : 0;
}

// Digits 6 ... 9: an artefact mark, alone or summed with other events.
constexpr bool isArtefactMark(std::int64_t mark) {
    return markEvent(mark) >= markEvent(kMarkFirstArtefact);
}

}  // namespace lumo::formats
