// Times the whole-file operations of the line store, the history and the
// activity log on large files. bench/run.sh compares the figures with cat
// and cp of the same files.
//
//   files_bench generate FILE LINES BYTES PREFIX write a test file
//   files_bench load FILE REPS                   LoadFromFile
//   files_bench save FILE OUT REPS               SaveToFile of the loaded lines
//   files_bench add-history DIR REPS             AddHistory of a new user
//   files_bench save-log DIR REPS                AppendLogLine + SaveLog
//   files_bench command REPS PROGRAM ARGS...     a baseline program, output to /dev/null
//
// Each prints the best time of REPS runs in seconds and the peak resident
// memory of the process in kilobytes.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "files/ActivityLog.h"
#include "files/History.h"
#include "core/LineStore.h"

using namespace permora;

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

long PeakKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void Report(double best) {
    std::printf("%.6f %ld\n", best, PeakKb());
}

// Lines of varied length around lineBytes, each unique, some bytes above 0x7F.
int Generate(const std::string& path, long lines, long lineBytes, const std::string& prefix) {
    std::ofstream out(path, std::ios::binary);
    std::string line;
    unsigned seed = 12345;
    for (long i = 0; i < lines; ++i) {
        seed = seed * 1103515245u + 12345u;
        long length = lineBytes - 10 + static_cast<long>((seed >> 16) % 19);
        line = prefix + "M\xFCller" + std::to_string(i) + " ";
        while (static_cast<long>(line.size()) < length) line += static_cast<char>('a' + (line.size() * 7 + i) % 26);
        line.resize(static_cast<std::size_t>(length));
        out << line << "\r\n";
    }
    return out ? 0 : 1;
}

// Wall time of one run of a program, from fork to exit, as a shell would see it.
double RunCommand(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const std::string& arg : command) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    auto start = Clock::now();
    pid_t pid = fork();
    if (pid == 0) {
        int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    double took = Seconds(start);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? took : -1;
}

struct StoredLists : HistoryLists {
    std::vector<std::string> users, dirs;
    void ClearItems() override {
        users.clear();
        dirs.clear();
    }
    void AddUser(const std::string& value) override { users.push_back(value); }
    void AddDirectory(const std::string& value) override { dirs.push_back(value); }
};

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 5 && args[0] == "generate") {
        return Generate(args[1], std::atol(args[2].c_str()), std::atol(args[3].c_str()), args[4]);
    }
    double best = 1e9;
    if (args.size() == 3 && args[0] == "load") {
        for (int r = 0; r < std::atoi(args[2].c_str()); ++r) {
            LineStore store;
            auto start = Clock::now();
            if (!store.LoadFromFile(args[1])) return 1;
            best = std::min(best, Seconds(start));
        }
    } else if (args.size() == 4 && args[0] == "save") {
        LineStore store;
        if (!store.LoadFromFile(args[1])) return 1;
        for (int r = 0; r < std::atoi(args[3].c_str()); ++r) {
            auto start = Clock::now();
            if (!store.SaveToFile(args[2])) return 1;
            best = std::min(best, Seconds(start));
        }
    } else if (args.size() == 3 && args[0] == "add-history") {
        StoredLists lists;
        History history(args[1], lists);
        history.LoadHistory(true);
        if (history.Store().Empty()) return 1;
        for (int r = 0; r < std::atoi(args[2].c_str()); ++r) {
            auto start = Clock::now();
            history.AddHistory(kHistoryUser, "DOM\\new user " + std::to_string(r));
            best = std::min(best, Seconds(start));
        }
    } else if (args.size() == 3 && args[0] == "save-log") {
        ActivityLog log(args[1]);
        log.LoadLog();
        if (log.Store().Empty()) return 1;
        for (int r = 0; r < std::atoi(args[2].c_str()); ++r) {
            auto start = Clock::now();
            log.AppendLogLine("|SUCCEED: CSCRIPT.EXE \"C:\\Tools\\xcacls.vbs\" \"D:\\Data\" /E /G DOM\\bob:F ");
            if (!log.SaveLog()) return 1;
            best = std::min(best, Seconds(start));
        }
    } else if (args.size() >= 3 && args[0] == "command") {
        std::vector<std::string> command(args.begin() + 2, args.end());
        for (int r = 0; r < std::atoi(args[1].c_str()); ++r) {
            double took = RunCommand(command);
            if (took < 0) return 1;
            best = std::min(best, took);
        }
    } else {
        std::fprintf(stderr, "usage: see the top of FilesBench.cpp\n");
        return 2;
    }
    Report(best);
    return 0;
}
