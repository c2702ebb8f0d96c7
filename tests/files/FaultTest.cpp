// Faults a save must survive without losing a committed line: the process
// killed at any step, a full disk, two processes at once, a read-only file.
// Processes and mounts make these tests native only.
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>

#include <gtest/gtest.h>

#include "files/ActivityLog.h"
#include "files/ConfigSave.h"
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

constexpr int kKilled = 77;

struct NoLists : HistoryLists {
    void ClearItems() override {}
    void AddUser(const std::string&) override {}
    void AddDirectory(const std::string&) override {}
};

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

int g_killAt = 0;
int g_steps = 0;

void CountStep(const char*) {
    if (++g_steps == g_killAt) _exit(kKilled);
}

// Runs `prepare` and then `save` in a child process that dies at the
// `step`-th step of the save. True when it died there, false when the save
// ended first.
bool DiesAtStep(int step, const std::function<void()>& prepare, const std::function<void()>& save) {
    pid_t pid = fork();
    if (pid == 0) {
        prepare();
        g_killAt = step;
        SetSaveStepHook(CountStep);
        save();
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status)) << "the child crashed";
    return WIFEXITED(status) && WEXITSTATUS(status) == kKilled;
}

std::string ConfigBytes(const WizardConfig& values) {
    TempDir dir;
    LineStore tmpl;
    EXPECT_TRUE(SaveConfig(values, dir.Dir(), tmpl));
    return ReadBytes(dir.File("Permora.ini"));
}

// Each step of four kinds of save. The file must hold the committed content
// whole or the new content whole (a cut-off append may leave a part of its
// own new lines after the committed ones), and the next run's save must
// bring everything together again.
TEST(Fault, KilledAtEveryStepOfASave) {
    const std::string bigLine(3 << 20, 'x');  // more than one piece to write
    const std::string old = "old 1\r\nold 2\r\n";
    const std::string mine = kDefaultStamp + "|mine\r\n" + kDefaultStamp + "|" + bigLine + "\r\n" + kDefaultStamp + "|mine 2\r\n";
    const std::string other = kDefaultStamp + "|other copy\r\n";
    WizardConfig wizard;
    wizard.XcaclsPath = "C:\\Tools\\xcacls.vbs";

    std::unique_ptr<ActivityLog> log;
    NoLists lists;
    std::unique_ptr<History> history;
    auto loadLog = [&](const std::string& dir) {
        log.reset(new ActivityLog(dir, DefaultClock()));
        log->LoadLog();
    };
    auto saveMine = [&](const std::string&) {
        log->AppendLogLine("|mine");
        log->AppendLogLine("|" + bigLine);
        log->AppendLogLine("|mine 2");
        log->SaveLog();
    };
    struct Scenario {
        const char* label;
        const char* file;
        std::function<void(const std::string& dir)> prepare, save;
        std::string before, after;  // the committed content, and the saved one
        bool mayTear;               // an append cut off in its middle
    };
    const Scenario scenarios[] = {
        {"log appended", "Permora.log", loadLog, saveMine, old, old + mine, true},
        {"log merged with another copy's line, replaced", "Permora.log",
         [&](const std::string& dir) {
             loadLog(dir);
             ActivityLog otherCopy(dir, DefaultClock());
             otherCopy.LoadLog();
             otherCopy.AppendLogLine("|other copy");
             otherCopy.SaveLog();
         },
         saveMine, old + other, old + other + mine, false},
        {"history merged with another copy's entry, replaced", "Permora.hist",
         [&](const std::string& dir) {
             history.reset(new History(dir, lists));
             history->LoadHistory(true);
             History otherCopy(dir, lists);
             otherCopy.LoadHistory(true);
             otherCopy.AddHistory(kHistoryUser, "other");
         },
         [&](const std::string&) { history->AddHistory(kHistoryDir, bigLine); },
         old + "hist-user = other\r\n", old + "hist-user = other\r\nhist-dir = " + bigLine + "\r\n", false},
        {"configuration replaced", "Permora.ini", [](const std::string&) {},
         [&](const std::string& dir) {
             LineStore tmpl;
             SaveConfig(wizard, dir, tmpl);
         },
         old, ConfigBytes(wizard), false},
    };
    for (const Scenario& s : scenarios) {
        int step = 1;
        for (;; ++step) {
            SCOPED_TRACE(std::string(s.label) + ", killed at step " + std::to_string(step));
            TempDir dir;
            const std::string path = dir.File(s.file);
            WriteBytes(path, old);
            if (!DiesAtStep(step, [&] { s.prepare(dir.Dir()); }, [&] { s.save(dir.Dir()); })) {
                EXPECT_EQ(ReadBytes(path), s.after) << "the save that was not cut off";
                break;
            }
            const std::string left = ReadBytes(path);
            if (left != s.before && left != s.after) {
                ASSERT_TRUE(s.mayTear) << "neither the committed nor the new content";
                ASSERT_EQ(left.compare(0, s.before.size(), s.before), 0) << "a committed line was lost";
                ASSERT_EQ(s.after.compare(0, left.size(), left), 0) << "more than a part of the new lines";
            }

            // The next run loads whatever is there and saves again.
            if (s.file == std::string("Permora.ini")) {
                EXPECT_EQ(ConfigBytes(wizard), s.after);
                LineStore tmpl;
                ASSERT_TRUE(SaveConfig(wizard, dir.Dir(), tmpl));
                EXPECT_EQ(ReadBytes(path), s.after);
            } else if (s.file == std::string("Permora.hist")) {
                History next(dir.Dir(), lists);
                next.LoadHistory(true);
                next.AddHistory(kHistoryUser, "next run");
                const std::string now = ReadBytes(path);
                EXPECT_EQ(now.compare(0, s.before.size(), s.before), 0);
                EXPECT_TRUE(EndsWith(now, "hist-user = next run\r\n"));
                EXPECT_EQ(now, SavedForm(next.Store()));
            } else {
                ActivityLog next(dir.Dir(), DefaultClock());
                next.LoadLog();
                next.AppendLogLine("|next run");
                ASSERT_TRUE(next.SaveLog());
                const std::string now = ReadBytes(path);
                EXPECT_EQ(now.compare(0, s.before.size(), s.before), 0);
                EXPECT_TRUE(EndsWith(now, kDefaultStamp + "|next run\r\n"));
                EXPECT_EQ(now, SavedForm(next.Store()));
            }
            EXPECT_FALSE(std::filesystem::exists(path + ".saving"));
            EXPECT_FALSE(std::filesystem::exists(path + ".lock"));
        }
        // A hook that never fired would end every loop at once.
        EXPECT_GT(step, 4) << s.label;
    }
}

