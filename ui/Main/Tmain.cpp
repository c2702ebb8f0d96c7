// The main window's life cycle: creation, messages, size rules, closing.
#include "ui/Main/Tmain.h"

#include <algorithm>
#include <stdexcept>

#include "res/resource.h"
#include "ui/ExecutableFolder.h"
#include "ui/Main/ComboHistoryLists.h"
#include "ui/Text.h"

namespace permora {

namespace {

constexpr wchar_t kClassName[] = L"PermoraMain";
constexpr UINT_PTR kCloseAllTimer = 1;
constexpr int kWidth = 505;      // fixed
constexpr int kMinHeight = 375;  // no upper limit

}  // namespace

Tmain::Tmain(std::optional<std::string> appDir, LogClock clock)
    : appDirOverride_(std::move(appDir)), clock_(std::move(clock)) {
    Permissions.SetPermissionChanged([this](PermissionFlag flag, bool value) { ShowPermission(flag, value); });
}

Tmain::~Tmain() {
    if (Handle()) DestroyWindow(Handle());
    if (popupMenu1_) DestroyMenu(popupMenu1_);
    for (Field& field : fields_) DeleteObject(field.brush);
    if (bannerBrush_) DeleteObject(bannerBrush_);
    if (panelBrush_) DeleteObject(panelBrush_);
    if (banner_) DeleteObject(banner_);
}

void Tmain::Create() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    accelerators_ = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    if (!accelerators_) throw std::runtime_error("The keyboard shortcuts are missing from the program's resources");
    banner_ = LoadScaledBitmap(IDB_BANNER, dpi_);
    bannerBrush_ = CreatePatternBrush(banner_);
    panelBrush_ = CreateSolidBrush(RGB(255, 255, 255));
    for (tmain::Control id : {tmain::Edit1, tmain::Edit2, tmain::Edit3})
        fields_.push_back(Field{id, kCream, CreateSolidBrush(kCream)});

    popupMenu1_ = CreatePopupMenu();
    AppendMenuW(popupMenu1_, MF_STRING, IDM_EXECUTE1, L"Execute\tF9");

    RegisterClassOnce(kClassName, LoadIconW(instance, MAKEINTRESOURCEW(IDI_PERMORA)));
    // Centred on the work area of the primary screen.
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    int width = dpi_(kWidth), height = dpi_(kMinHeight);
    int left = work.left + ((work.right - work.left) - width) / 2;
    int top = work.top + ((work.bottom - work.top) - height) / 2;
    CreateWindowOf(kClassName, L"Permora",
                   WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME | WS_CLIPCHILDREN, 0,
                   RECT{left, top, left + width, top + height}, nullptr);

    controls_.Create(Handle(), Layout(), dpi_);
    SendMessageW(Control(tmain::Image1), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(banner_));
    for (int i = 0; i < kPermissionFlagCount; ++i) {
        auto flag = static_cast<PermissionFlag>(i);
        ShowPermission(flag, Permissions.Get(flag));
    }
    FormCreate();
}

void Tmain::Show() {
    ShowWindow(Handle(), SW_SHOWNORMAL);
    UpdateWindow(Handle());
}

void Tmain::Close() {
    if (Handle()) SendMessageW(Handle(), WM_CLOSE, 0, 0);
}

void Tmain::FormCreate() {
    // The folder every file of the program is named from.
    AppDir = appDirOverride_ ? *appDirOverride_ : ExecutableFolder();
    // Width fixed at 505, height at least 375: OnGetMinMaxInfo and
    // OnWindowPosChanging hold the window to that. The task bar shows the
    // window's caption, "Permora", as the program's title.
    log_ = std::make_unique<ActivityLog>(AppDir, clock_);
    historyLists_ = std::make_unique<ComboHistoryLists>(Control(tmain::Edit1), Control(tmain::Edit2));
    history_ = std::make_unique<History>(AppDir, *historyLists_);
    // The configuration, through the wizard while there is none.
    LoadConfiguration();
    // Also after a cancelled wizard: nothing is applied then, and the close
    // timer ends the program as soon as the event loop runs.
    LoadDefaults();
    log_->LoadLog();
    history_->LoadHistory(true);
}

void Tmain::t_closeallStart() {
    // Once started it is never stopped: its first tick closes the window.
    closeTimerOn_ = true;
    SetTimer(Handle(), kCloseAllTimer, 10, nullptr);
}

void Tmain::t_closeallTimer() {
    // Never under an open modal window (it disables this one): the close
    // waits for the next tick after that window is gone.
    if (!IsWindowEnabled(Handle())) return;
    Close();
}

bool Tmain::PreTranslateMessage(MSG& msg) {
    HWND window = Handle();
    if (!window || (msg.hwnd != window && !IsChild(window, msg.hwnd))) return false;
    // F9 works whichever control has the focus.
    if (TranslateAcceleratorW(window, accelerators_, &msg)) return true;
    return Window::PreTranslateMessage(msg);
}

LRESULT Tmain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return OnControlColor(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_CONTEXTMENU:
            OnContextMenu(reinterpret_cast<HWND>(wParam), lParam);
            return 0;
        case WM_GETMINMAXINFO:
            OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam));
            return 0;
        case WM_WINDOWPOSCHANGING:
            OnWindowPosChanging(*reinterpret_cast<WINDOWPOS*>(lParam));
            return 0;
        case WM_TIMER:
            if (wParam == kCloseAllTimer) {
                t_closeallTimer();
                return 0;
            }
            break;
        case WM_CLOSE:
            FormClose();
            DestroyWindow(Handle());
            return 0;
        case WM_ENDSESSION:
            // At log-off the process ends without a WM_CLOSE.
            if (wParam) FormClose();
            return 0;
        case WM_DESTROY:
            KillTimer(Handle(), kCloseAllTimer);
            break;
    }
    return Window::HandleMessage(message, wParam, lParam);
}

void Tmain::OnGetMinMaxInfo(MINMAXINFO& info) const {
    info.ptMinTrackSize.x = dpi_(kWidth);
    info.ptMaxTrackSize.x = dpi_(kWidth);
    info.ptMinTrackSize.y = dpi_(kMinHeight);
}

// The size rules hold for every change of size, not only for dragging the border.
void Tmain::OnWindowPosChanging(WINDOWPOS& pos) const {
    if ((pos.flags & SWP_NOSIZE) || IsIconic(Handle())) return;
    pos.cx = dpi_(kWidth);
    pos.cy = std::max(pos.cy, dpi_(kMinHeight));
}

void Tmain::OnContextMenu(HWND, LPARAM where) {
    POINT at{static_cast<short>(LOWORD(where)), static_cast<short>(HIWORD(where))};
    if (where == -1) {  // from the keyboard: at the control with the focus
        RECT r;
        HWND focus = FocusedControl();
        GetWindowRect(focus && IsChild(Handle(), focus) ? focus : Handle(), &r);
        at = POINT{r.left, r.bottom};
    }
    TrackPopupMenu(popupMenu1_, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
}

}  // namespace permora
