#include "core/clock.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace lumo::core {

std::string formatDate(const Date& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d-%02d-%04d", date.day, date.month, date.year);
    return text;
}

namespace {

std::tm localNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

std::string formatTime(long long seconds) {
    char text[16];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", seconds / 3600 % 24, seconds / 60 % 60, seconds % 60);
    return text;
}

}  // namespace

std::int64_t SystemClock::milliseconds() const {
    using namespace std::chrono;
    return duration_cast<std::chrono::milliseconds>(steady_clock::now().time_since_epoch()).count();
}

Date SystemClock::today() const {
    const std::tm local = localNow();
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::string SystemClock::timeOfDay() const {
    const std::tm local = localNow();
    return formatTime(local.tm_hour * 3600LL + local.tm_min * 60LL + local.tm_sec);
}

std::string ManualClock::timeOfDay() const {
    return formatTime(milliseconds_ / 1000);
}

}  // namespace lumo::core
