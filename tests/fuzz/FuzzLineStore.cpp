// The line store's loader on any file.
#include <cstdint>

#include "core/LineStore.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace permora;
using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    static const std::string path = fuzz::ScratchDir() + "lines";
    fuzz::WriteFile(path, bytes);

    LineStore store;
    store.Add("before");
    FileMark mark;
    Check(store.LoadFromFile(path, &mark), "a readable file loads");
    const std::vector<std::string> expected = fuzz::SplitLines(bytes);
    Check(store.Lines() == expected, "lines as the rules split them");
    Check(mark.lines == expected.size(), "the mark counts the lines");

    std::string saved;
    for (const std::string& line : expected) saved += line + "\r\n";
    Check(mark.canonical == (saved == bytes), "only a file in saved form may be appended to");
    Check(store.Text() == (saved.empty() ? saved : saved.substr(0, saved.size() - 2)), "text joins with CR LF");
    Check(mark.tail == bytes.substr(bytes.size() - std::min<std::size_t>(bytes.size(), mark.tail.size())),
          "the mark keeps the file's last bytes");

    store.Add("after");
    Check(store.Count() == expected.size() + 1 && store.Line(expected.size()) == "after", "added after the loaded");
    if (!expected.empty()) {
        store.Set(0, "first");
        Check(store.Line(0) == "first" && store.Count() == expected.size() + 1, "a loaded line replaced");
    }
    return 0;
}