// A file system of its own, 64 KB, so that the disk can be filled.
class SmallDisk {
public:
    explicit SmallDisk(const std::string& at) : at_(at) {
        std::filesystem::create_directory(at);
        mounted_ = ::mount("tmpfs", at.c_str(), "tmpfs", 0, "size=64k") == 0;
        error_ = errno;
    }
    ~SmallDisk() {
        if (mounted_) ::umount2(at_.c_str(), MNT_DETACH);
    }
    bool Mounted() const { return mounted_; }
    const char* Error() const { return std::strerror(error_); }
    std::string Dir() const { return at_ + "/"; }

    // Takes all free room but `room` bytes.
    void Fill(std::size_t room) {
        int fd = ::open(Filler().c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        const std::string block(4096, 'f');
        off_t size = 0;
        for (ssize_t n; (n = ::write(fd, block.data(), block.size())) > 0;) size += n;
        ASSERT_EQ(errno, ENOSPC);
        ASSERT_EQ(::ftruncate(fd, size > off_t(room) ? size - off_t(room) : 0), 0);
        ::close(fd);
    }
    void Free() { std::filesystem::remove(Filler()); }

private:
    std::string Filler() const { return at_ + "/filler"; }
    std::string at_;
    bool mounted_ = false;
    int error_ = 0;
};

// A save that does not fit reports failure and leaves the old file whole;
// nothing is lost from memory, and the save after room was made writes it.
TEST(Fault, FullDiskLeavesTheOldFileWhole) {
    std::string old;
    for (int i = 0; i < 200; ++i) old += "hist-user = " + std::string(85, 'a' + i % 26) + "\r\n";  // 20 KB
    const std::string big(16000, 'b');
    WizardConfig wizard;
    wizard.XcaclsPath = "C:\\Tools\\xcacls.vbs";
    std::unique_ptr<ActivityLog> log;
    NoLists lists;
    std::unique_ptr<History> history;
    LineStore tmpl;

    const struct {
        const char* label;
        const char* file;
        std::function<void(const std::string& dir)> prepare;
        std::function<bool(const std::string& dir)> save;
        std::string before, after;
        std::size_t room;  // free bytes left, fewer than the save needs
    } cases[] = {
        {"log appended", "Permora.log",
         [&](const std::string& dir) {
             log.reset(new ActivityLog(dir, DefaultClock()));
             log->LoadLog();
             log->AppendLogLine("|" + big);
         },
         [&](const std::string&) { return log->SaveLog(); }, old, old + kDefaultStamp + "|" + big + "\r\n", 8192},
        {"log replaced after another copy's save", "Permora.log",
         [&](const std::string& dir) {
             log.reset(new ActivityLog(dir, DefaultClock()));
             log->LoadLog();
             ActivityLog otherCopy(dir, DefaultClock());
             otherCopy.LoadLog();
             otherCopy.AppendLogLine("|other");
             ASSERT_TRUE(otherCopy.SaveLog());
             log->AppendLogLine("|" + big);
         },
         [&](const std::string&) { return log->SaveLog(); }, old + kDefaultStamp + "|other\r\n",
         old + kDefaultStamp + "|other\r\n" + kDefaultStamp + "|" + big + "\r\n", 8192},
        {"history appended", "Permora.hist",
         [&](const std::string& dir) {
             history.reset(new History(dir, lists));
             history->LoadHistory(true);
         },
         [&](const std::string&) {
             if (history->Store().Count() == 200) history->AddHistory(kHistoryDir, big);
             return history->SaveHistory();
         },
         old, old + "hist-dir = " + big + "\r\n", 8192},
        {"configuration replaced", "Permora.ini", [](const std::string&) {},
         [&](const std::string& dir) { return SaveConfig(wizard, dir, tmpl); }, old, ConfigBytes(wizard), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        TempDir base;
        SmallDisk disk(base.File("disk"));
        if (!disk.Mounted()) GTEST_SKIP() << "filling a disk needs a 64 KB tmpfs, and mounting one needs root: " << disk.Error();
        const std::string path = disk.Dir() + c.file;
        WriteBytes(path, old);
        c.prepare(disk.Dir());
        disk.Fill(c.room);
        EXPECT_FALSE(c.save(disk.Dir()));
        EXPECT_TRUE(ReadBytes(path) == c.before) << "the old file was changed";
        EXPECT_FALSE(std::filesystem::exists(path + ".saving"));
        disk.Free();
        EXPECT_TRUE(c.save(disk.Dir()));
        EXPECT_TRUE(ReadBytes(path) == c.after) << "the save after room was made";
    }
}

TEST(Fault, TwoProcessesSavingAtOnceLoseNothing) {
    TempDir dir;
    constexpr int kSaves = 40;
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        children[c] = fork();
        if (children[c] == 0) {
            ActivityLog log(dir.Dir(), DefaultClock());
            NoLists lists;
            History history(dir.Dir(), lists);
            log.LoadLog();
            history.LoadHistory(true);
            bool ok = true;
            for (int i = 0; i < kSaves; ++i) {
                log.AppendLogLine("|process " + std::to_string(c) + " line " + std::to_string(i));
                ok = log.SaveLog() && ok;
                history.AddHistory(kHistoryUser, "shared " + std::to_string(i % 7));
                history.AddHistory(kHistoryDir, "process " + std::to_string(c) + " dir " + std::to_string(i % 4));
            }
            _exit(ok ? 0 : 1);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a save failed or the process crashed";
    }
    LineStore logFile, historyFile;
    ASSERT_TRUE(logFile.LoadFromFile(dir.File("Permora.log")));
    ASSERT_TRUE(historyFile.LoadFromFile(dir.File("Permora.hist")));
    EXPECT_EQ(logFile.Count(), std::size_t(2 * kSaves));
    int next[2] = {0, 0};
    for (std::string_view line : logFile) {
        int process = -1, index = -1;
        ASSERT_EQ(std::sscanf(std::string(line).c_str(), "01.01.2000|00:00|process %d line %d", &process, &index), 2);
        ASSERT_TRUE(process == 0 || process == 1);
        EXPECT_EQ(index, next[process]++) << line;
    }
    std::vector<std::string> entries = historyFile.Lines();
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(std::unique(entries.begin(), entries.end()), entries.end()) << "duplicate history entries";
    EXPECT_EQ(entries.size(), std::size_t(7 + 2 * 4));
}

// Root may write any file; one without write bits is still refused, whether
// the save would append or replace. A replaced file keeps mode and owner.
TEST(Fault, ReadOnlyFileIsRefusedAndReplacedFilesKeepTheirPermissions) {
    TempDir dir;
    const std::string path = dir.File("Permora.log");
    WriteBytes(path, "old\r\n");
    ActivityLog log(dir.Dir(), DefaultClock());
    log.LoadLog();
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    log.AppendLogLine("|appended");
    EXPECT_FALSE(log.SaveLog());

    // Another copy wrote meanwhile, so the next save replaces the file.
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    WriteBytes(path, "old\r\nother\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    EXPECT_FALSE(log.SaveLog());
    EXPECT_EQ(ReadBytes(path), "old\r\nother\r\n");
    EXPECT_FALSE(std::filesystem::exists(path + ".saving"));

    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(path.c_str(), 1234, 1234), 0);
    }
    ASSERT_TRUE(log.SaveLog());
    EXPECT_EQ(ReadBytes(path), "old\r\nother\r\n" + kDefaultStamp + "|appended\r\n");
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(st.st_uid, 1234u);
    }
}

}  // namespace
}  // namespace permora
