// The built permora.exe as an administrator starts it: copied into a fresh
// folder and driven from outside, as automation and accessibility tools do.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/TempDir.h"
#include "ui/Main/Tmain.h"
#include "ui/Text.h"
#include "ui/Wz_firstrun/TWZ_firstrun.h"

namespace permora {
namespace {

namespace fs = std::filesystem;

// Process starts are slow where 32-bit Wine runs under emulation.
constexpr DWORD kStartLimitMs = 240000;
constexpr DWORD kEndLimitMs = 60000;

struct Found {
    DWORD pid;
    const wchar_t* className;
    HWND hwnd = nullptr;
};

BOOL CALLBACK MatchTopWindow(HWND hwnd, LPARAM param) {
    auto* f = reinterpret_cast<Found*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    if (owner != f->pid || std::wstring(name) != f->className || !IsWindowVisible(hwnd)) return TRUE;
    f->hwnd = hwnd;
    return FALSE;
}

HWND TopWindowOf(DWORD pid, const wchar_t* className) {
    Found found{pid, className};
    EnumWindows(&MatchTopWindow, reinterpret_cast<LPARAM>(&found));
    return found.hwnd;
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(folder);
        fs::copy_file(PERMORA_EXE, folder + "permora.exe");
    }
    void TearDown() override {
        if (process.hProcess) {
            if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 1);
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        }
    }

    // Starts the program and waits until it shows a window of the class.
    HWND Launch(const wchar_t* className) {
        std::wstring exe = Widen(folder + "permora.exe");
        std::wstring commandLine = L"\"" + exe + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            Widen(folder).c_str(), &startup, &process)) {
            ADD_FAILURE() << "permora.exe did not start: " << GetLastError();
            return nullptr;
        }
        for (DWORD waited = 0; waited < kStartLimitMs; waited += 50) {
            if (HWND hwnd = TopWindowOf(process.dwProcessId, className)) return hwnd;
            if (WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0) break;
        }
        ADD_FAILURE() << "no window of class " << Narrow(className);
        return nullptr;
    }
    bool Ends() { return WaitForSingleObject(process.hProcess, kEndLimitMs) == WAIT_OBJECT_0; }

    test::TempDir dir;
    const std::string folder = dir.Dir() + "run dir\\";
    PROCESS_INFORMATION process{};
};

// However the close arrives, the process ends with its window.
TEST_F(ProgramTest, ASentCloseEndsTheProcess) {
    test::WriteBytes(folder + "Permora.ini", "");
    HWND main = Launch(L"PermoraMain");
    ASSERT_NE(main, nullptr);
    SendMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Ends()) << "the window went, the process stayed";
}

TEST_F(ProgramTest, CloseClickedFromOutsideEndsTheProcess) {
    test::WriteBytes(folder + "Permora.ini", "");
    HWND main = Launch(L"PermoraMain");
    ASSERT_NE(main, nullptr);
    SendMessageW(GetDlgItem(main, tmain::Button1), BM_CLICK, 0, 0);
    EXPECT_TRUE(Ends());
}

// The first start meets the wizard on its own, on the task bar; cancelled,
// the program ends and leaves nothing behind.
TEST_F(ProgramTest, FirstStartCancelledLeavesNothing) {
    HWND wizard = Launch(kWizardClassName);
    ASSERT_NE(wizard, nullptr);
    EXPECT_TRUE(GetWindowLongPtrW(wizard, GWL_EXSTYLE) & WS_EX_APPWINDOW) << "reachable from the task bar";
    SendMessageW(GetDlgItem(wizard, wz::Button1), BM_CLICK, 0, 0);
    EXPECT_TRUE(Ends());
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(folder)) left.push_back(entry.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"permora.exe"});
}

// Without an execution level Windows may redirect the program's files to a
// virtual store instead of the folder beside the exe.
TEST(ProgramManifestTest, AsksToRunAsInvoker) {
    HMODULE exe = LoadLibraryExW(Widen(PERMORA_EXE).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    HRSRC found = FindResourceW(exe, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(found, nullptr);
    const char* text = static_cast<const char*>(LockResource(LoadResource(exe, found)));
    std::string manifest(text, SizeofResource(exe, found));
    FreeLibrary(exe);
    EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"asInvoker\""), std::string::npos) << manifest;
}

}  // namespace
}  // namespace permora
