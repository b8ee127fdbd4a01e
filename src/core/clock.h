#pragma once

#include <cstdint>
#include <string>

namespace lumo::core {

struct Date {
    int year = 2000;
    int month = 1;
    int day = 1;
    bool operator==(const Date&) const = default;
};

// "dd-mm-yyyy": the one date form of every file and screen.
std::string formatDate(const Date& date);

// Time as the system sees it. Everything that waits or stamps takes a Clock,
// so tests run on a clock they move themselves.
class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds from an arbitrary start; never goes back.
    virtual std::int64_t milliseconds() const = 0;
    virtual Date today() const = 0;
    // "hh:mm:ss" of the local time of day.
    virtual std::string timeOfDay() const = 0;
};

class SystemClock final : public Clock {
public:
    std::int64_t milliseconds() const override;
    Date today() const override;
    std::string timeOfDay() const override;
};

// A clock that only moves when told to.
class ManualClock final : public Clock {
public:
    explicit ManualClock(Date today = {2001, 3, 7}) : today_(today) {}
    std::int64_t milliseconds() const override { return milliseconds_; }
    Date today() const override { return today_; }
    std::string timeOfDay() const override;
    void advance(std::int64_t milliseconds) { milliseconds_ += milliseconds; }

private:
    std::int64_t milliseconds_ = 0;
    Date today_;
};

}  // namespace lumo::core
