// Execute from filled controls to what the stand-in for xcacls.vbs received,
// through the real command interpreter and script host, from an application
// folder with a space; then the log, the history and the defaults.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <functional>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/CommandOutput.h"
#include "files/History.h"
#include "tests/StandInOutput.h"
#include "tests/TempDir.h"
#include "tests/ui/DialogAnswerer.h"
#include "tests/ui/ModalDriver.h"
#include "tests/ui/Pump.h"
#include "tests/ui/TestConfig.h"
#include "ui/Main/Tmain.h"
#include "ui/Showcommand/TShowCommand.h"
#include "ui/Text.h"

namespace permora {
namespace {

namespace fs = std::filesystem;
using test::Config;
using test::DialogAnswerer;
using test::ModalDriver;
using test::ReadBytes;
using test::EchoedArguments;
using test::TempDir;
using test::WriteBytes;
using Lines = std::vector<std::string>;
using namespace tmain;

const char kUser[] = "OFFICE\\Sales";

class ExecuteTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(appDir);
        fs::create_directories(target);
        fs::copy_file(PERMORA_STANDIN_SCRIPT, appDir + "xcacls.vbs");
        WriteConfig(false);
    }

    void WriteConfig(bool showCommand, const std::string& script = "xcacls.vbs") {
        WriteBytes(appDir + "Permora.ini", Config("XCACLSPath = " + appDir + script +
                                                  "\r\noption_edit = false\r\noption_method = grant\r\nShowCommand = " +
                                                  (showCommand ? "true" : "false") + "\r\n"));
    }

    // A fresh main window, as the program starts, with the request filled in.
    Tmain& Start(const std::wstring& targetText, const std::wstring& user, bool loadDefaults = false) {
        window = std::make_unique<Tmain>(appDir, test::FixedClock());
        window->Create();
        window->Show();
        test::Pump(*window);
        SetText(C(Edit1), targetText);
        SetText(C(Edit2), user);
        if (!loadDefaults) Click(CheckBox1);
        return *window;
    }
    HWND C(tmain::Control id) const { return window->Control(id); }
    void Click(tmain::Control id) { SendMessageW(C(id), BM_CLICK, 0, 0); }
    void Execute() {
        Click(bt_execute);
        test::Pump(*window);
    }
    // The command text as composed for the stand-in: target, then `tail`.
    std::string Composed(const std::string& tail, const std::string& extra = "") const {
        return "CSCRIPT.EXE \"" + appDir + "xcacls.vbs\" \"" + target + "\"" + tail + " " + extra;
    }
    std::string LastLogLine() const {
        const LineStore& log = window->me_log();
        return log.Empty() ? std::string() : log[log.Count() - 1];
    }
    bool InHistory(int kind, const std::string& value) const { return HistoryContains(window->me_history(), kind, value); }

    TempDir dir;
    const std::string appDir = dir.Dir() + "app dir\\";
    const std::string target = dir.Dir() + "target dir";
    DialogAnswerer answerer;
    std::unique_ptr<Tmain> window;
};

