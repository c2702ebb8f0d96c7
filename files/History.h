#pragma once
// The users and directories with which a command succeeded, kept in
// "Permora.hist" and offered again in the main window's two combo boxes.
#include <string>

#include "core/LineStore.h"
#include "files/HistoryLine.h"
#include "files/SharedFile.h"

namespace permora {

inline constexpr char kHistoryFileName[] = "Permora.hist";

// Whoever shows the drop-down items. The lists sort themselves; items come
// in file order, duplicates included.
struct HistoryLists {
    virtual ~HistoryLists() = default;
    // Empties both item lists; the text being typed stays. Begins a fill
    // that ItemsDone ends.
    virtual void ClearItems() = 0;
    virtual void AddUser(const std::string& value) = 0;       // Edit2
    virtual void AddDirectory(const std::string& value) = 0;  // Edit1
    // After the fill's last item: lists that take their items in one batch
    // show them from here on.
    virtual void ItemsDone() {}
};

// True when a line of `store` has this kind and exactly this value.
bool HistoryContains(const LineStore& store, int kind, const std::string& value);

class History {
public:
    // `lists` must outlive the history.
    History(std::string appDir, HistoryLists& lists);

    // Appends the entry unless it is known, then saves (either way).
    void AddHistory(int kind, const std::string& value);

    bool HistoryContains(int kind, const std::string& value) const;

    // Brings the file up to date with the store, then rebuilds the lists. A
    // failed write is silent and leaves the lists as they were. Entries that
    // another running copy saved meanwhile are kept and not added twice.
    // While the file that failed to load at start-up cannot be read, it is
    // not written over: what this run added waits in memory and is merged
    // in once the file reads again.
    bool SaveHistory();

    // With `load`, first replaces the store with the file's lines when the
    // file exists; if that load fails the lists stay empty. Then refills the
    // lists from the store.
    void LoadHistory(bool load);

    const LineStore& Store() const { return store_; }
    bool LoadFailed() const { return loadFailed_; }
    std::string FilePath() const { return file_.Path(); }

private:
    SharedFile file_;
    HistoryLists& lists_;
    LineStore store_;
    bool loadFailed_ = false;
};

}  // namespace permora
