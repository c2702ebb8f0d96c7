#pragma once
// Configuration files and a log clock for the window tests.
#include <string>

#include "files/ActivityLog.h"

namespace permora::test {

// The date and time every line of a FixedClock log starts with.
inline constexpr char kLogStamp[] = "04.02.2006|23:09";

// What the setup wizard writes when Next is pressed through it on first start.
inline constexpr char kFirstStartFile[] =
    "Permora Config\r\n"
    "Version = 1.2\r\n"
    "XCACLSPath = \r\n"
    "option_edit = true\r\n"
    "option_method = grant\r\n"
    "gui_F = false\r\n"
    "gui_M = false\r\n"
    "gui_X = false\r\n"
    "gui_R = false\r\n"
    "gui_L = false\r\n"
    "gui_W = false\r\n"
    "spec_7 = false\r\n"
    "ShowCommand = false\r\n";

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
