// Benchmarks of the file operations against plain tools on the same files, in
// one run, as whole processes taken in turn (ours, floor, ours, floor, ...)
// so that a drift of the machine's speed hits both. bench/run.sh runs
//
//   files_bench table WORKDIR PAIRS     every row of the table
//
// which starts this program again for each measured operation:
//
//   files_bench generate FILE LINES BYTES PREFIX   write a test file
//   files_bench load FILE                          LoadFromFile, once
//   files_bench save FILE OUT                      SaveToFile of the loaded lines
//   files_bench save-log DIR                       AppendLogLine + SaveLog after LoadLog
//   files_bench add-history DIR                    AddHistory of a new user after LoadHistory
//
// The last three print the seconds the operation itself took.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "core/LineStore.h"
#include "files/ActivityLog.h"
#include "files/History.h"

using namespace permora;

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

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

struct NoLists : HistoryLists {
    std::size_t items = 0;
    void ClearItems() override { items = 0; }
    void AddUser(const std::string&) override { ++items; }
    void AddDirectory(const std::string&) override { ++items; }
};

// One operation in this process; prints its own time where it has one.
int RunOperation(const std::vector<std::string>& args) {
    const std::string& op = args[0];
    if (op == "load" && args.size() == 2) {
        LineStore store;
        return store.LoadFromFile(args[1]) ? 0 : 1;
    }
    if (op == "save" && args.size() == 3) {
        LineStore store;
        if (!store.LoadFromFile(args[1])) return 1;
        auto start = Clock::now();
        if (!store.SaveToFile(args[2])) return 1;
        std::printf("%.6f\n", Seconds(start));
        return 0;
    }
    if (op == "save-log" && args.size() == 2) {
        ActivityLog log(args[1]);
        log.LoadLog();
        if (log.Store().Empty()) return 1;
        auto start = Clock::now();
        log.AppendLogLine("|SUCCEED: CSCRIPT.EXE \"C:\\Tools\\xcacls.vbs\" \"D:\\Data\" /E /G DOM\\bob:F ");
        if (!log.SaveLog()) return 1;
        std::printf("%.6f\n", Seconds(start));
        return 0;
    }
    if (op == "add-history" && args.size() == 2) {
        NoLists lists;
        History history(args[1], lists);
        history.LoadHistory(true);
        if (history.Store().Empty()) return 1;
        std::string user = "DOM\\new user " + std::to_string(getpid()) + " " + std::to_string(Clock::now().time_since_epoch().count());
        auto start = Clock::now();
        history.AddHistory(kHistoryUser, user);
        std::printf("%.6f\n", Seconds(start));
        return history.Store().Count() > 0 ? 0 : 1;
    }
    std::fprintf(stderr, "usage: see the top of FilesBench.cpp\n");
    return 2;
}

struct Run {
    double seconds = -1;  // -1: failed
    double peakMiB = 0;
};

