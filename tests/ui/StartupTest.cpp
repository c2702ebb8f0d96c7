// The program's life cycle in one window: the configuration at start-up (with
// the setup wizard answered by a driver), the defaults, Settings and closing;
// checked by what the window shows and what lands on disk.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/TempDir.h"
#include "tests/ui/DialogAnswerer.h"
#include "tests/ui/Pump.h"
#include "tests/ui/ModalDriver.h"
#include "tests/ui/TestConfig.h"
#include "ui/Main/Tmain.h"
#include "ui/Text.h"
#include "ui/Wz_firstrun/TWZ_firstrun.h"

namespace permora {
namespace {

namespace fs = std::filesystem;
using test::DialogAnswerer;
using test::ReadBytes;
using test::TempDir;
using test::Config;
using test::FixedClock;
using test::kFirstStartFile;
using test::WizardDriver;
using test::WriteBytes;
using Answer = WizardDriver::Answer;
using namespace tmain;

std::vector<std::wstring> Titles(const DialogAnswerer& answerer) {
    std::vector<std::wstring> titles;
    for (const auto& seen : answerer.Seen()) titles.push_back(seen.title);
    return titles;
}

bool Checked(HWND button) {
    return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

class StartupTest : public ::testing::Test {
protected:
    void Start() {
        window.Create();
        window.Show();
        test::Pump(window);
    }
    HWND C(tmain::Control id) const { return window.Control(id); }
    std::string Ticks() const {
        std::string ticks;
        const char* letters = "fmxrlw7";
        const tmain::Control boxes[] = {r_f, r_m, r_x, r_r, r_l, r_w, r_7};
        for (int i = 0; i < kPermissionFlagCount; ++i)
            if (Checked(C(boxes[i]))) ticks += letters[i];
        return ticks;
    }
    // The window closes by itself once the event loop runs.
    bool ClosesByItself() {
        if (!window.t_closeallEnabled()) return false;
        RunEventLoop(window);
        return window.Handle() == nullptr;
    }
    std::string Ini() const { return dir.File("Permora.ini"); }
    std::string Log() const { return ReadBytes(dir.File("Permora.log")); }

    TempDir dir;
    DialogAnswerer answerer;
    WizardDriver wizard;
    Tmain window{dir.Dir(), FixedClock()};
};

TEST_F(StartupTest, FirstStartCancelledWritesNothingAndEnds) {
    wizard.Queue(Answer::Cancel);
    Start();
    EXPECT_EQ(wizard.Shown(), 1);
    EXPECT_TRUE(answerer.Seen().empty());
    EXPECT_TRUE(ClosesByItself());
    EXPECT_TRUE(fs::is_empty(dir.Dir())) << "nothing written, nothing logged";
}

TEST_F(StartupTest, FirstStartSavedAppliesTheWizardsDefaults) {
    wizard.Queue(Answer::Save);
    Start();
    EXPECT_EQ(wizard.Shown(), 1);
    EXPECT_EQ(ReadBytes(Ini()), kFirstStartFile);
    EXPECT_EQ(window.ConfigVersion, "1.2");
    EXPECT_TRUE(Checked(C(opt_edit)));
    EXPECT_EQ(window.SelectedMethod(), AclMethod::Grant);
    EXPECT_EQ(Ticks(), "");
    EXPECT_FALSE(window.ShowCommandFlag);
    EXPECT_FALSE(IsWindowEnabled(C(bt_execute))) << "no path of xcacls.vbs yet";
    EXPECT_FALSE(window.t_closeallEnabled());
    EXPECT_TRUE(answerer.Seen().empty());
}

TEST_F(StartupTest, APathFromTheWizardEnablesExecute) {
    wizard.Queue(Answer::Save, [](HWND w) { SetText(WizardDriver::Find(w, wz::Edit1), L"C:\\Tools\\xcacls.vbs"); });
    Start();
    EXPECT_EQ(window.XcaclsPath, "C:\\Tools\\xcacls.vbs");
    EXPECT_TRUE(IsWindowEnabled(C(bt_execute)));
}

// Files as administrators edit them by hand.
TEST(StartupFilesTest, HandEditedConfigurations) {
    struct Case {
        const char* label;
        std::string file;  // empty label text: a directory of that name
        bool isDirectory;
        const char* ticks;
        AclMethod method;
        std::string version;
        std::vector<std::wstring> messages;
        int wizards;
    };
    const Case cases[] = {
        {"\"True\" is not true", Config("gui_F = True\r\noption_method = deny\r\n"), false, "", AclMethod::Deny, "1.2",
         {}, 0},
        {"Modify alone spreads to every box but Full Control", Config("gui_M = true\r\n"), false, "mxrlw7",
         AclMethod::None, "1.2", {}, 0},
        {"an empty file applies nothing and says nothing", "", false, "", AclMethod::None, "-1", {}, 0},
        {"a directory of that name counts as no file", "", true, "", AclMethod::None, "-1", {}, 1},
        // The wizard starts from what the old file set: no method, which it saves as replace.
        {"without a version: conflict, wizard, reload", "Permora Config\r\ngui_R = true\r\n", false, "rl",
         AclMethod::Replace, "1.2", {L"Version Conflict"}, 1},
        {"another version: conflict, wizard, reload", Config("gui_R = true\r\n", "1.1"), false, "rl",
         AclMethod::Replace, "1.2", {L"Version Conflict"}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TempDir dir;
        if (c.isDirectory) fs::create_directory(dir.File("Permora.ini"));
        else WriteBytes(dir.File("Permora.ini"), c.file);
        DialogAnswerer answerer;
        WizardDriver wizard;
        // A conflict's wizard is saved; the directory's is cancelled.
        if (!c.isDirectory) wizard.Queue(Answer::Save);
        Tmain window(dir.Dir(), FixedClock());
        window.Create();

        std::string ticks;
        const tmain::Control boxes[] = {r_f, r_m, r_x, r_r, r_l, r_w, r_7};
        for (int i = 0; i < kPermissionFlagCount; ++i)
            if (Checked(window.Control(boxes[i]))) ticks += "fmxrlw7"[i];
        EXPECT_EQ(ticks, c.ticks);
        EXPECT_EQ(window.SelectedMethod(), c.method);
        EXPECT_EQ(window.ConfigVersion, c.version);
        EXPECT_EQ(Titles(answerer), c.messages);
        EXPECT_EQ(wizard.Shown(), c.wizards);
        EXPECT_EQ(window.t_closeallEnabled(), c.isDirectory);
    }
}

// The conflict's two lines reach the file after the older lines, at the next save.
TEST_F(StartupTest, VersionConflictIsLoggedAfterTheLoadedLog) {
    WriteBytes(Ini(), Config("gui_W = true\r\noption_method = deny\r\n", "1.0"));
    WriteBytes(dir.File("Permora.log"), "older line\r\n");
    wizard.Queue(Answer::Save);
    Start();
    ASSERT_EQ(Titles(answerer), std::vector<std::wstring>{L"Version Conflict"});
    EXPECT_EQ(answerer.Seen()[0].flags, 64u);
    EXPECT_EQ(answerer.Seen()[0].text,
              L"The configuration file seems to have the wrong version.\n\nThe First Run Wizard will now start to "
              L"update the configuration ...");
    EXPECT_EQ(ReadBytes(Ini()).substr(0, 31), "Permora Config\r\nVersion = 1.2\r\n");
    EXPECT_EQ(window.ConfigVersion, "1.2");

    WriteBytes(dir.File("Permora.tmp"), "x");
    window.Close();
    EXPECT_EQ(Log(),
              "older line\r\n"
              "04.02.2006|23:09|Wrong Config Version detected - Restarting First Run Wizard\r\n"
              "04.02.2006|23:09|Wrong Config Version detected - First Run Wizard completed\r\n"
              "04.02.2006|23:09|Application Closed - tempfiles cleaned successfully\r\n");
}

// The file the conflict's wizard wrote cannot be read: a warning, and the
// window goes on with what the old file set.
TEST_F(StartupTest, AnUpdatedConfigurationThatFailsToLoadIsReported) {
    WriteBytes(Ini(), Config("XCACLSPath = C:\\old.vbs\r\noption_method = deny\r\n", "1.0"));
    HANDLE held = INVALID_HANDLE_VALUE;
    wizard.Queue(Answer::Save, {},
                 [&] { held = CreateFileA(Ini().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr); });
    Start();
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    CloseHandle(held);
    ASSERT_EQ(Titles(answerer), (std::vector<std::wstring>{L"Version Conflict", L"IO-ERROR"}));
    EXPECT_EQ(answerer.Seen()[1].text, L"Failed to load updated config file");
    EXPECT_EQ(answerer.Seen()[1].flags, 48u);
    EXPECT_EQ(window.ConfigVersion, "1.0");
    EXPECT_EQ(window.XcaclsPath, "C:\\old.vbs");
    EXPECT_EQ(window.SelectedMethod(), AclMethod::Deny);
    EXPECT_FALSE(window.t_closeallEnabled());
}

TEST_F(StartupTest, CancelledConflictWizardEndsWithoutAskingAgain) {
    WriteBytes(Ini(), Config("", "0.9"));
    wizard.Queue(Answer::Cancel);
    Start();
    EXPECT_TRUE(ClosesByItself());
    EXPECT_EQ(Titles(answerer), std::vector<std::wstring>{L"Version Conflict"});
    EXPECT_EQ(wizard.Shown(), 1);
    EXPECT_EQ(ReadBytes(Ini()), Config("", "0.9"));
}

TEST_F(StartupTest, AConfigurationThatFailsToLoadBringsTheWizardBack) {
    WriteBytes(Ini(), Config(""));
    HANDLE held = CreateFileA(Ini().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    wizard.Queue(Answer::Cancel);
    Start();
    CloseHandle(held);
    ASSERT_EQ(Titles(answerer), std::vector<std::wstring>{L"IO ERROR"});
    EXPECT_EQ(answerer.Seen()[0].text, L"Failed to load config file...\n\nRestarting first run wizzard...");
    EXPECT_EQ(answerer.Seen()[0].flags, 64u);
    EXPECT_EQ(wizard.Shown(), 1);
    EXPECT_TRUE(ClosesByItself());
}

TEST_F(StartupTest, LoadDefaultsKeepsWhatTheConfigurationDoesNotSet) {
    WriteBytes(Ini(), Config("XCACLSPath = C:\\x.vbs\r\noption_method = other\r\nspec_7 = false\r\n"));
    Start();
    SendMessageW(C(r_7), BM_CLICK, 0, 0);
    SendMessageW(C(RadioButton4), BM_CLICK, 0, 0);
    window.LoadDefaults();
    EXPECT_EQ(Ticks(), "7") << "r_7 is never reset";
    EXPECT_EQ(window.SelectedMethod(), AclMethod::Revoke);
    EXPECT_TRUE(IsWindowEnabled(C(r_f))) << "the permission group is enabled again";
}

TEST_F(StartupTest, SettingsSavedThenReloadedOrDeclined) {
    WriteBytes(Ini(), Config("XCACLSPath = C:\\x.vbs\r\noption_method = grant\r\n"));
    Start();
    auto chooseDeny = [](HWND w) { WizardDriver::Click(w, wz::RadioButton2); };

    wizard.Queue(Answer::Save, chooseDeny);
    answerer.Press(IDNO);
    SendMessageW(C(Button5), BM_CLICK, 0, 0);
    EXPECT_NE(ReadBytes(Ini()).find("option_method = deny\r\n"), std::string::npos) << "the file is new";
    EXPECT_EQ(window.SelectedMethod(), AclMethod::Grant) << "the controls are not";
    EXPECT_EQ(GetFocus(), C(bt_select));

    wizard.Queue(Answer::Save, chooseDeny);
    answerer.Press(IDYES);
    SendMessageW(C(Button5), BM_CLICK, 0, 0);
    EXPECT_EQ(window.SelectedMethod(), AclMethod::Deny);
    ASSERT_EQ(answerer.Seen().size(), 2u);
    EXPECT_EQ(answerer.Seen()[1].title, L"Configuration Update");
    EXPECT_EQ(answerer.Seen()[1].text, L"The Configuration has been changed\n\nDo you want to reload the configuration?");
    EXPECT_EQ(answerer.Seen()[1].flags, 36u);

    wizard.Queue(Answer::Cancel);
    SendMessageW(C(Button5), BM_CLICK, 0, 0);
    EXPECT_EQ(answerer.Seen().size(), 2u) << "a cancelled wizard asks nothing";
    EXPECT_EQ(GetFocus(), C(bt_select));
}

TEST_F(StartupTest, SettingsWhoseReloadFailsLetTheUserChoose) {
    WriteBytes(Ini(), Config("XCACLSPath = C:\\x.vbs\r\noption_method = grant\r\n"));
    Start();
    for (int answer : {IDYES, IDNO}) {
        SCOPED_TRACE(answer == IDYES ? "go on with the old configuration" : "close");
        HANDLE held = INVALID_HANDLE_VALUE;
        // Once saved, the file is held open without sharing, so the reload fails.
        wizard.Queue(
            Answer::Save, [](HWND w) { WizardDriver::Click(w, wz::RadioButton2); },
            [&] { held = CreateFileA(Ini().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr); });
        answerer.Press(IDYES);
        answerer.Press(answer);
        SendMessageW(C(Button5), BM_CLICK, 0, 0);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        CloseHandle(held);

        ASSERT_FALSE(answerer.Seen().empty());
        const auto& asked = answerer.Seen().back();
        EXPECT_EQ(asked.title, L"IO-ERROR");
        EXPECT_EQ(asked.text,
                  L"An error occured while loading the new config file.\n\nDo you want to proceed with the old "
                  L"configuration?");
        EXPECT_EQ(asked.flags, 36u);
        EXPECT_EQ(window.SelectedMethod(), AclMethod::Grant);
        EXPECT_EQ(window.t_closeallEnabled(), answer == IDNO);
    }
    EXPECT_TRUE(ClosesByItself());
}

TEST_F(StartupTest, TheWizardStartsFromTheWindowsCurrentState) {
    WriteBytes(Ini(), Config("XCACLSPath = C:\\x.vbs\r\noption_method = grant\r\noption_edit = true\r\n"));
    Start();
    struct Case {
        const char* label;
        std::vector<tmain::Control> clicks;
        std::vector<int> wizardChecked;  // wizard controls shown checked
        const char* savedMethod;
        const char* savedBoxes;  // gui_F..spec_7 as 0/1
    };
    const Case cases[] = {
        {"Revoke: no method, saved as replace", {RadioButton4}, {wz::CheckBox4}, "replace", "0000000"},
        {"Modify: six boxes", {RadioButton1, r_m},
         {wz::CheckBox4, wz::RadioButton1, wz::r_m, wz::r_x, wz::r_r, wz::r_l, wz::r_w, wz::r_7}, "grant", "0111111"},
        // Unchecking Modify, List Folder Content and Write leaves only r_7.
        {"Delete Subfolders and Files alone", {r_m, r_l, r_w}, {wz::CheckBox4, wz::RadioButton1, wz::r_7}, "grant",
         "0000001"},
    };
    const int wizardBoxes[] = {wz::CheckBox4, wz::RadioButton1, wz::RadioButton2, wz::RadioButton3, wz::r_f,
                               wz::r_m,       wz::r_x,          wz::r_r,          wz::r_l,          wz::r_w,
                               wz::r_7,       wz::command};
    const char* keys[] = {"gui_F", "gui_M", "gui_X", "gui_R", "gui_L", "gui_W", "spec_7"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        for (tmain::Control id : c.clicks) SendMessageW(C(id), BM_CLICK, 0, 0);
        std::vector<int> shown;
        std::wstring path;
        wizard.Queue(Answer::Save, [&](HWND w) {
            for (int id : wizardBoxes)
                if (Checked(WizardDriver::Find(w, id))) shown.push_back(id);
            path = GetText(WizardDriver::Find(w, wz::Edit1));
        });
        answerer.Press(IDNO);
        SendMessageW(C(Button5), BM_CLICK, 0, 0);
        EXPECT_EQ(shown, c.wizardChecked);
        EXPECT_EQ(path, L"C:\\x.vbs");
        const std::string file = ReadBytes(Ini());
        EXPECT_NE(file.find(std::string("option_method = ") + c.savedMethod + "\r\n"), std::string::npos) << file;
        for (int i = 0; i < kPermissionFlagCount; ++i) {
            std::string line = std::string(keys[i]) + " = " + (c.savedBoxes[i] == '1' ? "true" : "false") + "\r\n";
            EXPECT_NE(file.find(line), std::string::npos) << line;
        }
    }
}

TEST_F(StartupTest, ClosingRemovesTheOutputFileAndLogsIt) {
    WriteBytes(Ini(), "");
    Start();
    SendMessageW(C(Button1), BM_CLICK, 0, 0);
    EXPECT_EQ(window.Handle(), nullptr);
    EXPECT_FALSE(fs::exists(dir.File("Permora.log"))) << "no output file: no line, no save";

    Tmain second(dir.Dir(), FixedClock());
    second.Create();
    WriteBytes(dir.File("Permora.tmp"), "Completed successfully.\r\n");
    HANDLE held = CreateFileA(dir.File("Permora.tmp").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    SendMessageW(second.Handle(), WM_CLOSE, 0, 0);
    CloseHandle(held);
    EXPECT_EQ(second.Handle(), nullptr) << "the close goes ahead";
    EXPECT_EQ(Log(), "04.02.2006|23:09|Failed to delete temp file Permora.tmp\r\n");

    Tmain third(dir.Dir(), FixedClock());
    third.Create();
    SendMessageW(third.Handle(), WM_ENDSESSION, TRUE, 0);  // log-off: no WM_CLOSE comes
    EXPECT_FALSE(fs::exists(dir.File("Permora.tmp")));
    EXPECT_EQ(Log(),
              "04.02.2006|23:09|Failed to delete temp file Permora.tmp\r\n"
              "04.02.2006|23:09|Application Closed - tempfiles cleaned successfully\r\n");
    const std::string logged = Log();
    WriteBytes(dir.File("Permora.tmp"), "x");
    third.Close();
    EXPECT_EQ(Log(), logged) << "the close handler ran once, at the end of the session";
}

// A close requested while a modal window is open waits until that window is gone.
TEST_F(StartupTest, TheCloseTimerWaitsForAnOpenModalWindow) {
    WriteBytes(Ini(), "");
    Start();
    window.t_closeallStart();
    MessageBoxW(window.Handle(), L"modal", L"modal", MB_OK);  // answered by the answerer
    EXPECT_NE(window.Handle(), nullptr);
    RunEventLoop(window);
    EXPECT_EQ(window.Handle(), nullptr);
}

}  // namespace
}  // namespace permora
