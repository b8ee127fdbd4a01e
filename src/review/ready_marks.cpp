#include "review/ready_marks.h"

#include <algorithm>

#include "formats/mark_word.h"

namespace lumo::review {

std::vector<std::size_t> lonelyReadyMarks(const formats::TarrWord& marks, std::size_t walked) {
    constexpr std::size_t kMostMarks = 60;
    std::vector<std::size_t> lonely;
    int questionEvents = 0;
    const std::size_t end = std::min(walked, marks.size());
    for (std::size_t p = 0; p < end && lonely.size() < kMostMarks; ++p) {
        if (marks[p] >= formats::kMarkSpeed) continue;
        const int digit = formats::markEvent(marks[p]);
        if (digit >= 1 && digit <= 4) ++questionEvents;
        if (digit == 5) {
            if (questionEvents < 3) lonely.push_back(p);
            questionEvents = 0;
        }
    }
    return lonely;
}

}  // namespace lumo::review
