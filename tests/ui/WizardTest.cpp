// The setup wizard, driven as a user would: clicks, keys, the close box and
// dialogs answered by hooks; checked by what it shows and what it writes.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "files/ConfigFile.h"
#include "tests/TempDir.h"
#include "tests/ui/DialogAnswerer.h"
#include "tests/ui/ModalDriver.h"
#include "tests/ui/Pump.h"
#include "tests/ui/TestConfig.h"
#include "ui/Text.h"
#include "ui/Wz_firstrun/TWZ_firstrun.h"

namespace permora {
namespace {

namespace fs = std::filesystem;
using test::DialogAnswerer;
using test::kFirstStartFile;
using test::ModalDriver;
using test::ReadBytes;
using test::TempDir;
using namespace wz;

constexpr wz::Control kBoxes[] = {r_f, r_m, r_x, r_r, r_l, r_w, r_7};
constexpr wz::Control kPanels[] = {welcome, p_user1, p_user2, p_user3, p_user4, finish};

int Scaled(int pixels) {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return MulDiv(pixels, dpi, 96);
}

class WizardTest : public ::testing::Test {
protected:
    // A wizard as the program opens it, shown and active but driven by the test.
    void Open(const WizardSource& source = {}) {
        wizard = std::make_unique<TWZ_firstrun>(source, dir.Dir());
        wizard->Create(nullptr);
        ShowWindow(wizard->Handle(), SW_SHOW);
        SetForegroundWindow(wizard->Handle());
        test::Pump(*wizard);
    }

