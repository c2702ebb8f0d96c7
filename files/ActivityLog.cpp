#include "files/ActivityLog.h"

#include "files/LogTimestamp.h"

namespace permora {

ActivityLog::ActivityLog(std::string appDir, LogClock clock)
    : file_(appDir + kLogFileName), clock_(std::move(clock)) {}

void ActivityLog::LoadLog() {
    loadFailed_ = false;
    // Lines appended before the file was read (start-up logs a version
    // conflict first) follow the file's lines.
    LineStore appended = std::move(store_);
    store_ = LineStore();
    switch (file_.Load(store_)) {
        case SharedFile::Loaded::Lines: store_.Append(appended); break;
        case SharedFile::Loaded::NoFile: store_ = std::move(appended); break;
        case SharedFile::Loaded::Failed:
            store_ = std::move(appended);
            loadFailed_ = true;
            break;
    }
}

void ActivityLog::AppendLogLine(const std::string& event) {
    store_.Add(FormatLogLine(clock_.Settings(), clock_.Now(), event));
}

bool ActivityLog::SaveLog() {
    if (!file_.Save(store_)) return false;
    loadFailed_ = false;
    return true;
}

}  // namespace permora
