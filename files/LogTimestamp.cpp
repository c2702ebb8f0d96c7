#include "files/LogTimestamp.h"

namespace permora {

namespace {

// The digits without a sign; a broken clock's negative field must not
// overflow on the way (the lowest int has no positive counterpart).
std::string Number(int value, int minDigits) {
    unsigned long long magnitude = static_cast<unsigned long long>(value);
    if (value < 0) magnitude = 0ull - magnitude;
    std::string digits = std::to_string(magnitude);
    if (static_cast<int>(digits.size()) < minDigits) digits.insert(0, minDigits - digits.size(), '0');
    return digits;
}

// Out-of-range fields from a broken clock must not index past the name tables.
template <typename Names>
const std::string& Name(const Names& names, long long index) {
    static const std::string none;
    return index >= 0 && index < static_cast<long long>(names.size()) ? names[static_cast<std::size_t>(index)] : none;
}

std::string DayField(const platform::RegionalSettings& s, const platform::LocalTime& t, std::size_t run) {
    if (run == 1) return Number(t.Day, 1);
    if (run == 2) return Number(t.Day, 2);
    if (run == 3) return Name(s.AbbrevDayNames, t.DayOfWeek);
    return Name(s.DayNames, t.DayOfWeek);
}

std::string MonthField(const platform::RegionalSettings& s, const platform::LocalTime& t, std::size_t run) {
    if (run == 1) return Number(t.Month, 1);
    if (run == 2) return Number(t.Month, 2);
    if (run == 3) return Name(s.AbbrevMonthNames, t.Month - 1LL);
    return Name(s.MonthNames, t.Month - 1LL);
}

std::string YearField(const platform::LocalTime& t, std::size_t run) {
    if (run == 1) return Number(t.Year % 10, 1);
    if (run == 2) return Number(t.Year % 100, 2);
    return Number(t.Year, 1);
}

}  // namespace

std::string FormatShortDate(const platform::RegionalSettings& settings, const platform::LocalTime& time) {
    const std::string& pattern = settings.ShortDatePattern;
    std::string out;
    std::size_t i = 0;
    while (i < pattern.size()) {
        char c = pattern[i];
        if (c == '\'') {
            // Quoted text; a doubled quote inside stands for one quote.
            ++i;
            while (i < pattern.size()) {
                if (pattern[i] != '\'') {
                    out += pattern[i++];
                } else if (i + 1 < pattern.size() && pattern[i + 1] == '\'') {
                    out += '\'';
                    i += 2;
                } else {
                    ++i;
                    break;
                }
            }
            continue;
        }
        std::size_t run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c) ++run;
        switch (c) {
            case 'd': out += DayField(settings, time, run); break;
            case 'M': out += MonthField(settings, time, run); break;
            case 'y': out += YearField(time, run); break;
            case 'g': break;
            default: out.append(run, c); break;
        }
        i += run;
    }
    return out;
}

std::string FormatLongTime(const platform::RegionalSettings& settings, const platform::LocalTime& time) {
    int hour = time.Hour;
    const std::string* designator = nullptr;
    if (!settings.Clock24) {
        designator = hour < 12 ? &settings.AmDesignator : &settings.PmDesignator;
        hour %= 12;
        if (hour == 0) hour = 12;
    }
    std::string out;
    if (designator && settings.DesignatorFirst) out += *designator + " ";
    out += Number(hour, settings.HourLeadingZero ? 2 : 1);
    out += settings.TimeSeparator + Number(time.Minute, 2) + settings.TimeSeparator + Number(time.Second, 2);
    if (designator && !settings.DesignatorFirst) out += " " + *designator;
    return out;
}

std::string FormatLogLine(const platform::RegionalSettings& settings, const platform::LocalTime& time,
                          const std::string& event) {
    return FormatShortDate(settings, time) + "|" + FormatLongTime(settings, time).substr(0, 5) + event;
}

}  // namespace permora
