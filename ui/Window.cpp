#include "ui/Window.h"

#include <exception>
#include <stdexcept>

#include "ui/MessageBox.h"
#include "ui/WaitForRun.h"

namespace permora {

Window::~Window() {
    if (hwnd_) DestroyWindow(hwnd_);
}

bool Window::PreTranslateMessage(MSG& msg) {
    if (!hwnd_) return false;
    if (msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE) &&
        (msg.hwnd == hwnd_ || IsChild(hwnd_, msg.hwnd))) {
        HWND button = cancelButton_;
        if (msg.wParam == VK_RETURN) {
            HWND focus = GetFocus();
            LRESULT code = focus ? SendMessageW(focus, WM_GETDLGCODE, 0, 0) : 0;
            if (code & DLGC_WANTALLKEYS) return false;  // a control that takes Enter itself
            button = (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) ? focus : defaultButton_;
        }
        if (button && IsWindowEnabled(button)) {
            SendMessageW(button, BM_CLICK, 0, 0);
            return true;
        }
    }
    return IsDialogMessageW(hwnd_, &msg);
}

void Window::SetDialogButtons(HWND defaultButton, HWND cancelButton) {
    defaultButton_ = defaultButton;
    cancelButton_ = cancelButton;
    if (defaultButton) SendMessageW(defaultButton, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

void Window::RegisterClassOnce(const wchar_t* className, HICON icon) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (GetClassInfoExW(instance, className, &existing)) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &Window::Procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    wc.hIcon = icon;
    if (!RegisterClassExW(&wc)) throw std::runtime_error("Cannot register a window class");
}

void Window::CreateWindowOf(const wchar_t* className, const wchar_t* caption, DWORD style, DWORD exStyle,
                            const RECT& outer, HWND owner) {
    CreateWindowExW(exStyle, className, caption, style, outer.left, outer.top, outer.right - outer.left,
                    outer.bottom - outer.top, owner, nullptr, GetModuleHandleW(nullptr), this);
    if (!hwnd_) throw std::runtime_error("Cannot create a window");
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE:
            // Focus returns to the control that had it when the window was left.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
            } else if (!HIWORD(wParam)) {
                if (lastFocus_ && IsWindow(lastFocus_) && IsChild(hwnd_, lastFocus_)) {
                    SetFocus(lastFocus_);
                } else {
                    HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
                    if (first) SetFocus(first);
                }
                return 0;
            }
            break;
        case WM_NEXTDLGCTL:
            MoveFocus(wParam, lParam);
            return 0;
        case WM_SETCURSOR:
            if (RunInProgress()) {
                SetCursor(LoadCursorW(nullptr, IDC_WAIT));
                return TRUE;
            }
            break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

// IsDialogMessage asks the window itself to move the focus on Tab; a plain
// window has to do what a dialog would.
void Window::MoveFocus(WPARAM wParam, LPARAM lParam) {
    HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                 : GetNextDlgTabItem(hwnd_, FocusedControl(), wParam != 0);
    if (!target) return;
    SetFocus(target);
    if (SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(target, EM_SETSEL, 0, -1);
}

int Window::ShowModal(HWND owner) {
    bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled) EnableWindow(owner, FALSE);
    modalEnded_ = false;
    modalResult_ = 0;
    ShowWindow(hwnd_, SW_SHOW);
    MSG msg;
    while (hwnd_ && !modalEnded_) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop must see it too
            break;
        }
        if (got == -1) break;
        if (!PreTranslateMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    // Enabled again before this window hides, so activation returns to the owner.
    if (ownerWasEnabled) EnableWindow(owner, TRUE);
    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
    return modalEnded_ ? modalResult_ : 0;
}

void Window::EndModal(int result) {
    modalResult_ = result;
    modalEnded_ = true;
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* self;
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);

    LRESULT result = 0;
    try {
        result = self->HandleMessage(message, wParam, lParam);
    } catch (const std::exception& e) {
        ShowError(hwnd, e.what());
    } catch (...) {
        ShowError(hwnd, "");
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        // A window destroyed inside a sent message (another thread or process
        // sent WM_CLOSE) leaves a loop waiting in GetMessage for a posted
        // message that may never come: wake it, so it sees the window gone.
        PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
    }
    return result;
}

void RunEventLoop(Window& window) {
    MSG msg;
    while (window.Handle()) {
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) break;
        if (!window.PreTranslateMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

HWND FocusedControl() {
    HWND focus = GetFocus();
    if (!focus) return nullptr;
    HWND parent = GetParent(focus);
    wchar_t className[32] = {};
    if (parent && GetClassNameW(parent, className, 32) && lstrcmpiW(className, L"ComboBox") == 0) return parent;
    return focus;
}

}  // namespace permora
