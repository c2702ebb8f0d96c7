#include "core/CommandOutput.h"

#include "platform/FileSystem.h"

namespace permora {

std::string OutputFilePath(const std::string& appDir) {
    return appDir + "Permora.tmp";
}

bool CheckResult(LineStore& result, const std::string& appDir) {
    if (!result.LoadFromFile(OutputFilePath(appDir))) return false;
    if (!result.Empty() && result.Line(0) == NotExecutedMarker) return true;
    for (std::string_view line : result) {
        if (line.substr(0, SuccessPrefix.size()) == SuccessPrefix) return true;
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
