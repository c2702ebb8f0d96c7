// The About window: what it reads from the version resource, how it looks,
// what its links start, and the way back to the main window.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "permora_version.h"
#include "res/resource.h"
#include "tests/TempDir.h"
#include "tests/ui/DialogAnswerer.h"
#include "tests/ui/ModalDriver.h"
#include "tests/ui/Pump.h"
#include "ui/Info/TInfo.h"
#include "ui/Main/Tmain.h"
#include "ui/Text.h"
#include "ui/VersionInfo.h"

namespace permora {
namespace {

namespace fs = std::filesystem;
using test::DialogAnswerer;
using test::ModalDriver;
using test::TempDir;
using namespace info;

constexpr wchar_t kCopyright[] = L"Copyright (C) 2024 The Permora developers";
constexpr COLORREF kWhite = RGB(255, 255, 255);

TEST(VersionInfoTest, ReadsTheFirstTranslationAndGivesEmptyTextWhenMissing) {
    TempDir dir;
    test::WriteBytes(dir.File("notes.txt"), "not a program");
    struct Case {
        const char* label;
        std::wstring file;
        std::wstring version, copyright;
    };
    const Case cases[] = {
        {"this test program, built with the program's resource", RunningProgramPath(), Widen(PERMORA_VERSION_TEXT),
         kCopyright},
        {"permora.exe", Widen(PERMORA_EXE), Widen(PERMORA_VERSION_TEXT), kCopyright},
        {"the first of two translations, without a copyright", Widen(PERMORA_VERSION_FIXTURE),
         L"2.0 first translation", L""},
        {"a program without a version resource", Widen(PERMORA_RECORDER), L"", L""},
        {"not a program", Widen(dir.File("notes.txt")), L"", L""},
        {"no such file", Widen(dir.File("missing.exe")), L"", L""},
    };
    VersionInfo reused;  // also read one file after another
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        reused.SetFileName(c.file);
        EXPECT_EQ(reused.FileVersion(), c.version);
        EXPECT_EQ(reused.LegalCopyright(), c.copyright);
    }
}

// A TInfo as Button3Click makes it, shown without its modal loop.
class TInfoTest : public ::testing::Test {
protected:
    void SetUp() override {
        banner = LoadScaledBitmap(IDB_BANNER, dpi);
        about.Create(nullptr, banner);
        ShowWindow(about.Handle(), SW_SHOW);
        SetForegroundWindow(about.Handle());
        test::Pump(about);
    }
    void TearDown() override { DeleteObject(banner); }

    HWND C(info::Control id) const { return about.Control(id); }

    LOGFONTW FontOf(HWND control) const {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
        return font;
    }

    Dpi dpi;
    HBITMAP banner = nullptr;
    TInfo about;
};

TEST_F(TInfoTest, IsAFixedDialogOnTopInTheMiddleOfTheScreen) {
    HWND w = about.Handle();
    EXPECT_EQ(GetText(w), L"Info");
    RECT client;
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, dpi(497));
    EXPECT_EQ(client.bottom, dpi(282));
    LONG style = GetWindowLongW(w, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU) << "close box";
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT r, work;
    GetWindowRect(w, &r);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR(r.left + r.right, work.left + work.right, 1);
    EXPECT_NEAR(r.top + r.bottom, work.top + work.bottom, 1);

    // White where no control is: the middle of the empty right half.
    HDC dc = GetDC(w);
    EXPECT_EQ(GetPixel(dc, dpi(400), dpi(150)), kWhite);
    ReleaseDC(w, dc);

    // The banner is a copy of the one it was given.
    auto shown = reinterpret_cast<HBITMAP>(SendMessageW(C(Image1), STM_GETIMAGE, IMAGE_BITMAP, 0));
    EXPECT_NE(shown, nullptr);
    EXPECT_NE(shown, banner);
    EXPECT_EQ(GetText(C(Button1)), L"Close");
    EXPECT_EQ(GetFocus(), C(Button1));
}