    HWND C(wz::Control id) const { return wizard->Control(id); }
    void Click(wz::Control id) { SendMessageW(C(id), BM_CLICK, 0, 0); }
    bool Checked(wz::Control id) const { return SendMessageW(C(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    // Shown on its own account, whether or not the wizard itself is.
    bool Shown(wz::Control id) const { return (GetWindowLongW(C(id), GWL_STYLE) & WS_VISIBLE) != 0; }
    bool Enabled(wz::Control id) const { return IsWindowEnabled(C(id)) != FALSE; }

    void NextTo(int page) {
        for (int clicks = 0; TWZ_firstrun::CurrentPage != page && clicks < 6; ++clicks) Click(bt_next);
        ASSERT_EQ(TWZ_firstrun::CurrentPage, page);
    }

    // The boxes that show a tick, as r_f..r_7 letters ("fmxrlw7"), checked
    // against the wizard's permission flags too.
    std::string Ticks() const {
        std::string ticks;
        const char* letters = "fmxrlw7";
        for (int i = 0; i < kPermissionFlagCount; ++i) {
            bool shown = Checked(kBoxes[i]);
            EXPECT_EQ(shown, wizard->Permissions.Get(static_cast<PermissionFlag>(i))) << "box r_" << letters[i];
            if (shown) ticks += letters[i];
        }
        return ticks;
    }

    // The one page panel shown; null when none or more than one is.
    HWND ShownPanel() const {
        HWND shown = nullptr;
        for (wz::Control panel : kPanels) {
            if (!Shown(panel)) continue;
            if (shown) return nullptr;
            shown = C(panel);
        }
        return shown;
    }

    // Shows the wizard modally; the driver acts on it from inside its loop.
    // True when ShowModal came back after that one action. A wizard still
    // open afterwards is found again by the driver and destroyed, which also
    // ends ShowModal.
    bool ClosesOn(ModalDriver::Action action) {
        ModalDriver driver(kWizardClassName);
        driver.Queue(std::move(action));
        driver.Queue([](HWND w) { DestroyWindow(w); });
        wizard->ShowModal(nullptr);
        return driver.Shown() == 1 && wizard->Handle() && !IsWindowVisible(wizard->Handle());
    }

    std::string Ini() const { return dir.File("Permora.ini"); }

    TempDir dir;
    std::unique_ptr<TWZ_firstrun> wizard;
};

std::vector<std::wstring> TextsIn(HWND panel) {
    std::vector<std::wstring> texts;
    for (HWND child = GetWindow(panel, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[16] = {};
        GetClassNameW(child, className, 16);
        std::wstring text = GetText(child);
        if (lstrcmpiW(className, L"Static") == 0 && !text.empty()) texts.push_back(text);
    }
    return texts;
}

TEST_F(WizardTest, NextLeadsThroughEveryPage) {
    struct View {
        int page;
        wz::Control panel;
        std::wstring title, discribe, next;
        bool previousEnabled, cancelShown;
    };
    const View views[] = {
        {0, welcome, L"", L"", L"&Next", true, true},
        {10, p_user1, L"Locate XCACLS.VBS", L"Select your local copy of xcacls.vbs ...", L"&Next", true, true},
        {20, p_user2, L"Default Settings", L"Define your default options here...", L"&Next", true, true},
        {30, p_user3, L"Default Settings", L"Define your default permissions here...", L"&Next", true, true},
        {40, p_user4, L"Default Settings", L"Display command line before execution", L"&Next", true, true},
        {99, finish, L"", L"", L"Save", false, false},
    };
    Open();
    for (const View& v : views) {
        SCOPED_TRACE("page " + std::to_string(v.page));
        if (v.page != 0) Click(bt_next);
        EXPECT_EQ(TWZ_firstrun::CurrentPage, v.page);
        EXPECT_EQ(GetText(C(pos_disp)), std::to_wstring(v.page));
        EXPECT_FALSE(Shown(pos_disp));
        EXPECT_EQ(ShownPanel(), C(v.panel));
        EXPECT_EQ(GetText(C(title)), v.title);
        EXPECT_EQ(GetText(C(discribe)), v.discribe);
        EXPECT_EQ(GetText(C(bt_next)), v.next);
        EXPECT_EQ(GetText(C(bt_prev)), L"&Previous");
        EXPECT_TRUE(Enabled(bt_next));
        EXPECT_EQ(Enabled(bt_prev), v.previousEnabled);
        EXPECT_EQ(Shown(Button1), v.cancelShown);
        if (v.page >= 10 && v.page <= 40) {
            std::vector<std::wstring> texts = TextsIn(C(v.panel));
            EXPECT_NE(std::find(texts.begin(), texts.end(), L"Click \"Next\" to continue"), texts.end());
        }
    }
    EXPECT_EQ(TextsIn(C(welcome)), (std::vector<std::wstring>{L"Welcome to the Quillon Permora Setup Wizzard",
                                                              L"This Wizzard will help you to set up the application",
                                                              L"Please click \"Next\" to start the wizzard"}));
    EXPECT_EQ(TextsIn(C(finish)),
              (std::vector<std::wstring>{L"Setup is complete", L"Please click \"Close\" to end the wizzard"}));

    // The disabled Previous takes no click.
    Click(bt_prev);
    EXPECT_EQ(TWZ_firstrun::CurrentPage, 99);
}

TEST_F(WizardTest, PreviousLeadsBackAndDoesNothingOnTheWelcomePage) {
    Open();
    NextTo(40);
    for (int page : {30, 20, 10, 0, 0}) {
        Click(bt_prev);
        EXPECT_EQ(TWZ_firstrun::CurrentPage, page);
        EXPECT_EQ(ShownPanel(), C(page == 0 ? welcome : page == 10 ? p_user1 : page == 20 ? p_user2 : p_user3));
    }
    EXPECT_TRUE(Enabled(bt_prev));
    EXPECT_FALSE(fs::exists(Ini()));
}

TEST_F(WizardTest, EnteringTheFinishPageWritesTheFileAndClosingKeepsIt) {
    struct Case {
        const char* label;
        ModalDriver::Action close;
    };
    const Case cases[] = {
        {"Save", [](HWND w) { ModalDriver::Click(w, bt_next); }},
        {"the close box", [](HWND w) { SendMessageW(w, WM_CLOSE, 0, 0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        fs::remove(Ini());
        Open();
        NextTo(40);
        EXPECT_FALSE(fs::exists(Ini()));
        Click(bt_next);
        EXPECT_EQ(ReadBytes(Ini()), kFirstStartFile);
        EXPECT_TRUE(wizard->ConfigSaved);

        EXPECT_TRUE(ClosesOn(c.close));
        EXPECT_EQ(ReadBytes(Ini()), kFirstStartFile);
        EXPECT_TRUE(wizard->ConfigSaved);
    }
}

TEST_F(WizardTest, CancelOrTheCloseBoxBeforeTheFinishWritesNothing) {
    struct Case {
        int page;
        bool closeBox;
    };
    const Case cases[] = {{0, false}, {0, true}, {10, true}, {20, false}, {30, true}, {40, false}, {40, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE("page " + std::to_string(c.page) + (c.closeBox ? ", close box" : ", Cancel"));
        Open();
        NextTo(c.page);
        bool closeBox = c.closeBox;
        EXPECT_TRUE(ClosesOn([closeBox](HWND w) {
            if (closeBox)
                SendMessageW(w, WM_CLOSE, 0, 0);
            else
                ModalDriver::Click(w, Button1);
        }));
        EXPECT_FALSE(wizard->ConfigSaved);
        EXPECT_TRUE(fs::is_empty(dir.Dir()));
    }
}

TEST_F(WizardTest, AFailedSaveIsReportedAndTheFinishPageFollows) {
    struct Case {
        const char* label;
        bool directory;
    };
    const Case cases[] = {{"a read-only file", false}, {"a directory of that name", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TempDir appDir;
        std::string ini = appDir.File("Permora.ini");
        if (c.directory) {
            fs::create_directory(ini);
        } else {
            test::WriteBytes(ini, "Permora Config\r\n# mine\r\n");
            SetFileAttributesW(Widen(ini).c_str(), FILE_ATTRIBUTE_READONLY);
        }
        wizard = std::make_unique<TWZ_firstrun>(WizardSource{}, appDir.Dir());
        wizard->Create(nullptr);
        NextTo(40);

        DialogAnswerer answerer;
        Click(bt_next);
        ASSERT_EQ(answerer.Seen().size(), 1u);
        EXPECT_EQ(answerer.Seen()[0].title, L"IO-ERROR");
        EXPECT_EQ(answerer.Seen()[0].text, L"Failed to save configuration file\n\nPlease ensure you have enough permissions");
        EXPECT_EQ(answerer.Seen()[0].flags, 16u);

        EXPECT_EQ(TWZ_firstrun::CurrentPage, 99);
        EXPECT_EQ(ShownPanel(), C(finish));
        EXPECT_FALSE(Enabled(bt_prev));
        EXPECT_FALSE(Shown(Button1));
        EXPECT_EQ(GetText(C(bt_next)), L"Save");
        EXPECT_FALSE(wizard->ConfigSaved);
        if (c.directory) EXPECT_TRUE(fs::is_directory(ini));
        else EXPECT_EQ(ReadBytes(ini), "Permora Config\r\n# mine\r\n");

        EXPECT_TRUE(ClosesOn([](HWND w) { ModalDriver::Click(w, bt_next); }));
        EXPECT_FALSE(wizard->ConfigSaved);
        EXPECT_EQ(answerer.Seen().size(), 1u) << "nothing is retried";
        SetFileAttributesW(Widen(ini).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

TEST_F(WizardTest, StartsFromTheMainWindowsState) {
    auto flags = [](std::initializer_list<PermissionFlag> set) {
        std::array<bool, kPermissionFlagCount> result{};
        for (PermissionFlag f : set) result[static_cast<int>(f)] = true;
        return result;
    };
    using F = PermissionFlag;
    struct Case {
        const char* label;
        WizardSource source;
        std::wstring path;
        bool editAcl;
        const char* method;  // the radio button shown: "grant", "deny", "replace" or "" for none
        const char* ticks;
        bool showCommand;
        const char* savedMethod;
    };
    WizardSource deny;
    deny.HasConfig = true;
    deny.XcaclsPath = "C:\\Tools\\xcacls.vbs";
    deny.Deny = true;
    deny.Permissions = flags({F::Read, F::ListFolderContent});
    deny.ShowCommand = true;
    WizardSource withoutConfig = deny;
    withoutConfig.HasConfig = false;
    WizardSource revoke;
    revoke.HasConfig = true;
    revoke.EditAcl = true;
    revoke.Permissions = flags({F::DeleteSubfoldersAndFiles});
    // As the main window's rules leave them.
    WizardSource modify;
    modify.HasConfig = true;
    modify.Grant = true;
    modify.Permissions = flags({F::Modify, F::ReadAndExecute, F::Read, F::ListFolderContent, F::Write,
                                F::DeleteSubfoldersAndFiles});
    WizardSource replace = modify;
    replace.Grant = false;
    replace.Replace = true;
    replace.Permissions.fill(true);

    const Case cases[] = {
        {"no configuration: the wizard's own defaults", withoutConfig, L"", true, "grant", "", false, "grant"},
        {"deny, a path and the show-command switch", deny, L"C:\\Tools\\xcacls.vbs", false, "deny", "rl", true, "deny"},
        {"Revoke: no method, saved as replace; r_7 alone", revoke, L"", true, "", "7", false, "replace"},
        {"Modify", modify, L"", false, "grant", "mxrlw7", false, "grant"},
        {"Full Control", replace, L"", false, "replace", "fmxrlw7", false, "replace"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        fs::remove(Ini());
        Open(c.source);
        EXPECT_EQ(GetText(C(Edit1)), c.path);
        EXPECT_EQ(Checked(CheckBox4), c.editAcl);
        std::string method = Checked(RadioButton1) ? "grant" : "";
        if (Checked(RadioButton2)) method += "deny";
        if (Checked(RadioButton3)) method += "replace";
        EXPECT_EQ(method, c.method);
        EXPECT_EQ(Ticks(), c.ticks);
        EXPECT_EQ(Checked(command), c.showCommand);

        NextTo(99);
        LineStore saved;
        ASSERT_TRUE(saved.LoadFromFile(Ini()));
        EXPECT_EQ(saved.Count(), 13u);
        EXPECT_EQ(GetConfigValue(saved, kKeyXcaclsPath), Narrow(c.path));
        EXPECT_EQ(GetConfigValue(saved, kKeyOptionEdit), c.editAcl ? "true" : "false");
        EXPECT_EQ(GetConfigValue(saved, kKeyOptionMethod), c.savedMethod);
        std::string savedTicks;
        for (int i = 0; i < kPermissionFlagCount; ++i)
            if (GetConfigValue(saved, kPermissionKeys[i]) == "true") savedTicks += "fmxrlw7"[i];
        EXPECT_EQ(savedTicks, c.ticks);
        EXPECT_EQ(GetConfigValue(saved, kKeyShowCommand), c.showCommand ? "true" : "false");
    }
}

TEST_F(WizardTest, ClicksOnTheBoxesFollowThePermissionRules) {
    Open();
    NextTo(30);
    Click(r_m);
    EXPECT_EQ(Ticks(), "mxrlw7");
    Click(r_l);
    EXPECT_EQ(Ticks(), "w7");
    // r_7's navy caption is part of its box.
    HWND caption = wizard->CaptionLabel(r_7);
    ASSERT_NE(caption, nullptr);
    SendMessageW(caption, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(caption, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(Ticks(), "w");
    Click(r_f);
    EXPECT_EQ(Ticks(), "fmxrlw7");
    EXPECT_TRUE(Enabled(GroupBox1));
}

TEST_F(WizardTest, AMethodClickSelectsItAloneAndRunsNoRule) {
    Open();
    NextTo(30);
    Click(r_f);
    Click(bt_prev);
    for (wz::Control method : {RadioButton3, RadioButton2, RadioButton1}) {
        Click(method);
        EXPECT_EQ(Checked(RadioButton1) + Checked(RadioButton2) + Checked(RadioButton3), 1);
        EXPECT_TRUE(Checked(method));
    }
    EXPECT_EQ(Ticks(), "fmxrlw7");
}

TEST_F(WizardTest, EveryWizardStartsOnTheWelcomePage) {
    Open();
    NextTo(30);
    TWZ_firstrun second(WizardSource{}, dir.Dir());
    second.Create(nullptr);
    EXPECT_EQ(TWZ_firstrun::CurrentPage, 0);
    EXPECT_TRUE(GetWindowLongW(second.Control(welcome), GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(GetWindowLongW(second.Control(p_user3), GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(second.ConfigSaved);
}

TEST_F(WizardTest, TabPassesCancelBy) {
    Open();
    EXPECT_EQ(GetFocus(), C(bt_next)) << "Next has the focus when the wizard opens";
    struct Case {
        int page;
        std::vector<wz::Control> order;  // from the first, Tab after Tab, back to the first
    };
    const Case cases[] = {
        {0, {bt_prev, bt_next, bt_prev}},
        {10, {Edit1, Button2, bt_prev, bt_next, Edit1}},
        {40, {command, bt_prev, bt_next, command}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("page " + std::to_string(c.page));
        wizard->ShowPage(c.page);
        SetFocus(C(c.order.front()));
        for (size_t i = 1; i < c.order.size(); ++i) {
            PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
            test::Pump(*wizard);
            EXPECT_EQ(GetFocus(), C(c.order[i])) << "Tab " << i;
        }
    }
}

TEST_F(WizardTest, TheFocusLeavesAHiddenPageForNext) {
    Open();
    NextTo(10);
    SetFocus(C(Edit1));
    wizard->ShowPage(20);
    EXPECT_EQ(GetFocus(), C(bt_next));

    // Alt+N is Next, and Alt+P Previous.
    SetFocus(C(CheckBox4));
    for (auto [key, page] : {std::pair<wchar_t, int>{L'n', 30}, {L'p', 20}}) {
        PostMessageW(GetFocus(), WM_SYSCHAR, key, 1 << 29);
        test::Pump(*wizard);
        EXPECT_EQ(TWZ_firstrun::CurrentPage, page);
    }
}

TEST_F(WizardTest, IsAFixedDialogOnTopInTheMiddleOfTheScreen) {
    struct Case {
        const char* label;
        bool owner;
        bool ownerShown;
        bool inTaskBar;
    };
    const Case cases[] = {
        {"no owner", false, false, true},
        {"a hidden owner, as at start-up", true, false, true},
        {"a shown owner, as from Settings", true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        HWND owner = c.owner ? CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                               nullptr, GetModuleHandleW(nullptr), nullptr)
                             : nullptr;
        if (owner && c.ownerShown) ShowWindow(owner, SW_SHOW);
        TWZ_firstrun w(WizardSource{}, dir.Dir());
        w.Create(owner);
        EXPECT_EQ(GetText(w.Handle()), L"Setup Wizzard");
        LONG style = GetWindowLongW(w.Handle(), GWL_STYLE);
        LONG exStyle = GetWindowLongW(w.Handle(), GWL_EXSTYLE);
        EXPECT_TRUE(style & WS_SYSMENU);
        EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
        EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
        EXPECT_TRUE(exStyle & WS_EX_DLGMODALFRAME);
        EXPECT_EQ((exStyle & WS_EX_APPWINDOW) != 0, c.inTaskBar);
        EXPECT_EQ(GetWindow(w.Handle(), GW_OWNER), owner);

        RECT r, work;
        GetWindowRect(w.Handle(), &r);
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        EXPECT_EQ(r.right - r.left, Scaled(505));
        EXPECT_EQ(r.bottom - r.top, Scaled(388));
        EXPECT_LE(std::abs((r.left + r.right) - (work.left + work.right)), 1);
        EXPECT_LE(std::abs((r.top + r.bottom) - (work.top + work.bottom)), 1);

        SetWindowPos(w.Handle(), nullptr, 0, 0, 800, 200, SWP_NOMOVE | SWP_NOZORDER);
        GetWindowRect(w.Handle(), &r);
        EXPECT_EQ(r.right - r.left, Scaled(505));
        EXPECT_EQ(r.bottom - r.top, Scaled(388));
        MINMAXINFO limits{};
        SendMessageW(w.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        EXPECT_EQ(limits.ptMinTrackSize.x, Scaled(505));
        EXPECT_EQ(limits.ptMaxTrackSize.x, Scaled(505));
        EXPECT_EQ(limits.ptMinTrackSize.y, Scaled(388));
        EXPECT_EQ(limits.ptMaxTrackSize.y, Scaled(388));

        // Everything the pages show fits inside.
        RECT client, buttons;
        GetClientRect(w.Handle(), &client);
        GetWindowRect(w.Control(Button1), &buttons);
        MapWindowPoints(nullptr, w.Handle(), reinterpret_cast<POINT*>(&buttons), 2);
        EXPECT_LE(buttons.right, client.right);
        EXPECT_LE(buttons.bottom, client.bottom);
        if (owner) DestroyWindow(owner);
    }
}

TEST_F(WizardTest, ShowsItsColours) {
    Open();
    NextTo(30);
    HDC dc = CreateCompatibleDC(nullptr);
    auto brushColor = [dc](HWND control) {
        auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(control), WM_CTLCOLORSTATIC,
                                                           reinterpret_cast<WPARAM>(dc),
                                                           reinterpret_cast<LPARAM>(control)));
        LOGBRUSH lb{};
        GetObjectW(brush, sizeof(lb), &lb);
        return lb.lbColor;
    };
    EXPECT_EQ(brushColor(C(r_x)), RGB(255, 255, 255)) << "the pages are white";
    EXPECT_EQ(brushColor(C(command)), RGB(255, 255, 255));
    brushColor(wizard->CaptionLabel(r_7));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 128));

    auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(C(Edit1)), WM_CTLCOLOREDIT,
                                                       reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(C(Edit1))));
    LOGBRUSH lb{};
    ASSERT_TRUE(GetObjectW(brush, sizeof(lb), &lb));
    EXPECT_EQ(lb.lbColor, 0xF0FBFFu);
    EXPECT_EQ(GetBkColor(dc), 0xF0FBFFu);

    // The labels over the banner and the pictures let them show through.
    for (HWND label : {C(title), GetWindow(C(welcome), GW_CHILD)}) {
        SetBkMode(dc, OPAQUE);
        LOGBRUSH picture{};
        GetObjectW(reinterpret_cast<HBRUSH>(SendMessageW(GetParent(label), WM_CTLCOLORSTATIC,
                                                         reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label))),
                   sizeof(picture), &picture);
        EXPECT_EQ(picture.lbStyle, static_cast<UINT>(BS_PATTERN));
        EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    }
    DeleteDC(dc);
}

// Tests that show the file dialog. 32-bit Wine under user-mode emulation
// crashes in and around it, so the runner leaves this suite out there
// (scripts/wine-run.sh); the 64-bit runs cover it.
using WizardDialogTest = WizardTest;

TEST_F(WizardDialogTest, BrowsingPutsTheChosenScriptIntoThePathAndRemembersIt) {
    std::string script = dir.File("my.vbs");
    test::WriteBytes(script, "' stand-in\r\n");
    Open();
    NextTo(10);
    DialogAnswerer answerer;
    answerer.AcceptFile(Widen(script));
    Click(Button2);
    ASSERT_EQ(answerer.Seen().size(), 1u);
    EXPECT_EQ(answerer.Seen()[0].title, L"Select XCACLS.vbs");
    EXPECT_EQ(answerer.Seen()[0].fileName, L"xcacls.vbs");
    EXPECT_EQ(GetText(C(Edit1)), Widen(script));

    SetText(C(Edit1), L"typed");
    Click(Button2);  // no answer queued: cancelled
    ASSERT_EQ(answerer.Seen().size(), 2u);
    EXPECT_EQ(answerer.Seen()[1].fileName, L"my.vbs");
    EXPECT_EQ(GetText(C(Edit1)), L"typed");

    NextTo(99);
    LineStore saved;
    ASSERT_TRUE(saved.LoadFromFile(Ini()));
    EXPECT_EQ(GetConfigValue(saved, kKeyXcaclsPath), "typed");
}

}  // namespace
}  // namespace permora
