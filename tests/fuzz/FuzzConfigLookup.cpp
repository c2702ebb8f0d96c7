// Configuration lookups: the first line of the input is the key, the rest
// (split at LF only, so a CR can end a line's text) the loaded lines.
#include <cstdint>

#include "files/ConfigFile.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace permora;
using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    std::size_t cut = input.find('\n');
    const std::string key(input.substr(0, cut));
    LineStore config;
    if (cut != std::string_view::npos) {
        for (std::string_view rest = input.substr(cut + 1);;) {
            std::size_t end = rest.find('\n');
            config.Add(std::string(rest.substr(0, end)));
            if (end == std::string_view::npos) break;
            rest.remove_prefix(end + 1);
        }
    }

    const std::string value = GetConfigValue(config, key);
    if (!value.empty()) {
        Check(value.front() != ' ', "no leading blank");
        Check(value.back() != ' ' && value.back() != '\r', "no trailing blank or CR");
        bool found = false;
        for (std::size_t i = 1; i < config.Count() && !found; ++i) found = config.Line(i).find(value) != std::string_view::npos;
        Check(found, "the value is text of a line after the header");
    }

    // What the wizard writes is what is read back.
    const std::string written = "v" + key.substr(0, 8) + "v";
    const std::size_t before = config.Count();
    SetTemplateValue(config, key, written);
    Check(config.Count() == before || config.Count() == before + 1, "one line replaced or added");
    // A key that is a comment or holds "=" cannot be found as written.
    if (before > 0 && (key.empty() || key[0] != '#') && key.find('=') == std::string::npos) {
        Check(GetConfigValue(config, key) == written, "a written value reads back");
    }
    return 0;
}
