// Whole-program benchmarks of permora.exe against floors measured in the same
// run, on the same system (under Wine here):
// - start-up to an idle main window, against a bare window with as many
//   controls (and against that window reading the same files once);
// - one Execute, from the click until the flow has finished, against the same
//   command line run by `cmd /c`;
// - filling the two combo boxes from the history, in this process, against
//   the controls' own cost of taking the same items already sorted.
// Each at three sizes of the log (the history a tenth of it). Ours and the
// floor run in turn, PAIRS times after one warm-up each, so that a drift of
// the machine's speed hits both. bench/run-program.sh runs
//
//   program_bench WORKDIR PERMORA_EXE BARE_EXE XCACLS_VBS PAIRS
//
// and this prints one table. The program is driven from outside only: its
// window is waited for, the fields are set with WM_SETTEXT, and BM_CLICK sent
// to Execute returns when the flow has finished; outcomes are read from its files.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "bench/BenchTable.h"
#include "files/History.h"
#include "ui/Main/ComboHistoryLists.h"
#include "ui/Main/Tmain.h"  // the control ids
#include "ui/Text.h"

using namespace permora;
using bench::Stats;
using bench::Summarize;

namespace {

constexpr DWORD kPatience = 300000;  // ms for one start or one Execute before the run counts as hung

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::vector<HANDLE> g_children;  // started and not yet ended

// Ends the run, and every program it started: none is left behind, say with
// a message box open.
[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "program_bench: %s\n", what.c_str());
    for (HANDLE child : g_children) TerminateProcess(child, 1);
    std::fflush(stdout);
    std::exit(1);
}

void Ended(HANDLE child) {
    g_children.erase(std::remove(g_children.begin(), g_children.end(), child), g_children.end());
    CloseHandle(child);
}

struct Row {
    Row(std::string op, std::string files, std::string floorOp, double goal = 0)
        : operation(std::move(op)), size(std::move(files)), floorName(std::move(floorOp)), target(goal) {}
    std::string operation, size, floorName;
    double target;  // 0: no target
    Stats ours, floor, ratio;
};

std::vector<Row> g_rows;

// Ours and the floor in turn, `pairs` times after one warm-up each.
void Pair(Row row, int pairs, const std::function<double()>& ours, const std::function<double()>& floor) {
    ours();
    floor();
    std::vector<double> a, b, r;
    for (int i = 0; i < pairs; ++i) {
        a.push_back(ours());
        b.push_back(floor());
        r.push_back(a.back() / b.back());
    }
    row.ours = Summarize(a);
    row.floor = Summarize(b);
    row.ratio = Summarize(r);
    g_rows.push_back(row);
}

// ---- the prepared folder: the program beside its configuration, log and history

struct Folder {
    std::string dir;     // with a trailing backslash, as the program's AppDir
    std::string label;   // "1M log, 100k hist"
    long users = 0, directories = 0;
};

std::string Label(long n) {
    if (n >= 1000000) return std::to_string(n / 1000000) + "M";
    return n >= 1000 ? std::to_string(n / 1000) + "k" : std::to_string(n);
}

void Copy(const std::string& from, const std::string& to) {
    if (!CopyFileW(Widen(from).c_str(), Widen(to).c_str(), FALSE)) Fail("cannot copy " + from + " to " + to);
}

// Log lines as the program writes them, about 100 bytes each.
void WriteLog(const std::string& path, long lines) {
    std::ofstream out(path, std::ios::binary);
    char line[256];
    unsigned seed = 12345;
    for (long i = 0; i < lines; ++i) {
        seed = seed * 1103515245u + 12345u;
        const unsigned n = seed >> 8;
        std::snprintf(line, sizeof line,
                      "%02u.%02u.20%02u|%02u:%02u:%02u|%s CSCRIPT.EXE \"C:\\Tools\\xcacls.vbs\" "
                      "\"D:\\Data\\Projects\\P%05u\" /E /G OFFICE\\user%05u:R \r\n",
                      1 + n % 28, 1 + n % 12, n % 25, n % 24, n % 60, (n / 60) % 60,
                      n % 10 ? "SUCCEED:" : "FAILED:", n % 100000, (n / 7) % 100000);
        out << line;
    }
    if (!out) Fail("cannot write " + path);
}

