#pragma once
// The user's regional settings for dates and times, and the local clock.
// Texts are in the ANSI code page. The defaults are what a machine without
// such settings gets.
#include <array>
#include <string>

namespace permora::platform {

struct RegionalSettings {
    std::string ShortDatePattern = "dd.MM.yyyy";
    std::string TimeSeparator = ":";
    bool Clock24 = true;
    bool HourLeadingZero = true;
    std::string AmDesignator = "AM";
    std::string PmDesignator = "PM";
    bool DesignatorFirst = false;
    // January first; Sunday first.
    std::array<std::string, 12> MonthNames{"January", "February", "March",     "April",   "May",      "June",
                                           "July",    "August",   "September", "October", "November", "December"};
    std::array<std::string, 12> AbbrevMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<std::string, 7> DayNames{"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    std::array<std::string, 7> AbbrevDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
};

struct LocalTime {
    int Year = 2000;
    int Month = 1;      // 1..12
    int Day = 1;        // 1..31
    int DayOfWeek = 6;  // 0 = Sunday
    int Hour = 0;       // 0..23
    int Minute = 0;
    int Second = 0;
};

// Read afresh at every call, so a change in the control panel shows in the next line.
RegionalSettings UserRegionalSettings();

LocalTime CurrentLocalTime();

}  // namespace permora::platform
