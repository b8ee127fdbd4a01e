#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "formats/chart.h"

namespace lumo::review {

inline constexpr double kStandardSpeed = 0.1;  // inch per second
inline constexpr double kPointsPerSecond = 32;

// The paper speed after a mark word: the speed entries 31 ... 34 (mark div
// 1000) stand for 0.1 ... 0.4 inch per second; any other word keeps `speed`.
double speedAfterMark(std::uint16_t mark, double speed);

// Where every point of the chart's first `count` points lies, in units of
// which `unitsPerInch` make an inch, from the chart's start: the running sum
// of one step per point at the paper speed in force.
std::vector<double> paperPositions(const formats::TarrWord& marks, std::size_t count, double unitsPerInch);

// The screen positions: x(p) the running sum rounded to a pixel, and the
// point drawn in every screen column.
class ScreenPositions {
public:
    ScreenPositions() = default;
    // `resolution` in pixels per inch, `zoom` 1 or 5.
    ScreenPositions(const formats::TarrWord& marks, std::size_t count, double resolution, int zoom);

    std::size_t count() const { return x_.size(); }
    double x(std::size_t point) const { return x_[point]; }
    const std::vector<double>& xs() const { return x_; }
    // x(count - 1) - 1; -1 without points to the right of the first.
    int totalWidth() const;
    // The point drawn in a column counted from the chart's start; columns
    // before the first point give 0, those after the last the last one.
    std::size_t pointAtColumn(long long column) const;
    // The first point at or after chart x (count() when none).
    std::size_t firstPointFrom(double x) const;

private:
    std::vector<double> x_;
    std::vector<std::uint32_t> columns_;  // column c shows point columns_[c]
};

}  // namespace lumo::review