// Users and directories in turn, in no order, in mixed case, each distinct.
void WriteHistory(Folder& folder, long lines) {
    static const char* const domains[] = {"OFFICE", "office", "Sales", "LAB"};
    std::ofstream out(folder.dir + "Permora.hist", std::ios::binary);
    unsigned seed = 777;
    for (long i = 0; i < lines; ++i) {
        seed = seed * 1103515245u + 12345u;
        const unsigned n = seed >> 8;
        if (i % 2 == 0) {
            out << "hist-user = " << domains[n % 4] << "\\" << (n % 3 ? "user" : "User") << n % 9973 << "-" << i
                << "\r\n";
            ++folder.users;
        } else {
            out << "hist-dir = " << char('C' + n % 4) << ":\\Data\\Dept" << n % 97 << "\\Project " << i << "\r\n";
            ++folder.directories;
        }
    }
    if (!out) Fail("cannot write the history");
}

Folder Prepare(const std::string& work, long logLines, const std::string& permora, const std::string& script) {
    Folder folder;
    folder.dir = work + "\\" + Label(logLines) + "\\";
    folder.label = Label(logLines) + " log, " + Label(logLines / 10) + " hist";
    CreateDirectoryW(Widen(folder.dir).c_str(), nullptr);
    CreateDirectoryW(Widen(folder.dir + "target").c_str(), nullptr);
    Copy(permora, folder.dir + "permora.exe");
    Copy(script, folder.dir + "xcacls.vbs");
    std::ofstream(folder.dir + "Permora.ini", std::ios::binary)
        << "Permora Config\r\nVersion = 1.2\r\nXCACLSPath = " << folder.dir
        << "xcacls.vbs\r\noption_edit = true\r\noption_method = grant\r\ngui_R = true\r\nShowCommand = false\r\n";
    WriteLog(folder.dir + "Permora.log", logLines);
    WriteHistory(folder, logLines / 10);
    return folder;
}

// The last few kilobytes of a file.
std::string Tail(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = in.tellg();
    const std::streamoff from = std::max<std::streamoff>(0, size - 4096);
    in.seekg(from);
    std::string tail(static_cast<std::size_t>(std::max<std::streamoff>(0, size - from)), '\0');
    in.read(tail.data(), static_cast<std::streamsize>(tail.size()));
    return tail;
}

// The file's last line, without its line break.
std::string LastLine(const std::string& path) {
    std::string tail = Tail(path);
    while (!tail.empty() && (tail.back() == '\n' || tail.back() == '\r')) tail.pop_back();
    const std::size_t start = tail.find_last_of("\r\n");
    return start == std::string::npos ? tail : tail.substr(start + 1);
}

// ---- other processes

struct Process {
    PROCESS_INFORMATION info{};
    HWND window = nullptr;
};

struct WindowSearch {
    DWORD processId;
    const wchar_t* className;
    int id;
    HWND found;
};

BOOL CALLBACK ShownWindowOfProcess(HWND window, LPARAM data) {
    auto* s = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t name[64];
    if (owner != s->processId || !IsWindowVisible(window) || !GetClassNameW(window, name, 64) ||
        lstrcmpW(name, s->className) != 0)
        return TRUE;
    s->found = window;
    return FALSE;
}

BOOL CALLBACK ChildWithId(HWND child, LPARAM data) {
    auto* s = reinterpret_cast<WindowSearch*>(data);
    if (GetDlgCtrlID(child) != s->id) return TRUE;
    s->found = child;
    return FALSE;
}

HWND ShownWindowOf(DWORD processId, const wchar_t* className) {
    WindowSearch search{processId, className, 0, nullptr};
    EnumWindows(ShownWindowOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Start(const std::string& exe, const std::string& arguments, const std::string& dir, PROCESS_INFORMATION& info,
           DWORD flags = 0) {
    const std::wstring program = Widen(exe);
    std::wstring line = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + Widen(arguments));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, flags, nullptr, Widen(dir).c_str(),
                        &startup, &info))
        Fail("cannot start " + exe);
    CloseHandle(info.hThread);
    g_children.push_back(info.hProcess);
}

// Seconds from the start of the process until its window is shown and its
// thread takes messages: WaitForInputIdle, then the window, then a message answered.
double StartToIdle(const std::string& exe, const std::string& arguments, const std::string& dir,
                   const wchar_t* className, Process& process) {
    const double start = Now();
    Start(exe, arguments, dir, process.info);
    WaitForInputIdle(process.info.hProcess, kPatience);
    while (!(process.window = ShownWindowOf(process.info.dwProcessId, className))) {
        if (WaitForSingleObject(process.info.hProcess, 1) == WAIT_OBJECT_0)
            Fail(exe + " ended before its window showed");
        if (Now() - start > kPatience / 1000.0) Fail(exe + ": no window");
    }
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(process.window, WM_NULL, 0, 0, SMTO_NORMAL, kPatience, &answer))
        Fail(exe + " does not answer");
    return Now() - start;
}

