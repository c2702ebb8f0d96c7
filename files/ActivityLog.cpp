#include "files/ActivityLog.h"

#include "files/LogTimestamp.h"
#include "platform/FileSystem.h"

namespace permora {

ActivityLog::ActivityLog(std::string appDir, LogClock clock) : appDir_(std::move(appDir)), clock_(std::move(clock)) {}

void ActivityLog::LoadLog() {
    loadFailed_ = false;
    if (!platform::IsRegularFile(FilePath())) return;
    // Lines appended before the file was read (start-up logs a version
    // conflict first) follow the file's lines.
    LineStore appended = std::move(store_);
    store_ = LineStore();
    if (store_.LoadFromFile(FilePath())) {
        store_.Append(appended);
    } else {
        store_ = std::move(appended);
        loadFailed_ = true;
    }
}

void ActivityLog::AppendLogLine(const std::string& event) {
    store_.Add(FormatLogLine(clock_.Settings(), clock_.Now(), event));
}

bool ActivityLog::SaveLog() {
    if (loadFailed_ && !MergeWithFailedFile()) return false;
    return store_.SaveToFile(FilePath());
}

bool ActivityLog::MergeWithFailedFile() {
    if (platform::IsRegularFile(FilePath())) {
        LineStore merged;
        if (!merged.LoadFromFile(FilePath())) return false;
        merged.Append(store_);
        store_ = std::move(merged);
    }
    loadFailed_ = false;
    return true;
}

}  // namespace permora
