#include "files/History.h"

#include "files/HistoryLine.h"

namespace permora {

namespace {

bool ContainsEntry(const LineStore& store, std::size_t count, int kind, std::string_view value) {
    for (std::size_t i = 0; i < count; ++i) {
        if (HistoryMatches(store.Line(i), kind, value)) return true;
    }
    return false;
}

// The file's lines come first, then this run's unsaved lines that the file
// lacks: an entry of the same kind and value, or the very same other line.
LineStore MergeEntries(LineStore disk, const LineStore& store, std::size_t firstUnsaved) {
    const std::size_t known = disk.Count();
    for (std::size_t i = firstUnsaved; i < store.Count(); ++i) {
        std::string_view line = store.Line(i);
        int kind = HistoryKind(line);
        bool present = false;
        if (kind != kHistoryOther) {
            present = ContainsEntry(disk, known, kind, HistoryValue(line));
        } else {
            for (std::size_t j = 0; j < known && !present; ++j) present = disk.Line(j) == line;
        }
        if (!present) disk.Add(std::string(line));
    }
    return disk;
}

}  // namespace

bool HistoryContains(const LineStore& store, int kind, const std::string& value) {
    return ContainsEntry(store, store.Count(), kind, value);
}

History::History(std::string appDir, HistoryLists& lists) : file_(appDir + kHistoryFileName), lists_(lists) {}

void History::AddHistory(int kind, const std::string& value) {
    if (!HistoryContains(kind, value)) store_.Add(HistoryEntry(kind, value));
    SaveHistory();
}

bool History::HistoryContains(int kind, const std::string& value) const {
    return permora::HistoryContains(store_, kind, value);
}

bool History::SaveHistory() {
    if (!file_.Save(store_, MergeEntries)) return false;
    loadFailed_ = false;
    LoadHistory(false);
    return true;
}

void History::LoadHistory(bool load) {
    bool loaded = true;
    if (load) {
        loadFailed_ = false;
        if (file_.Load(store_) == SharedFile::Loaded::Failed) {
            loaded = false;
            loadFailed_ = true;
        }
    }
    lists_.ClearItems();
    if (loaded) {
        std::string value;  // one buffer for all: a history has many lines
        for (std::string_view line : store_) {
            int kind = HistoryKind(line);
            if (kind == kHistoryOther) continue;
            value.assign(HistoryValueView(line));
            if (kind == kHistoryUser) lists_.AddUser(value);
            else lists_.AddDirectory(value);
        }
    }
    lists_.ItemsDone();
}

}  // namespace permora