void Close(Process& process) {
    PostMessageW(process.window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.info.hProcess, kPatience) != WAIT_OBJECT_0) Fail("a program did not close");
    Ended(process.info.hProcess);
    process = Process();
}

HWND Control(HWND window, int id) {
    WindowSearch search{0, nullptr, id, nullptr};
    EnumChildWindows(window, ChildWithId, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Fail("control " + std::to_string(id) + " not found");
    return search.found;
}

LRESULT Count(HWND combo) { return SendMessageW(combo, CB_GETCOUNT, 0, 0); }

// ---- the rows

void StartupRows(const Folder& folder, int pairs, const std::string& bare) {
    const std::string exe = folder.dir + "permora.exe";
    auto ours = [&] {
        Process p;
        const double seconds = StartToIdle(exe, "", folder.dir, L"PermoraMain", p);
        if (Count(Control(p.window, tmain::Edit2)) != folder.users ||
            Count(Control(p.window, tmain::Edit1)) != folder.directories)
            Fail("the combo boxes do not hold the history");
        Close(p);
        return seconds;
    };
    auto floor = [&](const std::string& arguments) {
        return [&, arguments] {
            Process p;
            const double seconds = StartToIdle(bare, arguments, folder.dir, L"BareWindow", p);
            Close(p);
            return seconds;
        };
    };
    Pair(Row{"start-up to idle window", folder.label, "bare window, 41 controls", 1.3}, pairs, ours, floor(""));
    Pair(Row{"start-up to idle window", folder.label, "same, reading the files once"}, pairs, ours,
         floor("--read Permora.ini Permora.log Permora.hist"));
}

void ExecuteRows(const Folder& folder, int pairs) {
    Process p;
    StartToIdle(folder.dir + "permora.exe", "", folder.dir, L"PermoraMain", p);
    HWND target = Control(p.window, tmain::Edit1);
    HWND user = Control(p.window, tmain::Edit2);
    HWND execute = Control(p.window, tmain::bt_execute);
    const std::wstring targetText = Widen(folder.dir + "target");
    int users = 0;

    // A new user each time, so that each Execute also adds to the history.
    auto click = [&] {
        const std::string name = "BENCH\\user" + std::to_string(++users);
        const std::wstring nameText = Widen(name);
        SendMessageW(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(targetText.c_str()));
        SendMessageW(user, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(nameText.c_str()));
        DWORD_PTR answer = 0;
        const double start = Now();
        if (!SendMessageTimeoutW(execute, BM_CLICK, 0, 0, SMTO_NORMAL, kPatience, &answer))
            Fail("Execute did not finish");
        const double seconds = Now() - start;
        const std::string logged = LastLine(folder.dir + "Permora.log");
        if (logged.find("|SUCCEED: ") == std::string::npos || logged.find(name + ":") == std::string::npos)
            Fail("the log does not end with this run's success: " + logged);
        if (Tail(folder.dir + "Permora.hist").find("hist-user = " + name + "\r\n") == std::string::npos)
            Fail("the history lacks " + name);
        return seconds;
    };
    click();  // the target directory goes into the history once
    // The line the program ran, from its log, with its redirect.
    std::string line = LastLine(folder.dir + "Permora.log");
    line = line.substr(line.find("|SUCCEED: ") + 10) + "> \"" + folder.dir + "Permora.tmp\"";

    wchar_t comspec[MAX_PATH];
    if (!GetEnvironmentVariableW(L"COMSPEC", comspec, MAX_PATH)) lstrcpyW(comspec, L"C:\\windows\\system32\\cmd.exe");
    // From this console program, and without its console: a program with
    // windows only, such as ours, has none to hand on to the interpreter.
    auto direct = [&](DWORD flags) {
        PROCESS_INFORMATION info{};
        const double start = Now();
        Start(Narrow(comspec), "/c " + line, folder.dir, info, flags);
        if (WaitForSingleObject(info.hProcess, kPatience) != WAIT_OBJECT_0) Fail("cmd /c did not end");
        const double seconds = Now() - start;
        Ended(info.hProcess);
        std::ifstream out(folder.dir + "Permora.tmp", std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(out)), std::istreambuf_iterator<char>());
        if (text.find("Completed successfully") == std::string::npos) Fail("cmd /c did not run the command: " + line);
        return seconds;
    };
    Pair(Row{"one Execute, click to done", folder.label, "cmd /c, same command line", 1.1}, pairs, click,
         [&] { return direct(0); });
    Pair(Row{"one Execute, click to done", folder.label, "same, cmd without a console"}, pairs, click,
         [&] { return direct(DETACHED_PROCESS); });
    Close(p);
}

