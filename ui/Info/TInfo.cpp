// The About window: its controls, colours and handlers.
#include "ui/Info/TInfo.h"

#include "ui/WindowSize.h"

namespace permora {

namespace {

constexpr wchar_t kClassName[] = L"PermoraInfo";
constexpr int kClientWidth = 497;
constexpr int kClientHeight = 282;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr COLORREF kBlack = RGB(0, 0, 0);

}  // namespace

const std::vector<ControlEntry>& TInfo::Layout() {
    using K = ControlKind;
    using namespace info;
    static const std::vector<ControlEntry> layout = {
        {Image1, "Image1", K::Picture, 0, 0, 0, 497, 55, nullptr, nullptr, kNoOption},
        {Label1, "Label1", K::Label, 0, 8, 8, 0, 0, L"Permora", nullptr, kBold},
        {Label2, "Label2", K::Label, 0, 16, 24, 0, 0, L"Graphical User Interface for xcacls.vbs", nullptr, kNoOption},
        {Label3, "Label3", K::Label, 0, 24, 80, 0, 0, L"Version:", nullptr, kBold},
        {Label4, "Label4", K::Label, 0, 24, 112, 0, 0, L"Copyright:", nullptr, kBold},
        {Label5, "Label5", K::Label, 0, 24, 144, 0, 0, L"License:", nullptr, kBold},
        {Label6, "Label6", K::Label, 0, 24, 176, 0, 0, L"Homepage:", nullptr, kBold},
        {Label7, "Label7", K::Label, 0, 24, 208, 0, 0, L"Support:", nullptr, kBold},
        // Filled in after creation: as wide as the window leaves them.
        {Label8, "Label8", K::Label, 0, 160, 80, 329, 13, nullptr, nullptr, kNoOption},
        {Label9, "Label9", K::Label, 0, 160, 112, 329, 13, nullptr, nullptr, kNoOption},
        {Label11, "Label11", K::LinkLabel, 0, 160, 176, 0, 0, kHomePage, L"Visit our website permora.example.org",
         kNoOption},
        {Label12, "Label12", K::LinkLabel, 0, 160, 208, 0, 0, kSupportDatabase, L"Visit the support DB", kNoOption},
        {Label13, "Label13", K::LinkLabel, 0, 160, 224, 0, 0, kSupportForum, L"Visit the support forum", kNoOption},
        {Bevel1, "Bevel1", K::TopEdge, 0, 0, 240, 497, 2, nullptr, nullptr, kNoOption},
        {Button1, "Button1", K::Button, 0, 416, 248, 75, 25, L"Close", nullptr, kNoOption},
    };
    return layout;
}

TInfo::~TInfo() {
    if (Handle()) DestroyWindow(Handle());
    if (titleFont_) DeleteObject(titleFont_);
    if (bannerBrush_) DeleteObject(bannerBrush_);
    if (whiteBrush_) DeleteObject(whiteBrush_);
    if (banner_) DeleteObject(banner_);
}

void TInfo::Create(HWND owner, HBITMAP banner) {
    RegisterClassOnce(kClassName, nullptr);
    whiteBrush_ = CreateSolidBrush(kWhite);
    // Fixed dialog frame with a close box only.
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST;
    RECT outer{0, 0, dpi_(kClientWidth), dpi_(kClientHeight)};
    AdjustWindowRectEx(&outer, style, FALSE, exStyle);
    CreateWindowOf(kClassName, L"Info", style, exStyle,
                   CenteredOnScreen(outer.right - outer.left, outer.bottom - outer.top), owner);

    controls_.Create(Handle(), Layout(), dpi_);
    // The name stands larger than the rest: 13 pixels high at 96 DPI.
    titleFont_ = CreateFontW(-dpi_(13), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif");
    HWND title = Control(info::Label1);
    SendMessageW(title, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_), FALSE);
    HDC dc = GetDC(title);
    HGDIOBJ oldFont = SelectObject(dc, titleFont_);
    RECT size{0, 0, 0, 0};
    DrawTextW(dc, L"Permora", -1, &size, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    ReleaseDC(title, dc);
    SetWindowPos(title, nullptr, 0, 0, size.right, size.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    SetDialogButtons(nullptr, Control(info::Button1));
    FormCreate(banner);
}

void TInfo::FormCreate(HBITMAP banner) {
    if (!banner) return;
    banner_ = static_cast<HBITMAP>(CopyImage(banner, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!banner_) return;  // a window without its picture is still an About window
    bannerBrush_ = CreatePatternBrush(banner_);
    SendMessageW(Control(info::Image1), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(banner_));
}

LRESULT TInfo::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            int id = LOWORD(wParam), code = HIWORD(wParam);
            if (id == info::Button1 && code == BN_CLICKED) Button1Click();
            if (code == STN_CLICKED) {
                if (id == info::Label11) Label11Click();
                if (id == info::Label12) Label12Click();
                if (id == info::Label13) Label13Click();
            }
            return 0;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return OnControlColor(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(Handle(), &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, whiteBrush_);
            return 1;
        }
        case WM_CLOSE:
            // FormClose: every way of closing ends this window for good.
            DestroyWindow(Handle());
            return 0;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

LRESULT TInfo::OnControlColor(UINT, HDC dc, HWND control) {
    using namespace info;
    SetTextColor(dc, control == Control(Label8) || control == Control(Label9) ? kNavy : kBlack);
    if ((control == Control(Label1) || control == Control(Label2)) && bannerBrush_)
        return ShowPictureBehind(dc, control, Control(Image1), bannerBrush_);
    SetBkColor(dc, kWhite);
    return reinterpret_cast<LRESULT>(whiteBrush_);
}

void TInfo::Button1Click() {
    SendMessageW(Handle(), WM_CLOSE, 0, 0);
}

void TInfo::Label11Click() {
    Links.Open(info::kHomePage);
}

void TInfo::Label12Click() {
    Links.Open(info::kSupportDatabase);
}

void TInfo::Label13Click() {
    Links.Open(info::kSupportForum);
}

}  // namespace permora