TEST_F(TInfoTest, LabelsShowTheirTextsAndColours) {
    const int normal = -MulDiv(8, dpi.Value(), 72);
    struct Case {
        info::Control label;
        const wchar_t* text;
        bool bold;
        int height;
        COLORREF color;
        bool overBanner;
    };
    const Case cases[] = {
        {Label1, L"Permora", true, -dpi(13), RGB(0, 0, 0), true},
        {Label2, L"Graphical User Interface for xcacls.vbs", false, normal, RGB(0, 0, 0), true},
        {Label3, L"Version:", true, normal, RGB(0, 0, 0), false},
        {Label4, L"Copyright:", true, normal, RGB(0, 0, 0), false},
        {Label5, L"License:", true, normal, RGB(0, 0, 0), false},
        {Label6, L"Homepage:", true, normal, RGB(0, 0, 0), false},
        {Label7, L"Support:", true, normal, RGB(0, 0, 0), false},
        {Label8, L"", false, normal, RGB(0, 0, 128), false},  // filled in by whoever shows the window
        {Label9, L"", false, normal, RGB(0, 0, 128), false},
    };
    HDC dc = CreateCompatibleDC(nullptr);
    for (const Case& c : cases) {
        HWND label = C(c.label);
        SCOPED_TRACE(Narrow(c.text));
        EXPECT_EQ(GetText(label), c.text);
        LOGFONTW font = FontOf(label);
        EXPECT_EQ(font.lfWeight, c.bold ? FW_BOLD : FW_NORMAL);
        EXPECT_EQ(font.lfHeight, c.height);
        EXPECT_STREQ(font.lfFaceName, L"MS Sans Serif");

        SetTextColor(dc, RGB(1, 2, 3));
        auto brush = reinterpret_cast<HBRUSH>(
            SendMessageW(about.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label)));
        LOGBRUSH lb{};
        ASSERT_TRUE(GetObjectW(brush, sizeof(lb), &lb));
        if (c.overBanner) {
            EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
            EXPECT_NE(lb.lbStyle, static_cast<UINT>(BS_SOLID)) << "the banner's pattern behind it";
        } else {
            EXPECT_EQ(lb.lbColor, kWhite);
            EXPECT_EQ(GetBkColor(dc), kWhite);
        }
        EXPECT_EQ(GetTextColor(dc), c.color);
    }
    DeleteDC(dc);
}

std::wstring Host(const std::wstring& address) {
    size_t start = address.find(L"://") + 3;
    return address.substr(start, address.find(L'/', start) - start);
}

TEST_F(TInfoTest, LinksAreBlueUnderlinedWithAHandAndAHint) {
    struct Case {
        info::Control link;
        std::wstring address;
        std::wstring hint;
    };
    const Case cases[] = {
        {Label11, kHomePage, L"Visit our website " + Host(kHomePage)},
        {Label12, kSupportDatabase, L"Visit the support DB"},
        {Label13, kSupportForum, L"Visit the support forum"},
    };
    for (const Case& c : cases) {
        HWND link = C(c.link);
        SCOPED_TRACE(Narrow(c.address));
        EXPECT_EQ(GetText(link), c.address);
        EXPECT_TRUE(FontOf(link).lfUnderline);

        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        SendMessageW(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));

        wchar_t hint[128] = {};
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.hwnd = about.Handle();
        tool.uId = reinterpret_cast<UINT_PTR>(link);
        tool.lpszText = hint;
        SendMessageW(about.Tooltip(), TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
        EXPECT_EQ(hint, c.hint);

        // Drawn: blue text on the window's white.
        RECT r;
        GetClientRect(link, &r);
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, r.right, r.bottom);
        HGDIOBJ old = SelectObject(dc, bitmap);
        SendMessageW(link, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        int blue = 0, white = 0;
        for (int y = 0; y < r.bottom; ++y) {
            for (int x = 0; x < r.right; ++x) {
                COLORREF pixel = GetPixel(dc, x, y);
                blue += pixel == RGB(0, 0, 255);
                white += pixel == kWhite;
            }
        }
        EXPECT_GT(blue, 0);
        EXPECT_GT(white, blue);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
    }
}

