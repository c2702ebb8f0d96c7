// History lines split into kind and value, and entries read back.
#include <cstdint>

#include "files/HistoryLine.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace permora;
using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    const int kind = HistoryKind(line);
    const std::string value = HistoryValue(line);
    Check(kind == kHistoryOther || kind == kHistoryUser || kind == kHistoryDir, "a known kind");
    Check(HistoryMatches(line, kind, value), "a line matches its own kind and value");
    Check(!HistoryMatches(line, kind, value + "x"), "and no other value");
    Check(value.empty() || value.front() != ' ', "no leading blank in a value");
    Check(line.find('=') != std::string::npos || (kind == kHistoryOther && value.empty()), "no = means nothing");

    // The line taken as a value: stored and read back without its leading blanks.
    std::size_t first = line.find_first_not_of(' ');
    const std::string expected = first == std::string::npos ? std::string() : line.substr(first);
    for (int k : {kHistoryUser, kHistoryDir}) {
        const std::string entry = HistoryEntry(k, line);
        Check(HistoryKind(entry) == k, "an entry has its kind");
        Check(HistoryValue(entry) == expected, "an entry reads back its value");
    }
    return 0;
}
