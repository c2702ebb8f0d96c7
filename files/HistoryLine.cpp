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

namespace {

std::string_view ValuePart(std::string_view line) {
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return {};
    std::size_t first = line.find_first_not_of(' ', eq + 1);
    if (first == std::string_view::npos) return {};
    return line.substr(first);
}

}  // namespace

std::string HistoryValue(std::string_view line) {
    return std::string(ValuePart(line));
}

bool HistoryMatches(std::string_view line, int kind, std::string_view value) {
    return HistoryKind(line) == kind && ValuePart(line) == value;
}

std::string HistoryEntry(int kind, const std::string& value) {
    if (kind == kHistoryUser) return "hist-user = " + value;
    if (kind == kHistoryDir) return "hist-dir = " + value;
    return value;
}

}  // namespace permora
