// The log and the history on disk while other running copies of the program
// write the same files: appends, merges, and copies saving in turn and at once.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <set>
#include <thread>

#include <gtest/gtest.h>

#include "files/ActivityLog.h"
#include "files/History.h"
#include "tests/TempDir.h"
#include "tests/files/FilesTestSupport.h"

namespace permora {
namespace {

using test::DefaultClock;
using test::ReadBytes;
using test::TempDir;
using test::SavedForm;
using test::WriteBytes;
using test::kDefaultStamp;
using Lines = std::vector<std::string>;

platform::FileStamp StampOf(const std::string& path) {
    platform::File file;
    platform::FileStamp stamp;
    EXPECT_TRUE(file.OpenRead(path) && file.Stamp(stamp)) << path;
    return stamp;
}

struct Lists : HistoryLists {
    Lines users, dirs;
    void ClearItems() override {
        users.clear();
        dirs.clear();
    }
    void AddUser(const std::string& value) override { users.push_back(value); }
    void AddDirectory(const std::string& value) override { dirs.push_back(value); }
};

Lines FileLines(const std::string& path) {
    LineStore store;
    EXPECT_TRUE(store.LoadFromFile(path)) << path;
    return store.Lines();
}

// Whatever happened to the file since it was loaded, a save leaves exactly
// the store's lines on disk, and the store keeps what others wrote.
TEST(SharedFile, SaveKeepsWhatOthersWroteSinceTheLoad) {
    const std::string old = "first\r\nsecond\r\n";
    const struct {
        const char* label;
        std::string disk;  // the file just before the save; empty: deleted
        bool keepTime;     // the change keeps the file's size and write time
        std::string expected;
    } cases[] = {
        {"unchanged", old, false, old},
        {"another copy appended", old + "other\r\n", false, old + "other\r\n"},
        {"edited in place, same size and write time", "first\r\nSECOND\r\n", true, "first\r\nSECOND\r\n"},
        {"shortened by hand", "first\r\n", false, "first\r\n"},
        {"rewritten with other breaks", "first\nsecond\nother", false, old + "other\r\n"},
        {"deleted", "", false, old},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        TempDir dir;
        WriteBytes(dir.File("Permora.log"), old);
        ActivityLog log(dir.Dir(), DefaultClock());
        log.LoadLog();
        const std::string path = log.FilePath();
        auto time = std::filesystem::last_write_time(path);
        if (c.disk.empty()) {
            std::filesystem::remove(path);
        } else if (c.disk != old) {
            std::fstream(path, std::ios::in | std::ios::out | std::ios::binary).write(c.disk.data(), c.disk.size());
            std::filesystem::resize_file(path, c.disk.size());
            if (c.keepTime) std::filesystem::last_write_time(path, time);
        }
        log.AppendLogLine("|mine");
        ASSERT_TRUE(log.SaveLog());
        const std::string expected = c.expected + kDefaultStamp + "|mine\r\n";
        EXPECT_EQ(ReadBytes(path), expected);
        EXPECT_EQ(SavedForm(log.Store()), expected);
        EXPECT_FALSE(std::filesystem::exists(path + ".saving"));
        EXPECT_FALSE(std::filesystem::exists(path + ".lock"));
    }
}

// A save costs what it adds: the file nobody changed is appended to, not
// replaced; one with other line breaks is rewritten once, then appended to.
TEST(SharedFile, UnchangedFileIsAppendedTo) {
    TempDir dir;
    WriteBytes(dir.File("Permora.log"), "a\nb\n");
    ActivityLog log(dir.Dir(), DefaultClock());
    log.LoadLog();
    const std::string path = log.FilePath();
    const platform::FileStamp loaded = StampOf(path);
    log.AppendLogLine("|1");
    ASSERT_TRUE(log.SaveLog());
    const platform::FileStamp rewritten = StampOf(path);
    EXPECT_FALSE(rewritten.id == loaded.id && rewritten.volume == loaded.volume) << "first save must rewrite";
    for (int i = 2; i <= 3; ++i) {
        log.AppendLogLine("|" + std::to_string(i));
        ASSERT_TRUE(log.SaveLog());
        const platform::FileStamp now = StampOf(path);
        EXPECT_TRUE(now.id == rewritten.id && now.volume == rewritten.volume) << "save " << i << " replaced the file";
    }
    EXPECT_EQ(ReadBytes(path), "a\r\nb\r\n" + kDefaultStamp + "|1\r\n" + kDefaultStamp + "|2\r\n" + kDefaultStamp + "|3\r\n");
    EXPECT_TRUE(log.SaveLog());  // nothing new: nothing written
    EXPECT_EQ(SavedForm(log.Store()), ReadBytes(path));
}

TEST(SharedFile, TwoCopiesSavingInTurnKeepEachOthersLines) {
    TempDir dir;
    ActivityLog logA(dir.Dir(), DefaultClock()), logB(dir.Dir(), DefaultClock());
    Lists listsA, listsB;
    History histA(dir.Dir(), listsA), histB(dir.Dir(), listsB);
    logA.LoadLog();
    logB.LoadLog();
    histA.LoadHistory(true);
    histB.LoadHistory(true);

    for (const char* line : {"|a1", "|b1", "|a2", "|b2"}) {
        ActivityLog& log = line[1] == 'a' ? logA : logB;
        log.AppendLogLine(line);
        ASSERT_TRUE(log.SaveLog()) << line;
        EXPECT_EQ(SavedForm(log.Store()), ReadBytes(log.FilePath())) << line;
    }
    EXPECT_EQ(FileLines(logA.FilePath()), (Lines{kDefaultStamp + "|a1", kDefaultStamp + "|b1", kDefaultStamp + "|a2", kDefaultStamp + "|b2"}));

    histA.AddHistory(kHistoryUser, "alice");
    histB.AddHistory(kHistoryUser, "bob");
    histA.AddHistory(kHistoryUser, "bob");  // saved by B meanwhile: not added twice
    histB.AddHistory(kHistoryUser, "alice");
    histB.AddHistory(kHistoryDir, "D:\\Data");
    EXPECT_EQ(FileLines(histA.FilePath()), (Lines{"hist-user = alice", "hist-user = bob", "hist-dir = D:\\Data"}));
    EXPECT_EQ(listsA.users, (Lines{"alice", "bob"}));
    EXPECT_EQ(listsB.users, (Lines{"alice", "bob"}));
    EXPECT_EQ(listsB.dirs, Lines{"D:\\Data"});
}

TEST(SharedFile, CopiesSavingAtOnceLoseNothing) {
    TempDir dir;
    constexpr int kCopies = 4;
    constexpr int kSaves = 25;
    std::atomic<int> failures{0};
    std::vector<std::thread> copies;
    for (int c = 0; c < kCopies; ++c) {
        copies.emplace_back([&, c] {
            ActivityLog log(dir.Dir(), DefaultClock());
            Lists lists;
            History history(dir.Dir(), lists);
            log.LoadLog();
            history.LoadHistory(true);
            for (int i = 0; i < kSaves; ++i) {
                log.AppendLogLine("|copy " + std::to_string(c) + " line " + std::to_string(i));
                if (!log.SaveLog()) ++failures;
                // Every copy adds the same shared values and some of its own.
                history.AddHistory(kHistoryUser, "shared " + std::to_string(i % 5));
                history.AddHistory(kHistoryDir, "copy " + std::to_string(c) + " dir " + std::to_string(i % 3));
            }
        });
    }
    for (std::thread& t : copies) t.join();
    EXPECT_EQ(failures, 0);

    // Every line once, each copy's lines in their order.
    Lines logLines = FileLines(dir.File("Permora.log"));
    EXPECT_EQ(logLines.size(), std::size_t(kCopies * kSaves));
    std::map<int, int> next;
    for (const std::string& line : logLines) {
        int copy = -1, index = -1;
        ASSERT_EQ(std::sscanf(line.c_str(), "01.01.2000|00:00|copy %d line %d", &copy, &index), 2) << line;
        EXPECT_EQ(index, next[copy]++) << line;
    }

    Lines history = FileLines(dir.File("Permora.hist"));
    EXPECT_EQ(std::set<std::string>(history.begin(), history.end()).size(), history.size()) << "duplicate entries";
    EXPECT_EQ(history.size(), std::size_t(5 + kCopies * 3));
}

TEST(SharedFile, SaveWaitsWhileAnotherHoldsTheLock) {
    TempDir dir;
    ActivityLog log(dir.Dir(), DefaultClock());
    log.LoadLog();
    log.AppendLogLine("|waited");
    platform::FileLock other;
    ASSERT_TRUE(LockFile(other, log.FilePath()));

    std::atomic<bool> saved{false};
    std::thread saver([&] { saved = log.SaveLog(); });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(std::filesystem::exists(log.FilePath())) << "saved while the lock was held";
    other.Release();
    saver.join();
    EXPECT_TRUE(saved);
    EXPECT_EQ(ReadBytes(log.FilePath()), kDefaultStamp + "|waited\r\n");

    // A lock that is never given up fails the save; the line waits for the next one.
    SetFileLockWait(100);
    ASSERT_TRUE(LockFile(other, log.FilePath()));
    log.AppendLogLine("|later");
    EXPECT_FALSE(log.SaveLog());
    other.Release();
    SetFileLockWait(10000);
    EXPECT_TRUE(log.SaveLog());
    EXPECT_EQ(ReadBytes(log.FilePath()), kDefaultStamp + "|waited\r\n" + kDefaultStamp + "|later\r\n");
}

}  // namespace
}  // namespace permora
