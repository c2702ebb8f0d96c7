#pragma once
// Running one command line through the command interpreter.
#include <string>

namespace permora {

// Hands the line unchanged to the interpreter ("/c " + line) and waits, without
// a time limit, until it exits. Returns the interpreter's exit code, or -1 when
// no interpreter is found, in which case nothing is started.
int RunCommand(const std::string& line);

// Whether a redirected run happened. Only after Ran may the output file be
// judged: otherwise it holds nothing of this run.
enum class RunStatus {
    Ran,               // the interpreter ran and has exited
    NoInterpreter,     // none found; nothing was started
    OutputNotRemoved,  // the previous output could not be removed; nothing was started
};

// Runs a line made by AppendRedirect with `appDir`, after removing the previous
// output, so that a line which never writes the output file (a redirect broken
// by a stray quote) is judged by nothing rather than by the old text.
RunStatus RunRedirected(const std::string& line, const std::string& appDir);

}  // namespace permora
