// Saving and loading where Windows refuses access: read-only files, files
// another program holds open, directories in the file's place.
#include <windows.h>

#include <memory>

#include <gtest/gtest.h>

#include "files/ActivityLog.h"
#include "files/ConfigSave.h"
#include "files/History.h"
#include "tests/TempDir.h"

namespace permora {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

std::wstring Wide(const std::string& ansi) {
    int n = MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, &w[0], n);
    w.resize(static_cast<std::size_t>(n - 1));
    return w;
}

// Another program holding the file open with the given sharing.
class HeldOpen {
public:
    HeldOpen(const std::string& path, DWORD share)
        : handle_(CreateFileW(Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~HeldOpen() { Release(); }
    bool Holds() const { return handle_ != INVALID_HANDLE_VALUE; }
    void Release() {
        if (Holds()) CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE handle_;
};

enum class Blocker { ReadOnly, HeldWithoutSharing, Directory };

struct BlockerCase {
    const char* label;
    Blocker blocker;
};

const BlockerCase kBlockers[] = {
    {"read-only file", Blocker::ReadOnly},
    {"held open without sharing", Blocker::HeldWithoutSharing},
    {"directory of that name", Blocker::Directory},
};

// Puts the blocker in place of `path` (which holds `old` unless it is a
// directory) for as long as it lives.
class Blocked {
public:
    Blocked(const std::string& path, Blocker blocker, const std::string& old) : path_(path), blocker_(blocker) {
        if (blocker == Blocker::Directory) {
            std::filesystem::remove(path);
            std::filesystem::create_directory(path);
            return;
        }
        if (ReadBytes(path) != old) WriteBytes(path, old);
        if (blocker == Blocker::ReadOnly) SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_READONLY);
        if (blocker == Blocker::HeldWithoutSharing) held_.reset(new HeldOpen(path, 0));
    }
    ~Blocked() {
        held_.reset();
        SetFileAttributesW(Wide(path_).c_str(), FILE_ATTRIBUTE_NORMAL);
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    bool InPlace() const { return blocker_ != Blocker::HeldWithoutSharing || held_->Holds(); }
    // What the path must still hold.
    void ExpectIntact(const std::string& old) {
        held_.reset();
        if (blocker_ == Blocker::Directory) EXPECT_TRUE(std::filesystem::is_directory(path_));
        else EXPECT_EQ(ReadBytes(path_), old);
        EXPECT_FALSE(std::filesystem::exists(path_ + ".saving"));
    }

private:
    std::string path_;
    Blocker blocker_;
    std::unique_ptr<HeldOpen> held_;
};

struct NoLists : HistoryLists {
    std::vector<std::string> users{"stale"};
    void ClearItems() override { users.clear(); }
    void AddUser(const std::string& value) override { users.push_back(value); }
    void AddDirectory(const std::string&) override {}
};

TEST(FileLock, ConfigSaveReportsFailureAndLeavesTheOldFile) {
    TempDir dir;
    const std::string old = "Permora Config\r\nVersion = 1.2\r\n";
    for (const BlockerCase& c : kBlockers) {
        SCOPED_TRACE(c.label);
        Blocked blocked(dir.File("Permora.ini"), c.blocker, old);
        ASSERT_TRUE(blocked.InPlace());
        LineStore tmpl;
        EXPECT_FALSE(SaveConfig(WizardConfig{}, dir.Dir(), tmpl));
        EXPECT_EQ(tmpl.Count(), 13u);
        blocked.ExpectIntact(old);
    }
}

// Blocked after a load, the save would append; without one, it would replace.
TEST(FileLock, HistoryAndLogSavesFailSilentlyAndKeepTheOldFile) {
    TempDir dir;
    const std::string old = "hist-user = old\r\n";
    for (bool loaded : {false, true}) {
        for (const BlockerCase& c : kBlockers) {
            SCOPED_TRACE(std::string(c.label) + (loaded ? ", after a load" : ", without a load"));
            NoLists lists;
            History history(dir.Dir(), lists);
            ActivityLog log(dir.Dir());
            if (loaded) {
                WriteBytes(dir.File("Permora.hist"), old);
                WriteBytes(dir.File("Permora.log"), old);
                history.LoadHistory(true);
                log.LoadLog();
            }
            const std::vector<std::string> listed = lists.users;
            {
                Blocked hist(dir.File("Permora.hist"), c.blocker, old);
                Blocked logFile(dir.File("Permora.log"), c.blocker, old);
                ASSERT_TRUE(hist.InPlace() && logFile.InPlace());
                history.AddHistory(kHistoryUser, "new");
                EXPECT_EQ(lists.users, listed);
                log.AppendLogLine("|new");
                EXPECT_FALSE(log.SaveLog());
                hist.ExpectIntact(old);
                logFile.ExpectIntact(old);
            }
            // Nothing was lost from memory: the next save writes it.
            EXPECT_TRUE(history.SaveHistory());
            EXPECT_EQ(ReadBytes(dir.File("Permora.hist")), (loaded ? old : "") + "hist-user = new\r\n");
            EXPECT_TRUE(log.SaveLog());
            EXPECT_EQ(log.Store().Count(), loaded ? 2u : 1u);
            std::filesystem::remove(dir.File("Permora.hist"));
            std::filesystem::remove(dir.File("Permora.log"));
        }
    }
}

TEST(FileLock, UnreadableAtStartUpIsNeverSavedOver) {
    // Reads refused; one holder lets others delete or rename the file, so a
    // careless save could replace it.
    const struct {
        const char* label;
        DWORD share;
    } holders[] = {
        {"no sharing", 0},
        {"delete sharing only", FILE_SHARE_DELETE},
    };
    const std::string oldHistory = "hist-user = old\r\nnotes\r\n";
    const std::string oldLog = "01.01.2006|10:00|SUCCEED: first run \r\n";
    for (const auto& h : holders) {
        SCOPED_TRACE(h.label);
        TempDir dir;
        WriteBytes(dir.File("Permora.hist"), oldHistory);
        WriteBytes(dir.File("Permora.log"), oldLog);
        NoLists lists;
        History history(dir.Dir(), lists);
        ActivityLog log(dir.Dir());
        {
            HeldOpen histHeld(dir.File("Permora.hist"), h.share);
            HeldOpen logHeld(dir.File("Permora.log"), h.share);
            ASSERT_TRUE(histHeld.Holds() && logHeld.Holds());
            history.LoadHistory(true);
            log.LoadLog();
            EXPECT_TRUE(history.LoadFailed());
            EXPECT_TRUE(log.LoadFailed());
            EXPECT_TRUE(lists.users.empty()) << "the lists were not emptied";

            history.AddHistory(kHistoryUser, "new");
            history.AddHistory(kHistoryUser, "old");
            log.AppendLogLine("|SUCCEED: second run ");
            EXPECT_FALSE(log.SaveLog());
        }
        EXPECT_EQ(ReadBytes(dir.File("Permora.hist")), oldHistory);
        EXPECT_EQ(ReadBytes(dir.File("Permora.log")), oldLog);

        // Once the file reads again, its lines come first.
        history.AddHistory(kHistoryUser, "later");
        EXPECT_EQ(ReadBytes(dir.File("Permora.hist")),
                  oldHistory + "hist-user = new\r\nhist-user = later\r\n");
        EXPECT_EQ(lists.users, (std::vector<std::string>{"old", "new", "later"}));
        EXPECT_FALSE(history.LoadFailed());
        EXPECT_TRUE(log.SaveLog());
        const std::string logText = ReadBytes(dir.File("Permora.log"));
        EXPECT_EQ(logText.substr(0, oldLog.size()), oldLog);
        EXPECT_NE(logText.find("|SUCCEED: second run \r\n"), std::string::npos);
        EXPECT_EQ(log.Store().Count(), 2u);
    }
}

// A history that loaded once and then fails to load again empties the lists
// and does not refill them from the lines it still holds.
TEST(FileLock, FailedReloadEmptiesTheListsAndKeepsTheStore) {
    TempDir dir;
    WriteBytes(dir.File("Permora.hist"), "hist-user = old\r\n");
    NoLists lists;
    History history(dir.Dir(), lists);
    history.LoadHistory(true);
    ASSERT_EQ(lists.users, std::vector<std::string>{"old"});
    HeldOpen held(dir.File("Permora.hist"), 0);
    ASSERT_TRUE(held.Holds());
    history.LoadHistory(true);
    EXPECT_TRUE(history.LoadFailed());
    EXPECT_TRUE(lists.users.empty());
    EXPECT_EQ(history.Store().Count(), 1u);
}

// A save puts a new file in the old one's place: the user must not find the
// file's attributes or creation time reset.
class ReplacedFile : public ::testing::Test {
protected:
    void SetUp() override {
        WriteBytes(path, "Permora Config\r\n");
        SYSTEMTIME longAgo = {2001, 2, 0, 3, 4, 5, 6, 0};
        SystemTimeToFileTime(&longAgo, &created);
        HANDLE h = CreateFileW(Wide(path).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        SetFileTime(h, &created, nullptr, nullptr);
        CloseHandle(h);
        ASSERT_TRUE(SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
        ASSERT_TRUE(GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &before));
        LineStore tmpl;
        ASSERT_TRUE(SaveConfig(WizardConfig{}, dir.Dir(), tmpl));
        ASSERT_TRUE(GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &after));
        ASSERT_EQ(after.nFileSizeLow, ReadBytes(path).size());
    }
    TempDir dir;
    const std::string path = dir.File("Permora.ini");
    FILETIME created{};
    WIN32_FILE_ATTRIBUTE_DATA before{}, after{};
};

TEST_F(ReplacedFile, KeepsItsAttributes) {
    EXPECT_EQ(after.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM), DWORD(FILE_ATTRIBUTE_HIDDEN));
}

TEST_F(ReplacedFile, KeepsItsCreationTime) {
    if (CompareFileTime(&before.ftCreationTime, &created) != 0) {
        GTEST_SKIP() << "this file system keeps no creation time of its own (Wine on Linux)";
    }
    EXPECT_EQ(CompareFileTime(&after.ftCreationTime, &created), 0);
}

}  // namespace
}  // namespace permora
