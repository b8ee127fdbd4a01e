#include "review/scroll_res_positions.h"

#include <algorithm>
#include <cmath>

namespace lumo::review {

double speedAfterMark(std::uint16_t mark, double speed) {
    const int entry = mark / 1000;
    return entry >= 31 && entry <= 34 ? (entry - 30) * kStandardSpeed : speed;
}

std::vector<double> paperPositions(const formats::TarrWord& marks, std::size_t count, double unitsPerInch) {
    count = std::min(count, marks.size());
    std::vector<double> positions(count);
    double speed = kStandardSpeed;
    double sum = 0;
    for (std::size_t p = 0; p < count; ++p) {
        speed = speedAfterMark(marks[p], speed);
        if (p > 0) sum += unitsPerInch * speed / kPointsPerSecond;
        positions[p] = sum;
    }
    return positions;
}

ScreenPositions::ScreenPositions(const formats::TarrWord& marks, std::size_t count, double resolution, int zoom)
    : x_(paperPositions(marks, count, resolution * zoom)) {
    // Halves go to the even neighbour, as every rounding of the workstation.
    for (double& x : x_) x = std::nearbyint(x);
    columns_.reserve(x_.empty() ? 0 : static_cast<std::size_t>(std::max(0.0, x_.back())));
    for (std::size_t p = 1; p < x_.size(); ++p) {
        for (auto c = static_cast<long long>(x_[p - 1]); c < static_cast<long long>(x_[p]); ++c) {
            columns_.push_back(static_cast<std::uint32_t>(p));
        }
    }
}

int ScreenPositions::totalWidth() const {
    return x_.empty() ? -1 : static_cast<int>(x_.back()) - 1;
}

std::size_t ScreenPositions::pointAtColumn(long long column) const {
    if (x_.empty() || column < 0) return 0;
    if (static_cast<std::size_t>(column) >= columns_.size()) return x_.size() - 1;
    return columns_[static_cast<std::size_t>(column)];
}

std::size_t ScreenPositions::firstPointFrom(double x) const {
    return static_cast<std::size_t>(std::lower_bound(x_.begin(), x_.end(), x) - x_.begin());
}

}  // namespace lumo::review
