#include "files/ActivityLog.h"
#include "files/LogTimestamp.h"

#include <limits>

#include <gtest/gtest.h>

#include "tests/TempDir.h"

namespace permora {
namespace {

using platform::LocalTime;
using platform::RegionalSettings;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

LocalTime At(int year, int month, int day, int dayOfWeek, int hour, int minute, int second) {
    LocalTime t;
    t.Year = year;
    t.Month = month;
    t.Day = day;
    t.DayOfWeek = dayOfWeek;
    t.Hour = hour;
    t.Minute = minute;
    t.Second = second;
    return t;
}

const LocalTime kCloseTime = At(2006, 2, 4, 6, 23, 9, 41);
const LocalTime kMorning = At(2006, 2, 4, 6, 9, 5, 33);

RegionalSettings German() {
    RegionalSettings s;
    s.ShortDatePattern = "dd.MM.yyyy";
    s.TimeSeparator = ":";
    s.Clock24 = true;
    s.HourLeadingZero = true;
    return s;
}

RegionalSettings Us() {
    RegionalSettings s;
    s.ShortDatePattern = "M/d/yyyy";
    s.TimeSeparator = ":";
    s.Clock24 = false;
    s.HourLeadingZero = false;
    s.AmDesignator = "AM";
    s.PmDesignator = "PM";
    return s;
}

RegionalSettings DesignatorFirst() {
    RegionalSettings s = Us();
    s.ShortDatePattern = "yyyy-MM-dd";
    s.AmDesignator = "\xC9\xCF";  // two bytes of a double-byte designator
    s.PmDesignator = "pm";
    s.DesignatorFirst = true;
    s.HourLeadingZero = true;
    return s;
}

TEST(LogTimestamp, LinesForTheCommonClockSettings) {
    const struct {
        const char* label;
        RegionalSettings settings;
        LocalTime time;
        const char* event;
        std::string line;
    } cases[] = {
        {"24-hour, two-digit hours", German(), kCloseTime, "|Application Closed - tempfiles cleaned successfully",
         "04.02.2006|23:09|Application Closed - tempfiles cleaned successfully"},
        {"12-hour without leading zero keeps the second separator", Us(), kMorning, "|SUCCEED: CSCRIPT.EXE x ",
         "2/4/2006|9:05:|SUCCEED: CSCRIPT.EXE x "},
        {"12-hour afternoon", Us(), kCloseTime, "|e", "2/4/2006|11:09|e"},
        {"designator first", DesignatorFirst(), kMorning, "|e", "2006-02-04|\xC9\xCF 09|e"},
        {"designator first, afternoon", DesignatorFirst(), kCloseTime, "|e", "2006-02-04|pm 11|e"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(FormatLogLine(c.settings, c.time, c.event), c.line);
    }
}

TEST(LogTimestamp, LongTime) {
    RegionalSettings twelve = Us();
    RegionalSettings dotted = German();
    dotted.TimeSeparator = ".";
    dotted.HourLeadingZero = false;
    const struct {
        const char* label;
        RegionalSettings settings;
        LocalTime time;
        const char* text;
    } cases[] = {
        {"midnight on a 12-hour clock", twelve, At(2006, 2, 4, 6, 0, 0, 7), "12:00:07 AM"},
        {"noon on a 12-hour clock", twelve, At(2006, 2, 4, 6, 12, 30, 0), "12:30:00 PM"},
        {"24-hour without leading zero", dotted, kMorning, "9.05.33"},
        {"24-hour ignores designators", German(), kMorning, "09:05:33"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(FormatLongTime(c.settings, c.time), c.text);
    }
}

TEST(LogTimestamp, ShortDatePatterns) {
    const LocalTime date = At(2006, 2, 4, 6, 0, 0, 0);
    const LocalTime december = At(2019, 12, 25, 3, 0, 0, 0);
    const struct {
        const char* pattern;
        LocalTime time;
        const char* text;
    } cases[] = {
        {"dd.MM.yyyy", date, "04.02.2006"},
        {"d.M.yy", date, "4.2.06"},
        {"M/d/yyyy", december, "12/25/2019"},
        {"y", date, "6"},
        {"dd-MMM-yy", date, "04-Feb-06"},
        {"dddd, d. MMMM yyyy", december, "Wednesday, 25. December 2019"},
        {"ddd dd", date, "Sat 04"},
        {"yyyy'\xE5\xB9\xB4'M'\xE6\x9C\x88'd'\xE6\x97\xA5'", date, "2006\xE5\xB9\xB4" "2\xE6\x9C\x88" "4\xE6\x97\xA5"},
        {"'day' d 'o''clock'''", date, "day 4 o'clock'"},
        {"'unclosed d", date, "unclosed d"},
        {"gg yyyy", date, " 2006"},
        {"", date, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        RegionalSettings s;
        s.ShortDatePattern = c.pattern;
        EXPECT_EQ(FormatShortDate(s, c.time), c.text);
    }
}

TEST(LogTimestamp, BrokenClockFieldsDoNotCrash) {
    RegionalSettings s;
    s.ShortDatePattern = "dddd MMMM";
    EXPECT_EQ(FormatShortDate(s, At(2006, 13, 4, 9, 0, 0, 0)), " ");
    // The lowest int has no positive counterpart: digits without overflow.
    const int low = std::numeric_limits<int>::min();
    const LocalTime lowest = At(low, low, low, low, low, low, low);
    s.ShortDatePattern = "d.M.yyyy dddd MMMM";
    EXPECT_EQ(FormatShortDate(s, lowest), "2147483648.2147483648.2147483648  ");
    EXPECT_EQ(FormatLongTime(s, lowest), "2147483648:2147483648:2147483648");
}

class ActivityLogTest : public ::testing::Test {
protected:
    LogClock Clock() {
        LogClock clock;
        clock.Settings = [] { return German(); };
        clock.Now = [this] { return now; };
        return clock;
    }
    TempDir dir;
    LocalTime now = kCloseTime;
};

TEST_F(ActivityLogTest, TwoRunsShareOneFile) {
    {
        ActivityLog log(dir.Dir(), Clock());
        log.LoadLog();
        log.AppendLogLine("|SUCCEED: cmd ");
        EXPECT_FALSE(std::filesystem::exists(log.FilePath()));  // appending writes nothing
        EXPECT_TRUE(log.SaveLog());
    }
    EXPECT_EQ(ReadBytes(dir.File("Permora.log")), "04.02.2006|23:09|SUCCEED: cmd \r\n");

    now = kMorning;
    ActivityLog second(dir.Dir(), Clock());
    second.LoadLog();
    second.AppendLogLine(kLogWrongVersionRestart);
    second.AppendLogLine("|FAILED: M\xFCller > x ");
    EXPECT_TRUE(second.SaveLog());
    EXPECT_EQ(ReadBytes(dir.File("Permora.log")),
              "04.02.2006|23:09|SUCCEED: cmd \r\n"
              "04.02.2006|09:05|Wrong Config Version detected - Restarting First Run Wizard\r\n"
              "04.02.2006|09:05|FAILED: M\xFCller > x \r\n");
}

// Start-up may log a version conflict before the file is read: those lines
// must neither vanish nor come before the older lines of the file.
TEST_F(ActivityLogTest, LinesAppendedBeforeTheLoadFollowTheFilesLines) {
    ActivityLog log(dir.Dir(), Clock());
    log.AppendLogLine(kLogWrongVersionRestart);
    log.AppendLogLine(kLogWrongVersionDone);
    WriteBytes(dir.File("Permora.log"), "a\nb\rc");
    log.LoadLog();
    EXPECT_FALSE(log.LoadFailed());
    EXPECT_TRUE(log.SaveLog());
    EXPECT_EQ(ReadBytes(dir.File("Permora.log")),
              "a\r\nb\r\nc\r\n"
              "04.02.2006|23:09|Wrong Config Version detected - Restarting First Run Wizard\r\n"
              "04.02.2006|23:09|Wrong Config Version detected - First Run Wizard completed\r\n");

    ActivityLog fresh(dir.Dir() + "none\\", Clock());
    fresh.AppendLogLine("|kept");
    fresh.LoadLog();  // no file
    EXPECT_EQ(fresh.Store().Lines(), (std::vector<std::string>{"04.02.2006|23:09|kept"}));
    EXPECT_FALSE(fresh.LoadFailed());
}

TEST_F(ActivityLogTest, EveryEventReachesTheFileAsSpelled) {
    const struct {
        const char* event;
        const char* spelled;
    } events[] = {
        {kLogSucceeded, "|SUCCEED: "},
        {kLogFailed, "|FAILED: "},
        {kLogClosedClean, "|Application Closed - tempfiles cleaned successfully"},
        {kLogTempNotDeleted, "|Failed to delete temp file Permora.tmp"},
        {kLogWrongVersionRestart, "|Wrong Config Version detected - Restarting First Run Wizard"},
        {kLogWrongVersionDone, "|Wrong Config Version detected - First Run Wizard completed"},
    };
    ActivityLog log(dir.Dir(), Clock());
    log.LoadLog();
    std::string expected;
    for (const auto& e : events) {
        log.AppendLogLine(e.event);
        expected += std::string("04.02.2006|23:09") + e.spelled + "\r\n";
    }
    ASSERT_TRUE(log.SaveLog());
    EXPECT_EQ(ReadBytes(dir.File("Permora.log")), expected);
}

TEST_F(ActivityLogTest, FailedSaveKeepsEveryLineForTheNextSave) {
    ActivityLog log(dir.Dir(), Clock());
    log.LoadLog();
    std::filesystem::create_directory(dir.File("Permora.log"));
    log.AppendLogLine("|one");
    EXPECT_FALSE(log.SaveLog());
    log.AppendLogLine("|two");
    EXPECT_FALSE(log.SaveLog());
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("Permora.log")));

    std::filesystem::remove(dir.File("Permora.log"));
    EXPECT_TRUE(log.SaveLog());
    EXPECT_EQ(ReadBytes(dir.File("Permora.log")), "04.02.2006|23:09|one\r\n04.02.2006|23:09|two\r\n");
}

}  // namespace
}  // namespace permora
