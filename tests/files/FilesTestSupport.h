#pragma once
// What the tests of files saved by several running copies share.
#include <string>
#include <string_view>

#include "core/LineStore.h"
#include "files/ActivityLog.h"

namespace permora::test {

// The default regional settings at the default time: lines start with
// kDefaultStamp. (Named apart from the window tests' clock: all tests may
// share one executable.)
inline LogClock DefaultClock() {
    LogClock clock;
    clock.Settings = [] { return platform::RegionalSettings(); };
    clock.Now = [] { return platform::LocalTime(); };
    return clock;
}

inline const std::string kDefaultStamp = "01.01.2000|00:00";

// The bytes that saving the store whole writes.
inline std::string SavedForm(const LineStore& store) {
    std::string bytes;
    for (std::string_view line : store) bytes.append(line).append("\r\n");
    return bytes;
}

}  // namespace permora::test