// Two combo boxes as the main window's, in a hidden window of this process.
struct Boxes {
    HWND parent, directories, users;
    Boxes() {
        parent = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 505, 375, nullptr, nullptr, nullptr,
                                 nullptr);
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWN | CBS_SORT | CBS_AUTOHSCROLL | WS_VSCROLL;
        directories = CreateWindowExW(0, L"COMBOBOX", L"", style, 8, 8, 449, 181, parent, nullptr, nullptr, nullptr);
        users = CreateWindowExW(0, L"COMBOBOX", L"", style, 8, 40, 465, 181, parent, nullptr, nullptr, nullptr);
    }
    ~Boxes() { DestroyWindow(parent); }
};

std::vector<std::wstring> Items(HWND combo) {
    std::vector<std::wstring> items(static_cast<std::size_t>(Count(combo)));
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i].resize(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)));
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(items[i].data()));
    }
    return items;
}

void FillRow(const Folder& folder, int pairs) {
    std::vector<std::wstring> sortedDirectories, sortedUsers;
    auto ours = [&] {
        Boxes boxes;
        ComboHistoryLists lists(boxes.directories, boxes.users);
        History history(folder.dir, lists);
        const double start = Now();
        history.LoadHistory(true);
        const double seconds = Now() - start;
        if (Count(boxes.users) != folder.users || Count(boxes.directories) != folder.directories)
            Fail("the fill lost items");
        if (sortedUsers.empty()) {
            sortedDirectories = Items(boxes.directories);
            sortedUsers = Items(boxes.users);
        }
        return seconds;
    };
    // What the controls cost at the least: the items, already in order, handed
    // to the drop-down lists with drawing off.
    auto floor = [&] {
        Boxes boxes;
        const double start = Now();
        for (auto [combo, items] : {std::make_pair(boxes.directories, &sortedDirectories),
                                    std::make_pair(boxes.users, &sortedUsers)}) {
            COMBOBOXINFO info{};
            info.cbSize = sizeof info;
            GetComboBoxInfo(combo, &info);
            SendMessageW(combo, WM_SETREDRAW, FALSE, 0);
            SendMessageW(info.hwndList, LB_INITSTORAGE, items->size(), items->size() * 64);
            for (const std::wstring& item : *items)
                SendMessageW(info.hwndList, LB_INSERTSTRING, static_cast<WPARAM>(-1),
                             reinterpret_cast<LPARAM>(item.c_str()));
            SendMessageW(combo, WM_SETREDRAW, TRUE, 0);
        }
        return Now() - start;
    };
    Pair(Row{"history fill, both boxes", folder.label, "the same items, sorted, inserted"}, pairs, ours, floor);
}

void PrintTable(int pairs) {
    std::printf("%-28s %-20s %9s %9s  %-32s %-22s %7s  %s\n", "operation", "files", "ours", "floor", "floor",
                "ratio median [min-max]", "target", "met");
    for (const Row& row : g_rows) {
        const bench::Verdict verdict = bench::Judge(row.ratio, row.target);
        std::printf("%-28s %-20s %7.3f s %7.3f s  %-32s %-22s %7s  %s\n", row.operation.c_str(), row.size.c_str(),
                    row.ours.median, row.floor.median, row.floorName.c_str(), verdict.ratio.c_str(),
                    verdict.target.c_str(), verdict.met.c_str());
    }
    using WineVersion = const char*(CDECL*)();
    auto wine = reinterpret_cast<WineVersion>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")));
    std::printf("\n%d pairs a row after one warm-up, ours and the floor in turn; ratio = ours / floor per pair;\n"
                "times are medians. The %s build, %s.\n",
                pairs, sizeof(void*) == 8 ? "x86_64" : "i686",
                wine ? (std::string("under Wine ") + wine()).c_str() : "on Windows");
    std::printf("Start-up: from CreateProcess until the window is shown and answers a message. Execute: BM_CLICK\n"
                "sent to the button until it returns; the floor starts cmd /c with the line the program logged.\n"
                "History fill: in this process, LoadHistory(true) into two combo boxes.\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: program_bench WORKDIR PERMORA_EXE BARE_EXE XCACLS_VBS PAIRS\n");
        return 2;
    }
    const std::string work = argv[1], permora = argv[2], bare = argv[3], script = argv[4];
    const int pairs = std::max(1, std::atoi(argv[5]));
    for (long lines : {10000L, 100000L, 1000000L}) {
        const Folder folder = Prepare(work, lines, permora, script);
        std::fprintf(stderr, "%s ...\n", folder.label.c_str());
        StartupRows(folder, pairs, bare);
        FillRow(folder, pairs);
        ExecuteRows(folder, pairs);  // last: it adds to the history
    }
    PrintTable(pairs);
    return 0;
}
