#pragma once
// One line of "Permora.hist": "hist-user = value" or "hist-dir = value".
// Lines of any other form are kept but mean nothing.
#include <string>
#include <string_view>

namespace permora {

inline constexpr int kHistoryOther = 0;
inline constexpr int kHistoryUser = 1;
inline constexpr int kHistoryDir = 2;

// kHistoryUser or kHistoryDir when the text before the first "=", less
// trailing blanks, is exactly "hist-user" or "hist-dir"; kHistoryOther else.
int HistoryKind(std::string_view line);

// The text after the first "=" from its first non-blank on; trailing
// blanks stay. Empty without "=".
std::string HistoryValue(std::string_view line);
// The same, as a view into `line`: for passes over many lines.
std::string_view HistoryValueView(std::string_view line);

// HistoryKind(line) == kind && HistoryValue(line) == value, without copying.
bool HistoryMatches(std::string_view line, int kind, std::string_view value);

// The line AddHistory stores: the bare value for kinds other than user and dir.
std::string HistoryEntry(int kind, const std::string& value);

}  // namespace permora
