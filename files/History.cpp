#include "files/History.h"

#include "files/HistoryLine.h"
#include "platform/FileSystem.h"

namespace permora {

bool HistoryContains(const LineStore& store, int kind, const std::string& value) {
    for (const std::string& line : store.Lines()) {
        if (HistoryMatches(line, kind, value)) return true;
    }
    return false;
}

History::History(std::string appDir, HistoryLists& lists) : appDir_(std::move(appDir)), lists_(lists) {}

void History::AddHistory(int kind, const std::string& value) {
    if (!HistoryContains(kind, value)) store_.Add(HistoryEntry(kind, value));
    SaveHistory();
}

bool History::HistoryContains(int kind, const std::string& value) const {
    return permora::HistoryContains(store_, kind, value);
}

bool History::SaveHistory() {
    if (loadFailed_ && !MergeWithFailedFile()) return false;
    if (!store_.SaveToFile(FilePath())) return false;
    LoadHistory(false);
    return true;
}

void History::LoadHistory(bool load) {
    bool loaded = true;
    if (load) {
        loadFailed_ = false;
        if (platform::IsRegularFile(FilePath()) && !store_.LoadFromFile(FilePath())) {
            loaded = false;
            loadFailed_ = true;
        }
    }
    lists_.ClearItems();
    if (!loaded) return;
    for (const std::string& line : store_.Lines()) {
        int kind = HistoryKind(line);
        if (kind == kHistoryUser) lists_.AddUser(HistoryValue(line));
        else if (kind == kHistoryDir) lists_.AddDirectory(HistoryValue(line));
    }
}

// The file's lines come first, then what this run added that the file lacks.
bool History::MergeWithFailedFile() {
    if (platform::IsRegularFile(FilePath())) {
        LineStore merged;
        if (!merged.LoadFromFile(FilePath())) return false;
        for (const std::string& line : store_.Lines()) {
            int kind = HistoryKind(line);
            if (kind != kHistoryOther && permora::HistoryContains(merged, kind, HistoryValue(line))) continue;
            merged.Add(line);
        }
        store_ = std::move(merged);
    }
    loadFailed_ = false;
    return true;
}

}  // namespace permora
