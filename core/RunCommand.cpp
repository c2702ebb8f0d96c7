#include "core/RunCommand.h"

#include "core/CommandOutput.h"
#include "platform/CommandInterpreter.h"

namespace permora {

int RunCommand(const std::string& line) {
    // Checked here because some runtimes' system() falls back to an interpreter
    // of their own choosing when none is configured or found.
    const std::string interpreter = platform::FindCommandInterpreter();
    if (interpreter.empty()) return -1;
    return platform::SystemThrough(interpreter, line);
}

RunStatus RunRedirected(const std::string& line, const std::string& appDir) {
    if (!DiscardOutputFile(appDir)) return RunStatus::OutputNotRemoved;
    const std::string interpreter = platform::FindCommandInterpreter();
    if (interpreter.empty()) return RunStatus::NoInterpreter;
    platform::SystemThrough(interpreter, line);
    return RunStatus::Ran;
}

}  // namespace permora
