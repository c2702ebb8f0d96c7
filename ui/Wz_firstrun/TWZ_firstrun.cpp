// The wizard's life cycle: creation, messages, size, closing.
#include "ui/Wz_firstrun/TWZ_firstrun.h"

#include "res/resource.h"
#include "ui/ExecutableFolder.h"
#include "ui/Text.h"
#include "ui/WindowSize.h"

namespace permora {

namespace {

// Outer size, fixed.
SizeLimits FixedSize(const Dpi& dpi) {
    SIZE size{dpi(505), dpi(388)};
    return SizeLimits{size, size};
}

}  // namespace

int TWZ_firstrun::CurrentPage = 0;

TWZ_firstrun::TWZ_firstrun(WizardSource source, std::optional<std::string> appDir)
    : source_(source), appDirOverride_(std::move(appDir)) {
    Permissions.SetPermissionChanged([this](PermissionFlag flag, bool value) { ShowPermission(flag, value); });
    dlg_open.kind = FileDialog::Open;
    dlg_open.title = L"Select XCACLS.vbs";
    dlg_open.filter = L"VBS Files\0*.vbs\0";
    dlg_open.fileName = L"xcacls.vbs";
    // OFN_NOCHANGEDIR: the chosen folder must not become the program's
    // current directory, which would keep it from being renamed or removed.
    dlg_open.flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NONETWORKBUTTON |
                     OFN_DONTADDTORECENT | OFN_FORCESHOWHIDDEN | OFN_EXPLORER | OFN_NOCHANGEDIR;
}

TWZ_firstrun::~TWZ_firstrun() {
    if (Handle()) DestroyWindow(Handle());
    for (HBRUSH brush : {bannerBrush_, pictureBrush_, pageBrush_, fieldBrush_})
        if (brush) DeleteObject(brush);
    if (banner_) DeleteObject(banner_);
    if (picture_) DeleteObject(picture_);
}

void TWZ_firstrun::Create(HWND owner) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    picture_ = LoadScaledBitmap(IDB_WIZARD, dpi_);
    pictureBrush_ = CreatePatternBrush(picture_);
    pageBrush_ = CreateSolidBrush(RGB(255, 255, 255));
    fieldBrush_ = CreateSolidBrush(kFieldColor);

    RegisterClassOnce(kWizardClassName, LoadIconW(instance, MAKEINTRESOURCEW(IDI_PERMORA)));
    // At start-up the main window is still hidden: the wizard then stands on
    // its own in the task bar, or nothing there would lead back to it.
    DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST;
    if (!owner || !IsWindowVisible(owner)) exStyle |= WS_EX_APPWINDOW;
    SIZE size = FixedSize(dpi_).min;
    CreateWindowOf(kWizardClassName, L"Setup Wizzard", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, exStyle,
                   CenteredOnScreen(size.cx, size.cy), owner);

    controls_.Create(Handle(), Layout(), dpi_);
    ShowWindow(Control(wz::pos_disp), SW_HIDE);
    SendMessageW(Control(wz::Image3), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_));
    FormCreate();
}

void TWZ_firstrun::FormCreate() {
    ConfigSaved = false;
    ShowPage(0);
    AppDir = appDirOverride_ ? *appDirOverride_ : ExecutableFolder();

    if (source_.Banner)
        banner_ = static_cast<HBITMAP>(CopyImage(source_.Banner, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!banner_) banner_ = LoadScaledBitmap(IDB_BANNER, dpi_);  // no main window to take it from
    bannerBrush_ = CreatePatternBrush(banner_);
    SendMessageW(Control(wz::Image1), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(banner_));
    SendMessageW(Control(wz::Image2), STM_SETIMAGE, IMAGE_BITMAP,
                 SendMessageW(Control(wz::Image3), STM_GETIMAGE, IMAGE_BITMAP, 0));

    // Without a configuration the controls keep their defaults.
    if (source_.HasConfig) CopyMainWindowState();
}

// In this order, each as the user's click would set it: a permission box
// runs its rules, and so may check later boxes before their turn comes.
void TWZ_firstrun::CopyMainWindowState() {
    SetText(Control(wz::Edit1), Widen(source_.XcaclsPath));
    SetChecked(wz::CheckBox4, source_.EditAcl);
    SelectRadio(wz::RadioButton1, source_.Grant);
    SelectRadio(wz::RadioButton2, source_.Deny);
    SelectRadio(wz::RadioButton3, source_.Replace);
    for (int i = 0; i < kPermissionFlagCount; ++i)
        Permissions.SetPermission(static_cast<PermissionFlag>(i), source_.Permissions[i]);
    SetChecked(wz::command, source_.ShowCommand);
}

// Ends ShowModal, which gives the owner its input back before this window
// hides, so that the owner is the window activated next. The caller releases
// the wizard.
void TWZ_firstrun::CloseWizard() {
    EndModal(IDCANCEL);
    // A close sent from another thread leaves the loop waiting for a posted message.
    PostMessageW(Handle(), WM_NULL, 0, 0);
}

LRESULT TWZ_firstrun::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return OnControlColor(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_GETMINMAXINFO:
            FixedSize(dpi_).Apply(*reinterpret_cast<MINMAXINFO*>(lParam));
            return 0;
        case WM_WINDOWPOSCHANGING:
            FixedSize(dpi_).Apply(Handle(), *reinterpret_cast<WINDOWPOS*>(lParam));
            return 0;
        case WM_CLOSE:  // the close box, on every page: nothing is saved
            CloseWizard();
            return 0;
        case WM_ACTIVATE: {
            LRESULT result = Window::HandleMessage(message, wParam, lParam);
            // The first time the wizard shows, Next has the focus.
            if (LOWORD(wParam) != WA_INACTIVE && !focusPlaced_) {
                focusPlaced_ = true;
                SetFocus(Control(wz::bt_next));
            }
            return result;
        }
    }
    return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace permora
