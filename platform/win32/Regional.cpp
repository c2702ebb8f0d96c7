#include "platform/Regional.h"

#include <windows.h>

#include "platform/win32/SystemTime.h"

namespace permora::platform {

namespace {

std::string ToAnsi(const wchar_t* text) {
    int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return {};
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, &result[0], size, nullptr, nullptr);
    result.resize(static_cast<std::size_t>(size - 1));
    return result;
}

// Keeps `target` (the fallback) when the setting cannot be read. An empty
// designator is a real setting; an empty pattern or name is not.
void ReadSetting(LCTYPE type, std::string& target, bool emptyAllowed = false) {
    wchar_t buffer[256];
    if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer, 256) <= 0) return;
    std::string value = ToAnsi(buffer);
    if (!value.empty() || emptyAllowed) target = value;
}

void ReadFlag(LCTYPE type, bool& target) {
    std::string value = target ? "1" : "0";
    ReadSetting(type, value);
    target = value == "1";
}

}  // namespace

RegionalSettings UserRegionalSettings() {
    RegionalSettings s;
    ReadSetting(LOCALE_SSHORTDATE, s.ShortDatePattern);
    ReadSetting(LOCALE_STIME, s.TimeSeparator);
    ReadFlag(LOCALE_ITIME, s.Clock24);
    ReadFlag(LOCALE_ITLZERO, s.HourLeadingZero);
    ReadSetting(LOCALE_S1159, s.AmDesignator, true);
    ReadSetting(LOCALE_S2359, s.PmDesignator, true);
    ReadFlag(LOCALE_ITIMEMARKPOSN, s.DesignatorFirst);
    for (int i = 0; i < 12; ++i) {
        ReadSetting(LOCALE_SMONTHNAME1 + i, s.MonthNames[i]);
        ReadSetting(LOCALE_SABBREVMONTHNAME1 + i, s.AbbrevMonthNames[i]);
    }
    // Windows counts day names from Monday.
    for (int i = 0; i < 7; ++i) {
        ReadSetting(LOCALE_SDAYNAME1 + i, s.DayNames[(i + 1) % 7]);
        ReadSetting(LOCALE_SABBREVDAYNAME1 + i, s.AbbrevDayNames[(i + 1) % 7]);
    }
    return s;
}

LocalTime CurrentLocalTime() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return FromSystemTime(st);
}

}  // namespace permora::platform
