#pragma once

#include <filesystem>
#include <string>

#include "core/clock.h"

namespace lumo::device {

// The skin-resistance conversion of one unit: R (kOhm) = (ChannelValue(5) - zeroRes) * propRes.
struct ResistanceCalibration {
    double zeroRes = 2100.0;
    double propRes = 0.5555556;
    bool stale = true;  // no valid calibration: the defaults above
};

// One small text file per unit, <dataHome>/calibration/<ident>.ini:
//   AdjustDate=dd-mm-yyyy
//   ZeroRes=<double>
//   PropRes=<double>
// with the numbers in their shortest exact form, so they read back bit for bit.

// The calibration stored for the unit `ident` (20 upper-case hex digits) in the data home;
// stale (the defaults) when missing, unreadable, or dated more than 182 days before `today`.
ResistanceCalibration readCalibration(const std::filesystem::path& dataHome, const std::string& ident, const core::Date& today);

// Stores it (atomically) with `day` as its date.
void writeCalibration(const std::filesystem::path& dataHome, const std::string& ident, const core::Date& day, double zeroRes, double propRes);

}  // namespace lumo::device
