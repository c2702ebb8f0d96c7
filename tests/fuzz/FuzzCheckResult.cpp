// Judging a command's output file.
#include <cstdint>

#include "core/CommandOutput.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace permora;
using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    fuzz::WriteFile(OutputFilePath(fuzz::ScratchDir()), bytes);

    LineStore result;
    const bool succeeded = CheckResult(result, fuzz::ScratchDir());
    const std::vector<std::string> lines = fuzz::SplitLines(bytes);
    bool expected = !lines.empty() && lines.front() == NotExecutedMarker;
    for (const std::string& line : lines) expected = expected || line.compare(0, SuccessPrefix.size(), SuccessPrefix) == 0;
    Check(succeeded == expected, "success exactly as the markers say");
    Check(result.Lines() == lines, "the output is kept line by line");
    return 0;
}
