#include "platform/Regional.h"

#include <ctime>

namespace permora::platform {

RegionalSettings UserRegionalSettings() {
    return RegionalSettings{};
}

LocalTime CurrentLocalTime() {
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    LocalTime t;
    t.Year = tm.tm_year + 1900;
    t.Month = tm.tm_mon + 1;
    t.Day = tm.tm_mday;
    t.DayOfWeek = tm.tm_wday;
    t.Hour = tm.tm_hour;
    t.Minute = tm.tm_min;
    t.Second = tm.tm_sec;
    return t;
}

}  // namespace permora::platform
