#pragma once
// Configuration files and a log clock for the window tests.
#include <string>

#include "files/ActivityLog.h"

namespace permora::test {

// The date and time every line of a FixedClock log starts with.
inline constexpr char kLogStamp[] = "04.02.2006|23:09";

// "Permora Config" and the version, then the given "key = value" lines.
inline std::string Config(const std::string& lines, const std::string& version = "1.2") {
    return "Permora Config\r\nVersion = " + version + "\r\n" + lines;
}

inline LogClock FixedClock() {
    LogClock clock;
    clock.Settings = [] {
        platform::RegionalSettings s;
        s.ShortDatePattern = "dd.MM.yyyy";
        s.TimeSeparator = ":";
        s.Clock24 = true;
        s.HourLeadingZero = true;
        return s;
    };
    clock.Now = [] {
        platform::LocalTime t;
        t.Year = 2006;
        t.Month = 2;
        t.Day = 4;
        t.Hour = 23;
        t.Minute = 9;
        return t;
    };
    return clock;
}

}  // namespace permora::test
