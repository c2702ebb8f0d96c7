#include "ui/WaitForRun.h"

#include <windows.h>

#include <exception>
#include <thread>

namespace permora {

namespace {

int waiting = 0;  // nested waits: the user-interface thread only

// Input of every kind is dropped while a command runs, as it would be by a
// window that does not respond; paint and sent messages still go through.
void DropInput() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {}
    while (PeekMessageW(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {}
    while (PeekMessageW(&msg, nullptr, WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK, PM_REMOVE)) {}
}

void Paint() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT | PM_QS_SENDMESSAGE)) {
        if (msg.message == WM_PAINT) DispatchMessageW(&msg);
    }
}

}  // namespace

bool RunInProgress() {
    return waiting > 0;
}

int WaitForRun(const std::function<int()>& work) {
    int result = -1;
    std::exception_ptr failure;
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (!done) return work();  // no event, no worker: wait the plain way

    ++waiting;
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    std::thread worker([&] {
        try {
            result = work();
        } catch (...) {
            failure = std::current_exception();
        }
        SetEvent(done);
    });
    for (;;) {
        DWORD woke = MsgWaitForMultipleObjects(1, &done, FALSE, INFINITE, QS_INPUT | QS_PAINT | QS_SENDMESSAGE);
        if (woke == WAIT_OBJECT_0) break;
        DropInput();
        Paint();
    }
    worker.join();
    CloseHandle(done);
    --waiting;
    SetCursor(previous);
    if (failure) std::rethrow_exception(failure);
    return result;
}

}  // namespace permora
