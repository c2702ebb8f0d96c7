// The user's regional settings, read through the seam and formatted by us,
// must give what Windows itself formats for that user.
#include <windows.h>

#include <gtest/gtest.h>

#include "files/LogTimestamp.h"
#include "platform/Regional.h"
#include "platform/win32/SystemTime.h"

namespace permora {
namespace {

std::string Ansi(const wchar_t* text) {
    char buffer[256];
    int n = WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n - 1)) : std::string();
}

TEST(Regional, MatchesWindowsFormattingForTheUser) {
    const platform::RegionalSettings settings = platform::UserRegionalSettings();
    const WORD hours[] = {0, 9, 12, 23};
    for (WORD hour : hours) {
        SYSTEMTIME st{};
        st.wYear = 2006;
        st.wMonth = 2;
        st.wDay = 4;
        st.wDayOfWeek = 6;
        st.wHour = hour;
        st.wMinute = 5;
        st.wSecond = 33;
        const platform::LocalTime t = platform::FromSystemTime(st);

        wchar_t date[128];
        wchar_t time[128];
        ASSERT_GT(GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, 128, nullptr), 0);
        ASSERT_GT(GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &st, nullptr, time, 128), 0);
        SCOPED_TRACE(Ansi(time));
        EXPECT_EQ(FormatShortDate(settings, t), Ansi(date));
        EXPECT_EQ(FormatLongTime(settings, t), Ansi(time));
    }
}

}  // namespace
}  // namespace permora
