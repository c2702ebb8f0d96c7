#pragma once
// Answers the modal message boxes and file dialogs that code under test shows
// on this thread, and records what the user would have seen in them. A
// thread-local CBT hook notices each dialog as it is activated; a short timer
// on that dialog then presses its button from inside the dialog's own loop.
#include <deque>
#include <string>
#include <vector>

#include <windows.h>

namespace permora::test {

struct SeenDialog {
    std::wstring title;
    std::wstring text;      // a message box's message
    unsigned flags = 0;     // a message box's icon and buttons as MessageBox flags (16, 36, ...)
    bool fileDialog = false;
    std::wstring fileName;  // the name a file dialog offered when it opened
    int pressed = 0;        // the button the answerer pressed
};

class DialogAnswerer {
public:
    DialogAnswerer();
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    // Queues the answer for the next dialog: a button (IDOK, IDYES, IDNO, IDCANCEL).
    // Without a queued answer a message box gets OK (or No), a file dialog Cancel.
    void Press(int button);
    // Queues the answer for the next file dialog: type the name, press OK.
    void AcceptFile(std::wstring name);

    const std::vector<SeenDialog>& Seen() const { return seen_; }

private:
    struct QueuedAnswer {
        int button;
        std::wstring fileName;
    };
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK TimerProc(HWND hwnd, UINT, UINT_PTR, DWORD);
    void Answer(HWND dialog);

    HHOOK hook_ = nullptr;
    std::deque<QueuedAnswer> answers_;
    std::vector<HWND> pending_;
    std::vector<SeenDialog> seen_;
};

}  // namespace permora::test
