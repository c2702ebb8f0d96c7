#include "files/HistoryLine.h"

namespace permora {

int HistoryKind(std::string_view line) {
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return kHistoryOther;
    std::string_view key = line.substr(0, eq);
    while (!key.empty() && key.back() == ' ') key.remove_suffix(1);
    if (key == "hist-user") return kHistoryUser;
    if (key == "hist-dir") return kHistoryDir;
    return kHistoryOther;
}

std::string_view HistoryValueView(std::string_view line) {
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return {};
    std::size_t first = eq + 1;
    while (first < line.size() && line[first] == ' ') ++first;
    return line.substr(first);
}

std::string HistoryValue(std::string_view line) {
    return std::string(HistoryValueView(line));
}

bool HistoryMatches(std::string_view line, int kind, std::string_view value) {
    return HistoryKind(line) == kind && HistoryValueView(line) == value;
}

std::string HistoryEntry(int kind, const std::string& value) {
    if (kind == kHistoryUser) return "hist-user = " + value;
    if (kind == kHistoryDir) return "hist-dir = " + value;
    return value;
}

}  // namespace permora
