#pragma once
// Base of every window of the program. The object rides on its window from
// WM_NCCREATE on, every message goes to HandleMessage, and no exception leaves
// the window procedure: it is shown to the user instead.
#include <windows.h>

namespace permora {

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Null once the window is destroyed.
    HWND Handle() const { return hwnd_; }

    // The loop's look at a message before it is dispatched: the window's
    // accelerators and keyboard navigation between its controls. True when
    // the message has been handled.
    virtual bool PreTranslateMessage(MSG& msg);

protected:
    // Registers the class on first use: button-face background, arrow cursor.
    static void RegisterClassOnce(const wchar_t* className, HICON icon);
    // Creates the window with this object attached; throws when that fails.
    void CreateWindowOf(const wchar_t* className, const wchar_t* caption, DWORD style, DWORD exStyle,
                        const RECT& outer, HWND owner);

    // Derived windows handle their messages and pass the rest here: focus
    // memory across activation, Tab navigation, then DefWindowProc.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Shows the window and keeps the owner from taking input until EndModal
    // is called or the window is gone. Returns EndModal's result (0 when the
    // window was destroyed instead).
    int ShowModal(HWND owner);
    void EndModal(int result);

    // Enter clicks the default button (a focused push button clicks itself)
    // and Esc the cancel button, as in a dialog. Either may be null.
    void SetDialogButtons(HWND defaultButton, HWND cancelButton);

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void MoveFocus(WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    HWND lastFocus_ = nullptr;
    HWND defaultButton_ = nullptr;
    HWND cancelButton_ = nullptr;
    bool modalEnded_ = false;
    int modalResult_ = 0;
};

// The program's event loop: runs until the window is gone or WM_QUIT arrives.
void RunEventLoop(Window& window);

// The control that has the focus, seen from its window: a combo box rather
// than the edit inside it.
HWND FocusedControl();

}  // namespace permora
