#include "files/ConfigFile.h"

namespace permora {

namespace {

// Line 0 is the header and comments start with "#" in the very first column.
bool IsEntryFor(const LineStore& config, std::size_t index, const std::string& key) {
    const std::string& line = config[index];
    if (index == 0 || (!line.empty() && line[0] == '#')) return false;
    return line.size() >= key.size() && line.compare(0, key.size(), key) == 0;
}

std::string ValueOf(const std::string& line, std::size_t keyLength) {
    std::size_t eq = line.find('=', keyLength == 0 ? 0 : keyLength - 1);
    if (eq == std::string::npos) return {};
    std::size_t first = line.find_first_not_of(' ', eq + 1);
    if (first == std::string::npos) return {};
    std::size_t last = line.size() - 1;
    while (last > eq && (line[last] == ' ' || line[last] == '\r')) --last;
    if (last <= eq) return {};
    return line.substr(first, last - first + 1);
}

}  // namespace

std::string GetConfigValue(const LineStore& config, const std::string& key) {
    for (std::size_t i = 1; i < config.Count(); ++i) {
        if (IsEntryFor(config, i, key)) return ValueOf(config[i], key.size());
    }
    return {};
}

void SetTemplateValue(LineStore& config, const std::string& key, const std::string& value) {
    std::string line = key + " = " + value;
    for (std::size_t i = 1; i < config.Count(); ++i) {
        if (IsEntryFor(config, i, key)) {
            config.Set(i, std::move(line));
            return;
        }
    }
    config.Add(std::move(line));
}

}  // namespace permora
