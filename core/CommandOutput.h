#pragma once
// The temporary output file that every run line redirects into, and how its
// text is judged afterwards.
#include <string>
#include <string_view>

#include "core/LineStore.h"

namespace permora {

// Written instead of output when the user declines the command.
inline constexpr std::string_view NotExecutedMarker = "--not-executed--";
// A line that begins with this reports a successful run.
inline constexpr std::string_view SuccessPrefix = "Completed successfully";

// appDir ends with a separator, as AppDir does.
std::string OutputFilePath(const std::string& appDir);

// Loads the output file into `result` and judges it: true when the whole first
// line is the not-executed marker or any line starts with the success prefix.
// When the file cannot be read the answer is false and `result` is left as it was.
bool CheckResult(LineStore& result, const std::string& appDir);

// Replaces the output file with the single marker line; false when it could not.
bool WriteNotExecutedMarker(const std::string& appDir);

// Removes the previous output so that a run which never writes the file is
// judged by nothing rather than by old text. True when no output file is left.
bool DiscardOutputFile(const std::string& appDir);

}  // namespace permora
