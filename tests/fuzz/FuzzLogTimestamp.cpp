// Log time stamps from any regional settings and any clock fields.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>

#include "files/LogTimestamp.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace permora;
using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    platform::RegionalSettings s;
    s.ShortDatePattern = in.ConsumeRandomLengthString(64);
    s.TimeSeparator = in.ConsumeRandomLengthString(4);
    s.AmDesignator = in.ConsumeRandomLengthString(8);
    s.PmDesignator = in.ConsumeRandomLengthString(8);
    s.MonthNames[in.ConsumeIntegralInRange<int>(0, 11)] = in.ConsumeRandomLengthString(16);
    s.DayNames[in.ConsumeIntegralInRange<int>(0, 6)] = in.ConsumeRandomLengthString(16);
    s.Clock24 = in.ConsumeBool();
    s.HourLeadingZero = in.ConsumeBool();
    s.DesignatorFirst = in.ConsumeBool();
    // A broken clock may hand any value in any field.
    platform::LocalTime t;
    t.Year = in.ConsumeIntegral<int>();
    t.Month = in.ConsumeIntegral<int>();
    t.Day = in.ConsumeIntegral<int>();
    t.DayOfWeek = in.ConsumeIntegral<int>();
    t.Hour = in.ConsumeIntegral<int>();
    t.Minute = in.ConsumeIntegral<int>();
    t.Second = in.ConsumeIntegral<int>();
    const std::string event = "|" + in.ConsumeRemainingBytesAsString();

    const std::string date = FormatShortDate(s, t);
    const std::string time = FormatLongTime(s, t);
    Check(FormatLogLine(s, t, event) == date + "|" + time.substr(0, 5) + event, "date|time cut to 5|event");
    Check(time.find(s.TimeSeparator) != std::string::npos || s.TimeSeparator.empty(), "the separator is used");
    return 0;
}
