#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

#include "device/lumo_device.h"

namespace lumo::tools {

// Prints what the driver reports: one JSON object per line (--json), or a
// readable account for the technician. Every line is flushed at once.
class UnitReport {
public:
    UnitReport(bool json, std::FILE* out);

    // Subscribes to every notification of the driver.
    void attach(device::TLumoDevice_7_2& driver);
    // Runs once, when streaming first starts.
    std::function<void()> onFirstStream;

    void error(const std::string& message);
    // The closing account (readable mode only): packets per second, ranges.
    void summary(const device::TLumoDevice_7_2& driver, double seconds);

    int samples() const { return samples_; }
    int linkErrors() const { return linkErrors_; }

private:
    void line(const std::string& text);
    void sample(device::TLumoDevice_7_2& driver);

    bool json_;
    std::FILE* out_;
    bool streamed_ = false;
    int samples_ = 0;
    int linkErrors_ = 0;
    int commandsDone_ = 0;
    int commandsFailed_ = 0;
    std::int64_t firstSampleAt_ = -1;
    std::int64_t lastSampleAt_ = -1;
    std::int64_t lastStatusAt_ = -1;
    std::uint32_t lastCommitted_ = 0;  // the driver's last counter at the previous sample
    int commits_ = 0;
    std::array<int, 7> lowest_{};
    std::array<int, 7> highest_{};
};

// A float as JSON with at least 9 significant digits (null when no number).
std::string jsonNumber(double value);

}  // namespace lumo::tools
