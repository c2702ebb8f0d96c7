#pragma once
// Answers the program's own modal windows (the setup wizard, the confirmation
// dialog) that code under test shows on this thread. A thread timer notices an
// open, enabled window of the class and, from inside that window's own loop,
// runs the next queued action on it. A window without a queued action gets
// WM_CLOSE, so that no test waits forever.
#include <deque>
#include <functional>
#include <string>

#include <windows.h>

namespace permora::test {

class ModalDriver {
public:
    using Action = std::function<void(HWND window)>;

    explicit ModalDriver(std::wstring className);
    virtual ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    void Queue(Action action);
    int Shown() const { return shown_; }

    // A control of the window, wherever it sits (pages, group boxes).
    static HWND Find(HWND window, int id);
    static void Click(HWND window, int id) { SendMessageW(Find(window, id), BM_CLICK, 0, 0); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    HWND OpenWindow() const;

    std::wstring className_;
    UINT_PTR timer_ = 0;
    bool busy_ = false;
    int shown_ = 0;
    std::deque<Action> queue_;
};

// The setup wizard's usual answers.
class WizardDriver : public ModalDriver {
public:
    enum class Answer {
        Save,           // Next through every page (the file is written), then "Save" closes
        Cancel,         // Cancel on the welcome page: nothing is written
        CloseAtFinish,  // Next through every page, then the close box on the finish page
    };
    WizardDriver();
    // `look` runs first on the open wizard, to read or change it; `after` once
    // it has closed, before the code that showed it goes on.
    void Queue(Answer answer, Action look = {}, std::function<void()> after = {});
};

}  // namespace permora::test
