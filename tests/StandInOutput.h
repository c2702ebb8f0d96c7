#pragma once
// Reading what the development stand-in for xcacls.vbs printed.
#include <string>
#include <vector>

#include "core/LineStore.h"

namespace permora::test {

// The arguments the stand-in says it received, in order.
inline std::vector<std::string> EchoedArguments(const LineStore& output) {
    std::vector<std::string> args;
    for (const std::string& line : output.Lines()) {
        std::string::size_type close = line.find("] ");
        if (line.rfind("  [", 0) == 0 && close != std::string::npos) args.push_back(line.substr(close + 2));
    }
    return args;
}

}  // namespace permora::test