TEST_F(ExecuteTest, EachMethodReachesTheScriptAsComposed) {
    struct Case {
        const char* label;
        std::vector<tmain::Control> clicks;
        std::wstring extra;
        std::string tail;  // the composed command after the target, before the extra parameters
        Lines arguments;   // what the stand-in received after the target
        bool success;
    };
    const std::string u = kUser;
    const Case cases[] = {
        {"grant read and write, editing", {opt_edit, r_r, r_w}, L"", " /E /G " + u + ":R /G " + u + ":W",
         {"/E", "/G", u + ":R", "/G", u + ":W"}, true},
        {"deny read and delete", {RadioButton2, r_r, r_7}, L"", " /D " + u + ":R " + u + ":7", {"/D", u + ":R", u + ":7"},
         true},
        {"replace modify with extra parameters", {RadioButton3, r_m}, L"/E", " /P " + u + ":M " + u + ":7",
         {"/P", u + ":M", u + ":7", "/E"}, true},
        {"revoke, editing", {opt_edit, RadioButton4}, L"", " /E /R " + u, {"/E", "/R", u}, true},
        {"a bad extra parameter fails", {r_f}, L"/Q", " /G " + u + ":F " + u + ":7", {"/G", u + ":F", u + ":7", "/Q"},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        fs::remove(appDir + "Permora.hist");
        Start(Widen(target), Widen(kUser));
        for (tmain::Control id : c.clicks) Click(id);
        SetText(C(Edit3), c.extra);
        size_t messages = answerer.Seen().size();
        Execute();

        Lines expected{target};
        expected.insert(expected.end(), c.arguments.begin(), c.arguments.end());
        EXPECT_EQ(EchoedArguments(window->me_result), expected) << window->me_result.Text();
        const std::string command = Composed(c.tail, Narrow(c.extra));
        EXPECT_EQ(LastLogLine(),
                  std::string(test::kLogStamp) + (c.success ? "|SUCCEED: " : "|FAILED: ") + command + " ");
        EXPECT_EQ(ReadBytes(appDir + "Permora.log"), window->me_log().Text() + "\r\n");
        EXPECT_EQ(InHistory(kHistoryUser, kUser), c.success);
        EXPECT_EQ(InHistory(kHistoryDir, target), c.success);
        EXPECT_EQ(answerer.Seen().size(), messages + (c.success ? 0 : 1));
        EXPECT_EQ(GetFocus(), C(bt_select));
    }
}

TEST_F(ExecuteTest, SuccessRecordsAndReloadsTheDefaultsWhenAsked) {
    for (bool loadDefaults : {true, false}) {
        SCOPED_TRACE(loadDefaults ? "Load Defaults ticked" : "Load Defaults not ticked");
        Start(Widen(target), Widen(kUser), loadDefaults);
        Click(RadioButton2);
        Click(r_w);
        SetText(C(Edit3), L"/E");
        Execute();

        EXPECT_EQ(LastLogLine().substr(0, 26), std::string(test::kLogStamp) + "|SUCCEED: ");
        const std::string hist = ReadBytes(appDir + "Permora.hist");
        EXPECT_EQ(hist, "hist-user = " + std::string(kUser) + "\r\nhist-dir = " + target + "\r\n");
        EXPECT_EQ(window->SelectedMethod(), loadDefaults ? AclMethod::Grant : AclMethod::Deny);
        EXPECT_EQ(SendMessageW(C(r_w), BM_GETCHECK, 0, 0) == BST_CHECKED, !loadDefaults);
        EXPECT_EQ(GetText(C(Edit3)), loadDefaults ? L"" : L"/E");
        EXPECT_EQ(GetText(C(Edit1)), Widen(target));
        EXPECT_EQ(GetText(C(Edit2)), Widen(kUser));
        // The combo boxes offer what the history holds.
        EXPECT_NE(SendMessageW(C(Edit2), CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(Widen(kUser).c_str())),
                  CB_ERR);
    }
}

TEST_F(ExecuteTest, AFailureShowsTheWholeOutputAndRecordsNothing) {
    Start(Widen(dir.Dir() + "missing dir"), Widen(kUser));
    Click(r_r);
    Execute();
    ASSERT_EQ(answerer.Seen().size(), 1u);
    const auto& shown = answerer.Seen()[0];
    EXPECT_EQ(shown.title, L"XCACLS.vbs -- failed");
    EXPECT_EQ(shown.flags, 16u);
    EXPECT_EQ(shown.text, Widen(window->me_result.Text()));
    EXPECT_GE(window->me_result.Count(), 4u) << "every line of the output";
    EXPECT_NE(shown.text.find(L"Error: target directory not found"), std::wstring::npos) << Narrow(shown.text);
    EXPECT_EQ(LastLogLine().substr(0, 25), std::string(test::kLogStamp) + "|FAILED: ");
    EXPECT_FALSE(fs::exists(appDir + "Permora.hist"));
    EXPECT_EQ(window->SelectedMethod(), AclMethod::Grant);
}

// Only the first failing check is reported; nothing runs, nothing is logged.
TEST_F(ExecuteTest, ChecksComeInOrderAndStopTheFlow) {
    struct Case {
        const char* label;
        std::wstring target, user;
        const wchar_t* title;
        bool targetRed, userRed;
    };
    const Case cases[] = {
        {"empty target and user: only the target", L"", L"", L"No target path defined", true, false},
        {"UNC path", L"\\\\server\\share", Widen(kUser), L"No UNC path's supported", true, false},
        {"one character", L"C", Widen(kUser), L"No valid target path", true, false},
        {"user of one character", Widen(target), L"U", L"No user / group defined", false, true},
        {"a full-width quotation mark in the target", Widen(target) + L"\uFF02 /G x:F", Widen(kUser),
         L"Invalid target path", true, false},
        {"a full-width quotation mark in the user", Widen(target), L"OFFICE\\\uFF02x", L"Invalid user / group", false,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Start(c.target, c.user);
        window->SetFieldColor(Edit2, kRed);  // an earlier mark is cleared first
        size_t before = answerer.Seen().size();
        Execute();
        ASSERT_EQ(answerer.Seen().size(), before + 1);
        EXPECT_EQ(answerer.Seen().back().title, c.title);
        EXPECT_EQ(answerer.Seen().back().flags, 16u);
        EXPECT_EQ(window->FieldColor(Edit1), c.targetRed ? kRed : kCream);
        EXPECT_EQ(window->FieldColor(Edit2), c.userRed ? kRed : kCream);
        EXPECT_FALSE(fs::exists(OutputFilePath(appDir))) << "nothing ran";
        EXPECT_FALSE(fs::exists(appDir + "Permora.log"));
        EXPECT_EQ(GetFocus(), C(bt_select));
    }
}

// A path the code page cannot spell may still be reached through its short form.
TEST_F(ExecuteTest, ATargetTheCodePageCannotSpellRunsInItsShortForm) {
    if (GetACP() != 1252) GTEST_SKIP() << "needs the Western European code page, have " << GetACP();
    std::wstring omega = Widen(dir.Dir()) + L"\u03A9 target";
    ASSERT_TRUE(CreateDirectoryW(omega.c_str(), nullptr));
    std::optional<std::string> shortForm = AnsiShortPath(omega);
    if (!shortForm) GTEST_SKIP() << "this file system keeps no short names";
    Start(omega, Widen(kUser));
    Click(r_r);
    Execute();
    ASSERT_FALSE(window->me_result.Empty());
    EXPECT_EQ(EchoedArguments(window->me_result).at(0), *shortForm);
    EXPECT_TRUE(InHistory(kHistoryDir, *shortForm));
}

// The confirmation dialog, answered from inside its own loop.
class ConfirmTest : public ExecuteTest {
protected:
    void SetUp() override {
        ExecuteTest::SetUp();
        WriteConfig(true);
    }
    static void SetCommand(HWND dialog, const std::wstring& text) {
        SetText(ModalDriver::Find(dialog, showcommand::command), text);
    }
    ModalDriver confirm{kShowCommandClassName};
};

TEST_F(ConfirmTest, YesRunsTheShownOrEditedTextButLogsTheComposedOne) {
    const std::string u = kUser;
    const std::string composed = Composed(" /G " + u + ":R");
    struct Case {
        const char* label;
        std::function<void(HWND)> answer;
        Lines arguments;  // after the target; empty: no run of the script
        bool success;
    };
    const Case cases[] = {
        {"Yes unedited", [](HWND d) { ModalDriver::Click(d, showcommand::Button1); }, {"/G", u + ":R"}, true},
        {"Enter in the field",
         [](HWND d) {
             SetFocus(ModalDriver::Find(d, showcommand::command));
             PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
         },
         {"/G", u + ":R"}, true},
        {"Alt+Y", [](HWND d) { PostMessageW(ModalDriver::Find(d, showcommand::command), WM_SYSCHAR, 'y', 1 << 29); },
         {"/G", u + ":R"}, true},
        {"Yes edited",
         [&](HWND d) {
             SetCommand(d, Widen(Composed(" /G OFFICE\\Other:W")));
             ModalDriver::Click(d, showcommand::Button1);
         },
         {"/G", "OFFICE\\Other:W"}, true},
        {"Yes with an empty field runs the redirect alone",
         [](HWND d) {
             SetCommand(d, L"");
             ModalDriver::Click(d, showcommand::Button1);
         },
         {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        fs::remove(appDir + "Permora.hist");
        Start(Widen(target), Widen(kUser));
        Click(r_r);
        std::wstring shown;
        confirm.Queue([&](HWND d) {
            shown = GetText(ModalDriver::Find(d, showcommand::command));
            EXPECT_EQ(GetFocus(), ModalDriver::Find(d, showcommand::command));
            c.answer(d);
        });
        Execute();
        EXPECT_EQ(shown, Widen(composed));
        if (!c.arguments.empty()) {
            Lines expected{target};
            expected.insert(expected.end(), c.arguments.begin(), c.arguments.end());
            EXPECT_EQ(EchoedArguments(window->me_result), expected);
        } else {
            EXPECT_EQ(ReadBytes(OutputFilePath(appDir)), "") << "the redirect alone writes an empty file";
        }
        EXPECT_EQ(LastLogLine(), std::string(test::kLogStamp) + (c.success ? "|SUCCEED: " : "|FAILED: ") + composed + " ");
        EXPECT_EQ(InHistory(kHistoryUser, kUser), c.success);
    }
}

TEST_F(ConfirmTest, NoAndEscDeclineAndCountAsSuccess) {
    const std::function<void(HWND)> answers[] = {
        [](HWND d) { ModalDriver::Click(d, showcommand::Button2); },
        [](HWND d) { PostMessageW(ModalDriver::Find(d, showcommand::command), WM_KEYDOWN, VK_ESCAPE, 0); },
        [](HWND d) { PostMessageW(ModalDriver::Find(d, showcommand::command), WM_SYSCHAR, 'n', 1 << 29); },
    };
    for (const auto& answer : answers) {
        Start(Widen(target), Widen(kUser), true);
        Click(r_r);
        confirm.Queue(answer);
        Execute();
        EXPECT_EQ(ReadBytes(OutputFilePath(appDir)), "--not-executed--\r\n");
        EXPECT_EQ(LastLogLine(), std::string(test::kLogStamp) + "|SUCCEED: " + Composed(" /G " + std::string(kUser) + ":R") + " ");
        EXPECT_TRUE(InHistory(kHistoryDir, target));
        EXPECT_EQ(SendMessageW(C(r_r), BM_GETCHECK, 0, 0), BST_UNCHECKED) << "the defaults came back";
        EXPECT_TRUE(answerer.Seen().empty());
    }
}

TEST_F(ConfirmTest, TheCloseBoxCancelsEverything) {
    Start(Widen(target), Widen(kUser));
    Click(r_r);
    WriteBytes(OutputFilePath(appDir), "Completed successfully.\r\n");  // an earlier run's
    confirm.Queue([](HWND d) { SendMessageW(d, WM_CLOSE, 0, 0); });
    Execute();
    EXPECT_EQ(confirm.Shown(), 1);
    EXPECT_TRUE(window->me_log().Empty());
    EXPECT_FALSE(fs::exists(appDir + "Permora.log"));
    EXPECT_FALSE(fs::exists(appDir + "Permora.hist"));
    EXPECT_TRUE(answerer.Seen().empty());
    EXPECT_EQ(GetFocus(), C(bt_select));
}

TEST_F(ConfirmTest, EveryExecutionShowsTheNewCommand) {
    Start(Widen(target), Widen(kUser));
    Click(r_r);
    confirm.Queue([](HWND d) {
        SetCommand(d, L"edited");
        ModalDriver::Click(d, showcommand::Button2);
    });
    Execute();
    Click(r_w);
    std::wstring shown;
    confirm.Queue([&](HWND d) {
        shown = GetText(ModalDriver::Find(d, showcommand::command));
        ModalDriver::Click(d, showcommand::Button2);
    });
    Execute();
    EXPECT_EQ(confirm.Shown(), 2);
    EXPECT_EQ(shown, Widen(Composed(" /G " + std::string(kUser) + ":R /G " + kUser + ":W")));
}

// Output left by an earlier run is never taken for this run's outcome.
TEST_F(ExecuteTest, ARunThatDidNotHappenFailsWithoutReadingOldOutput) {
    WriteBytes(OutputFilePath(appDir), "Completed successfully.\r\n");
    HANDLE held = CreateFileA(OutputFilePath(appDir).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Start(Widen(target), Widen(kUser));
    Click(r_r);
    Execute();
    CloseHandle(held);
    ASSERT_EQ(answerer.Seen().size(), 1u);
    EXPECT_EQ(answerer.Seen()[0].title, L"XCACLS.vbs -- failed");
    EXPECT_NE(answerer.Seen()[0].text.find(L"could not be removed"), std::wstring::npos);
    EXPECT_EQ(answerer.Seen()[0].text.find(L"Completed successfully"), std::wstring::npos);
    EXPECT_EQ(LastLogLine().substr(0, 25), std::string(test::kLogStamp) + "|FAILED: ");
    EXPECT_FALSE(fs::exists(appDir + "Permora.hist"));
}

TEST_F(ConfirmTest, ADeclineThatCannotBeNotedFails) {
    WriteBytes(OutputFilePath(appDir), "Completed successfully.\r\n");
    HANDLE held = CreateFileA(OutputFilePath(appDir).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Start(Widen(target), Widen(kUser));
    Click(r_r);
    confirm.Queue([](HWND d) { ModalDriver::Click(d, showcommand::Button2); });
    Execute();
    CloseHandle(held);
    ASSERT_EQ(answerer.Seen().size(), 1u);
    EXPECT_NE(answerer.Seen()[0].text.find(L"declined"), std::wstring::npos) << Narrow(answerer.Seen()[0].text);
    EXPECT_EQ(LastLogLine().substr(0, 25), std::string(test::kLogStamp) + "|FAILED: ");
    EXPECT_FALSE(fs::exists(appDir + "Permora.hist"));
}

TEST_F(ExecuteTest, NoCommandInterpreterFailsWithItsReason) {
    const char* comspec = std::getenv("COMSPEC");
    const std::string savedComspec = comspec ? comspec : "";
    const char* path = std::getenv("PATH");
    const std::string savedPath = path ? path : "";
    const fs::path savedCwd = fs::current_path();
    fs::create_directories(dir.Dir() + "empty");
    _putenv_s("COMSPEC", "");
    _putenv_s("PATH", (dir.Dir() + "empty").c_str());
    fs::current_path(dir.Dir() + "empty");

    Start(Widen(target), Widen(kUser));
    Click(r_r);
    Execute();

    _putenv_s("COMSPEC", savedComspec.c_str());
    _putenv_s("PATH", savedPath.c_str());
    fs::current_path(savedCwd);
    ASSERT_EQ(answerer.Seen().size(), 1u);
    EXPECT_EQ(answerer.Seen()[0].text,
              L"The command was not run: no command interpreter was found (COMSPEC, CMD.EXE).");
    EXPECT_EQ(LastLogLine().substr(0, 25), std::string(test::kLogStamp) + "|FAILED: ");
}

// A long run: the window keeps answering and painting, takes no input, and the
// flow goes on only once the interpreter has exited.
TEST_F(ExecuteTest, ALongRunKeepsTheWindowResponsive) {
    // A busy wait: Wine's script host does not sleep reliably.
    WriteBytes(appDir + "slow.vbs",
               "Dim t\r\nt = Timer\r\nDo While Timer - t < 3\r\nLoop\r\nWScript.Echo \"Completed successfully.\"\r\n");
    WriteConfig(false, "slow.vbs");
    Start(Widen(target), Widen(kUser));
    Click(r_r);
    HWND main = window->Handle();
    HWND extra = C(Edit3);
    std::atomic<bool> done{false};
    int answered = 0, unanswered = 0, hung = 0;
    std::thread probe([&] {
        while (!done) {
            DWORD_PTR result = 0;
            // The window answers only from inside the flow's wait, so the
            // first answer means the command runs: a key typed now is dropped.
            if (SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result)) {
                if (answered++ == 0) PostMessageW(extra, WM_CHAR, 'x', 0);
            } else {
                ++unanswered;
            }
            if (IsHungAppWindow(main)) ++hung;
            Sleep(100);
        }
    });
    Execute();
    done = true;
    probe.join();
    test::Pump(*window);
    EXPECT_GE(answered, 10) << "answered while the command ran";
    EXPECT_EQ(unanswered, 0);
    EXPECT_EQ(hung, 0);
    EXPECT_EQ(GetText(extra), L"") << "input while the command ran is dropped";
    EXPECT_EQ(LastLogLine().substr(0, 26), std::string(test::kLogStamp) + "|SUCCEED: ");
}

// A drive root is composed as "C:\" and the script host reads the \" as an
// escaped quote: the target swallows the rest of the line and the run fails.
// The composed text is kept as it is; this records what the script receives.
TEST_F(ExecuteTest, ADriveRootTargetSwallowsTheRestOfTheLine) {
    Start(L"C:\\", Widen(kUser));
    Click(r_r);
    Execute();
    EXPECT_EQ(EchoedArguments(window->me_result), Lines{"C:\" /G OFFICE\\Sales:R  "}) << window->me_result.Text();
    EXPECT_EQ(LastLogLine().substr(0, 25), std::string(test::kLogStamp) + "|FAILED: ");
}

}  // namespace
}  // namespace permora
