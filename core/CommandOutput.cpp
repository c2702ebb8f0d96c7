#include "core/CommandOutput.h"

#include "platform/FileSystem.h"

namespace permora {

std::string OutputFilePath(const std::string& appDir) {
    return appDir + "Permora.tmp";
}

bool CheckResult(LineStore& result, const std::string& appDir) {
    if (!result.LoadFromFile(OutputFilePath(appDir))) return false;
    const auto& lines = result.Lines();
    if (!lines.empty() && lines.front() == NotExecutedMarker) return true;
    for (const std::string& line : lines) {
        if (std::string_view(line).substr(0, SuccessPrefix.size()) == SuccessPrefix) return true;
    }
    return false;
}

bool WriteNotExecutedMarker(const std::string& appDir) {
    LineStore marker;
    marker.Add(std::string(NotExecutedMarker));
    return marker.SaveToFile(OutputFilePath(appDir));
}

bool DiscardOutputFile(const std::string& appDir) {
    const std::string path = OutputFilePath(appDir);
    return !platform::IsRegularFile(path) || platform::DeleteFileAt(path);
}

}  // namespace permora
