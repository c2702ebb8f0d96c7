#pragma once
// The date and time at the start of each activity-log line, formatted from
// the regional settings handed in, so any platform (and any test) can supply them.
#include <string>

#include "platform/Regional.h"

namespace permora {

// The date in a short date pattern: d dd ddd dddd, M MM MMM MMMM, y yy yyyy,
// text in '...' ('' for a quote) as is, g and gg (era) left out, any other
// character as is.
std::string FormatShortDate(const platform::RegionalSettings& settings, const platform::LocalTime& time);

// [designator ]h:mm:ss[ designator], as the 12/24-hour, leading-zero and
// designator-position settings say.
std::string FormatLongTime(const platform::RegionalSettings& settings, const platform::LocalTime& time);

// date|time|event, the time cut to its first 5 bytes; the event brings its own "|".
std::string FormatLogLine(const platform::RegionalSettings& settings, const platform::LocalTime& time,
                          const std::string& event);

}  // namespace permora
