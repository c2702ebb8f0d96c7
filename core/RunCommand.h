#pragma once
// Running one command line through the command interpreter.
#include <string>

namespace permora {

// Hands the line unchanged to the interpreter ("/c " + line) and waits, without
// a time limit, until it exits. Returns the interpreter's exit code, or -1 when
// no interpreter is found, in which case nothing is started.
int RunCommand(const std::string& line);

// Runs a line made by AppendRedirect with `appDir`, after removing the previous
// output, so that a line which never writes the output file (no interpreter, a
// redirect broken by a stray quote) is judged a failure instead of by the old
// text. Returns -1 without running when the old output cannot be removed.
int RunRedirected(const std::string& line, const std::string& appDir);

}  // namespace permora