std::wstring SystemDirectory() {
    wchar_t path[MAX_PATH] = {};
    GetSystemDirectoryW(path, MAX_PATH);
    return path;
}

TEST(TInfoLinkTest, TheProgramStartsTheHandlerOfTheSystemDirectory) {
    TInfo about;
    const std::wstring expected = SystemDirectory() + L"\\rundll32.exe";
    EXPECT_EQ(about.Links.Program(), expected);
    EXPECT_NE(GetFileAttributesW(expected.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(WebLinkOpener::CommandLine(kHomePage), L"rundll32.exe url.dll,FileProtocolHandler " + std::wstring(kHomePage));
}

// Lets the recorders that stand in for the handler end, and takes back what
// the test set in the environment.
class HeldRecorders {
public:
    HeldRecorders() {
        std::wstring name = L"PermoraLinkTest" + std::to_wstring(GetCurrentProcessId());
        hold_ = CreateEventW(nullptr, TRUE, FALSE, name.c_str());
        SetEnvironmentVariableW(L"PERMORA_RECORD_HOLD", name.c_str());
    }
    ~HeldRecorders() {
        Release();
        CloseHandle(hold_);
        SetEnvironmentVariableW(L"PERMORA_RECORD_HOLD", nullptr);
        SetEnvironmentVariableW(L"PERMORA_RECORD_TO", nullptr);
    }
    void Release() { SetEvent(hold_); }

private:
    HANDLE hold_;
};

// Another process writes the file; 32-bit Wine under emulation takes up to
// a minute to start one.
bool WaitForFile(const std::string& path) {
    for (int i = 0; i < 12000 && !fs::exists(path); ++i) Sleep(20);
    return fs::exists(path);
}

// The record, once it can be read: right after the rename Wine may still
// refuse the reader for a moment, which reads as an empty file.
std::string ReadRecord(const std::string& path) {
    std::string text;
    for (int i = 0; i < 500 && (text = test::ReadBytes(path)).empty(); ++i) Sleep(20);
    return text;
}

TEST(TInfoLinkTest, AClickStartsTheHandlerAndReturnsAtOnce) {
    TempDir dir;
    const std::string system = dir.File("system"), current = dir.File("current");
    fs::create_directories(system);
    fs::create_directories(current);
    fs::copy_file(PERMORA_RECORDER, system + "\\rundll32.exe");
    // A program of the same name in the current directory, which records nothing.
    fs::copy_file(PERMORA_VERSION_FIXTURE, current + "\\rundll32.exe");
    const fs::path before = fs::current_path();
    fs::current_path(current);

    std::vector<std::string> records;
    {
        HeldRecorders recorders;
        TInfo about;
        about.Links = WebLinkOpener(Widen(system));
        about.Create(nullptr, nullptr);
        ShowWindow(about.Handle(), SW_SHOW);
        DialogAnswerer answerer;

        struct Click {
            info::Control link;
            const wchar_t* address;
        };
        // The last link twice: two handlers, both running at once.
        const Click clicks[] = {
            {Label11, kHomePage}, {Label12, kSupportDatabase}, {Label13, kSupportForum}, {Label13, kSupportForum}};
        for (const Click& click : clicks) {
            SCOPED_TRACE(Narrow(click.address));
            records.push_back(dir.File("record" + std::to_string(records.size()) + ".txt"));
            SetEnvironmentVariableW(L"PERMORA_RECORD_TO", Widen(records.back()).c_str());
            HWND link = about.Control(click.link);
            SendMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
            SendMessageW(link, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));

            ASSERT_TRUE(WaitForFile(records.back())) << "no handler started from the system directory";
            EXPECT_EQ(ReadRecord(records.back()), "rundll32.exe url.dll,FileProtocolHandler " + Narrow(click.address));
            // The recorder holds on until released: the click did not wait for it.
            EXPECT_FALSE(fs::exists(records.back() + ".ended")) << "the click waited for the handler";
            EXPECT_TRUE(IsWindowVisible(about.Handle()));
        }
        EXPECT_TRUE(answerer.Seen().empty());
        recorders.Release();
    }
    // The recorders end before their folder goes.
    for (const std::string& record : records) EXPECT_TRUE(WaitForFile(record + ".ended"));
    fs::current_path(before);
}

TEST(TInfoLinkTest, AHandlerThatCannotStartChangesNothing) {
    TempDir dir;  // no rundll32.exe in it
    TInfo about;
    about.Links = WebLinkOpener(Widen(dir.Dir()));
    about.Create(nullptr, nullptr);
    ShowWindow(about.Handle(), SW_SHOW);
    DialogAnswerer answerer;

    EXPECT_FALSE(about.Links.Open(kHomePage));
    SendMessageW(about.Control(Label11), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(about.Control(Label11), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));

    EXPECT_TRUE(answerer.Seen().empty());
    EXPECT_TRUE(IsWindowVisible(about.Handle()));
    EXPECT_FALSE(WebLinkOpener(L"").Open(kHomePage));
}

// The main window's About button, with the About window driven from inside
// its own modal loop.
TEST(AboutButtonTest, EachShowingIsFreshAndEveryWayOfClosingBringsTheMainWindowBack) {
    TempDir dir;
    test::WriteBytes(dir.File("Permora.ini"), "");  // no setup wizard at start-up
    Tmain window(dir.Dir());
    window.Create();
    window.Show();
    SetForegroundWindow(window.Handle());
    test::Pump(window);

    struct Case {
        const char* label;
        std::function<void(HWND about)> close;
    };
    const Case cases[] = {
        {"Esc", [](HWND) { PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); }},
        {"the Close button", [](HWND about) { ModalDriver::Click(about, Button1); }},
        {"the close box", [](HWND about) { PostMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        SetFocus(window.Control(tmain::Edit1));  // the focus must move, not stay
        ModalDriver driver(L"PermoraInfo");
        HWND about = nullptr;
        std::wstring version, copyright;
        driver.Queue([&](HWND w) {
            about = w;
            version = GetText(ModalDriver::Find(w, Label8));
            copyright = GetText(ModalDriver::Find(w, Label9));
            EXPECT_EQ(GetWindow(w, GW_OWNER), window.Handle());
            EXPECT_FALSE(IsWindowVisible(window.Handle()));
            EXPECT_FALSE(IsWindowEnabled(window.Handle()));
            auto shown = reinterpret_cast<HBITMAP>(
                SendMessageW(ModalDriver::Find(w, Image1), STM_GETIMAGE, IMAGE_BITMAP, 0));
            EXPECT_NE(shown, nullptr);
            EXPECT_NE(shown, window.Banner());
            EXPECT_TRUE(IsChild(w, GetFocus()));
            c.close(w);
        });
        SendMessageW(window.Control(tmain::Button3), BM_CLICK, 0, 0);
        test::Pump(window);

        // A second showing would mean this way did not close it.
        EXPECT_EQ(driver.Shown(), 1);
        EXPECT_EQ(version, Widen(PERMORA_VERSION_TEXT));
        EXPECT_EQ(copyright, kCopyright);
        EXPECT_FALSE(IsWindow(about)) << "the About window is destroyed";
        EXPECT_TRUE(IsWindowVisible(window.Handle()));
        EXPECT_TRUE(IsWindowEnabled(window.Handle()));
        EXPECT_EQ(FocusedControl(), window.Control(tmain::bt_select));
    }
}

}  // namespace
}  // namespace permora
