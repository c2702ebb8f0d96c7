#pragma once
#include <string>

namespace permora {

// The running executable's full path up to and including its last backslash;
// empty when there is none. In 8-bit text, as every file name of the program is.
std::string ExecutableFolder();

}  // namespace permora
