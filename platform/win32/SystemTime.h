#pragma once
// The Windows clock's SYSTEMTIME as the window-free code's LocalTime.
#include <windows.h>

#include "platform/Regional.h"

namespace permora::platform {

inline LocalTime FromSystemTime(const SYSTEMTIME& st) {
    LocalTime t;
    t.Year = st.wYear;
    t.Month = st.wMonth;
    t.Day = st.wDay;
    t.DayOfWeek = st.wDayOfWeek;
    t.Hour = st.wHour;
    t.Minute = st.wMinute;
    t.Second = st.wSecond;
    return t;
}

}  // namespace permora::platform
