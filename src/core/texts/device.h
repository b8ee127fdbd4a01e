#pragma once

#include <span>

#include "core/string_table.h"

// Texts of the unit link: the calibration window and the channel tuning. English under the odd identifier,
// Russian under the next one.
namespace lumo::txt {

// Channel tuning
inline constexpr int SpyDataReadyFailed = 241;

// Calibration window: instructions and results
inline constexpr int CalibratePlugSensors = 251;
inline constexpr int CalibrateAcquiring = 253;
inline constexpr int CalibratePushButton = 255;
inline constexpr int CalibrateDeviceFailure = 257;
inline constexpr int CalibrateComplete = 259;

// Serial port of the unit: why it cannot be opened
inline constexpr int SerialPortMissing = 261;
inline constexpr int SerialPortNoPermission = 263;
inline constexpr int SerialPortCannotOpen = 265;

std::span<const core::TextPair> deviceTexts();

}  // namespace lumo::txt
