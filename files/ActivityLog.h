#pragma once
// "Permora.log": one line per command outcome and a few life-cycle events,
// kept whole in memory. Never trimmed. A save appends what this run added
// and keeps what other running copies wrote meanwhile (SharedFile).
#include <functional>
#include <string>

#include "core/LineStore.h"
#include "files/SharedFile.h"
#include "platform/Regional.h"

namespace permora {

inline constexpr char kLogFileName[] = "Permora.log";

// Event texts; the first two are followed by the logged command.
inline constexpr char kLogSucceeded[] = "|SUCCEED: ";
inline constexpr char kLogFailed[] = "|FAILED: ";
inline constexpr char kLogClosedClean[] = "|Application Closed - tempfiles cleaned successfully";
inline constexpr char kLogTempNotDeleted[] = "|Failed to delete temp file Permora.tmp";
inline constexpr char kLogWrongVersionRestart[] = "|Wrong Config Version detected - Restarting First Run Wizard";
inline constexpr char kLogWrongVersionDone[] = "|Wrong Config Version detected - First Run Wizard completed";

// Where time stamps come from; the user's settings and clock unless replaced.
struct LogClock {
    std::function<platform::RegionalSettings()> Settings = platform::UserRegionalSettings;
    std::function<platform::LocalTime()> Now = platform::CurrentLocalTime;
};

class ActivityLog {
public:
    explicit ActivityLog(std::string appDir, LogClock clock = {});

    // Puts the file's lines before the lines appended so far (normally none).
    // A failed load is silent and leaves the store as it was.
    void LoadLog();

    // Appends date|time plus `event` (which starts with "|"); writes nothing.
    void AppendLogLine(const std::string& event);

    // Brings the file up to date with the store. Failures are silent and keep
    // the store for the next save. While the file that failed to load cannot
    // be read, it is not written over; once it reads, its lines go first.
    bool SaveLog();

    const LineStore& Store() const { return store_; }
    bool LoadFailed() const { return loadFailed_; }
    std::string FilePath() const { return file_.Path(); }

private:
    SharedFile file_;
    LogClock clock_;
    LineStore store_;
    bool loadFailed_ = false;
};

}  // namespace permora
