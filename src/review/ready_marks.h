#pragma once

#include <cstddef>
#include <vector>

#include "formats/chart.h"

namespace lumo::review {

// The ready marks (thousands digit 5) worth drawing: those after fewer than
// three question events (digits 1 ... 4) since the previous ready mark, among
// the mark words below 30000 of points 0 ... walked - 1; at most 60, in order.
// Both review views draw a ready mark only when it is lonely: a ready mark
// after a whole question says nothing new.
std::vector<std::size_t> lonelyReadyMarks(const formats::TarrWord& marks, std::size_t walked);

}  // namespace lumo::review
