#pragma once
// The command interpreter that the C runtime's system() hands a line to.
#include <string>

namespace permora::platform {

// The interpreter the platform's rule finds, or the empty text when there is
// none (then nothing must be started).
std::string FindCommandInterpreter();

// system(line) with `interpreter` (from FindCommandInterpreter) as the program
// it starts, whatever its runtime's own fallback would pick; waits for it and
// returns its exit code, or -1 when it could not be started.
int SystemThrough(const std::string& interpreter, const std::string& line);

}  // namespace permora::platform