// Starts a program with its output read back. `ownTime`: the program prints
// the time of its operation; otherwise the whole process is timed.
Run Start(const std::vector<std::string>& command, bool ownTime) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return {};
    std::vector<char*> argv;
    for (const std::string& arg : command) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    auto start = Clock::now();
    pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeFds[1], 1);
        close(pipeFds[0]);
        close(pipeFds[1]);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    close(pipeFds[1]);
    std::string out;
    char buf[256];
    for (ssize_t n; (n = read(pipeFds[0], buf, sizeof buf)) > 0;) out.append(buf, static_cast<std::size_t>(n));
    close(pipeFds[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    Run run;
    double wall = Seconds(start);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return run;
    run.seconds = ownTime ? std::atof(out.c_str()) : wall;
    run.peakMiB = usage.ru_maxrss / 1024.0;
    return run;
}

struct Stats {
    double min = 0, median = 0, max = 0;
};

Stats Summarize(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    Stats s;
    if (values.empty()) return s;
    s.min = values.front();
    s.max = values.back();
    std::size_t n = values.size();
    s.median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return s;
}

struct Row {
    Row(std::string op, std::string n, std::string f)
        : operation(std::move(op)), lines(std::move(n)), floorName(std::move(f)) {}
    std::string operation, lines, floorName;
    Stats ours, floor, ratio;
    double target = 0;  // 0: no target
    std::string unit = "s";
};

std::vector<Row> g_rows;

// Ours and the floor in turn, `pairs` times after one warm-up each.
bool Pair(Row row, int pairs, const std::function<Run()>& ours, const std::function<Run()>& floor,
          double* peakMiB = nullptr) {
    ours();
    floor();
    std::vector<double> a, b, r, peaks;
    for (int i = 0; i < pairs; ++i) {
        Run x = ours();
        Run y = floor();
        if (x.seconds < 0 || y.seconds <= 0) {
            std::fprintf(stderr, "%s (%s lines): a run failed\n", row.operation.c_str(), row.lines.c_str());
            return false;
        }
        a.push_back(x.seconds);
        b.push_back(y.seconds);
        r.push_back(x.seconds / y.seconds);
        peaks.push_back(x.peakMiB);
    }
    row.ours = Summarize(a);
    row.floor = Summarize(b);
    row.ratio = Summarize(r);
    g_rows.push_back(row);
    if (peakMiB) *peakMiB = Summarize(peaks).median;
    return true;
}

std::string Self() {
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    return n > 0 ? std::string(path, static_cast<std::size_t>(n)) : "files_bench";
}

double FileMiB(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 ? st.st_size / (1024.0 * 1024.0) : 0;
}

void PrintTable() {
    std::printf("%-30s %9s %11s %11s  %-28s %-22s %7s  %s\n", "operation", "lines", "ours", "floor", "floor command",
                "ratio median [min-max]", "target", "met");
    for (const Row& row : g_rows) {
        char ratio[64], target[16];
        std::snprintf(ratio, sizeof ratio, "%.2f [%.2f-%.2f]", row.ratio.median, row.ratio.min, row.ratio.max);
        if (row.target > 0) std::snprintf(target, sizeof target, "<= %.1fx", row.target);
        else std::snprintf(target, sizeof target, "-");
        const char* met = row.target <= 0 ? "-" : row.ratio.median <= row.target ? "yes" : "NO";
        std::printf("%-30s %9s %9.4f %s %9.4f %s  %-28s %-22s %7s  %s\n", row.operation.c_str(), row.lines.c_str(),
                    row.ours.median, row.unit.c_str(), row.floor.median, row.unit.c_str(), row.floorName.c_str(), ratio,
                    target, met);
    }
}

int Table(const std::string& work, int pairs) {
    const std::string self = Self();
    const struct {
        long lines;
        const char* label;
    } sizes[] = {{10000, "10k"}, {100000, "100k"}, {1000000, "1M"}};
    double peakAt1M = 0, fileAt1M = 0;
    for (const auto& size : sizes) {
        const std::string dir = work + "/" + size.label + "/";
        const std::string file = dir + "lines.txt", copy = dir + "copy.txt", saved = dir + "saved.txt";
        const std::string logDir = dir + "log/", histDir = dir + "hist/";
        mkdir(dir.c_str(), 0755);
        mkdir(logDir.c_str(), 0755);
        mkdir(histDir.c_str(), 0755);
        if (Generate(file, size.lines, 100, "04.02.2006|23:09|SUCCEED: ") != 0 ||
            Generate(logDir + "Permora.log", size.lines, 100, "04.02.2006|23:09|SUCCEED: ") != 0 ||
            Generate(histDir + "Permora.hist", size.lines, 30, "hist-user = DOM\\") != 0) {
            return 1;
        }
        {
            std::ofstream line(dir + "line.txt", std::ios::binary);
            line << "04.02.2006|23:09|SUCCEED: CSCRIPT.EXE \"C:\\Tools\\xcacls.vbs\" \"D:\\Data\" /E /G DOM\\bob:F \r\n";
        }
        // The floor for one appended line works on a file of the same size.
        Start({"cp", logDir + "Permora.log", dir + "floor.log"}, false);

        auto whole = [](std::vector<std::string> command) { return [command] { return Start(command, false); }; };
        auto own = [](std::vector<std::string> command) { return [command] { return Start(command, true); }; };
        double peak = 0;
        bool ok = Pair(Row{"LineStore load", size.label, "wc -l FILE"}, pairs, whole({self, "load", file}),
                       whole({"wc", "-l", file}), &peak) &&
                  Pair(Row{"LineStore save", size.label, "dd conv=fsync (copy+flush)"}, pairs,
                       own({self, "save", file, saved}),
                       whole({"dd", "if=" + file, "of=" + copy, "bs=1M", "conv=fsync", "status=none"})) &&
                  Pair(Row{"LineStore save", size.label, "cp FILE COPY (no flush)"}, pairs, own({self, "save", file, saved}),
                       whole({"cp", file, copy})) &&
                  Pair(Row{"SaveLog, one line added", size.label, "dd append line+flush"}, pairs,
                       own({self, "save-log", logDir}),
                       whole({"dd", "if=" + dir + "line.txt", "of=" + dir + "floor.log", "oflag=append",
                              "conv=notrunc,fsync", "status=none"})) &&
                  Pair(Row{"AddHistory, one user added", size.label, "dd append line+flush"}, pairs,
                       own({self, "add-history", histDir}),
                       whole({"dd", "if=" + dir + "line.txt", "of=" + dir + "floor.log", "oflag=append",
                              "conv=notrunc,fsync", "status=none"}));
        if (!ok) return 1;
        // Targets, on the rows they apply to: load and save of a 100 MB file;
        // a log save costs about one appended line at every size.
        for (Row& row : g_rows) {
            if (row.lines != size.label) continue;
            const bool large = size.lines == 1000000;
            if (row.operation == "LineStore load" && large) row.target = 2.0;
            if (row.operation == "LineStore save" && large) row.target = 1.2;
            if (row.operation.rfind("SaveLog", 0) == 0) row.target = 2.0;
        }
        if (size.lines == 1000000) {
            peakAt1M = peak;
            fileAt1M = FileMiB(file);
        }
    }
    Row memory("LineStore load, peak memory", "1M", "file size");
    memory.unit = "MiB";
    memory.ours = {peakAt1M, peakAt1M, peakAt1M};
    memory.floor = {fileAt1M, fileAt1M, fileAt1M};
    double r = fileAt1M > 0 ? peakAt1M / fileAt1M : 0;
    memory.ratio = {r, r, r};
    memory.target = 1.2;
    g_rows.push_back(memory);
    PrintTable();
    std::printf("\n%d pairs a row, ours and the floor in turn; ratio = ours / floor per pair.\n", pairs);
    std::printf("load: whole processes. save, SaveLog, AddHistory: the operation's own time in a process that loaded first,\n"
                "against the whole floor process. AddHistory rebuilds both drop-down lists from every line, by design.\n");
    std::printf("start-up and one Execute: bench/run-program.sh, which follows.\n");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 5 && args[0] == "generate") {
        return Generate(args[1], std::atol(args[2].c_str()), std::atol(args[3].c_str()), args[4]);
    }
    if (args.size() == 3 && args[0] == "table") return Table(args[1], std::atoi(args[2].c_str()));
    if (args.empty()) {
        std::fprintf(stderr, "usage: see the top of FilesBench.cpp\n");
        return 2;
    }
    return RunOperation(args);
}
