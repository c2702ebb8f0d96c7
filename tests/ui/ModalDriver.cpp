#include "tests/ui/ModalDriver.h"

#include <vector>

#include "ui/Wz_firstrun/TWZ_firstrun.h"

namespace permora::test {

namespace {

// The drivers alive on this thread; the newest that finds its window acts.
thread_local std::vector<ModalDriver*> drivers;

struct ChildSearch {
    int id;
    HWND found = nullptr;
};

BOOL CALLBACK MatchChild(HWND hwnd, LPARAM param) {
    auto* s = reinterpret_cast<ChildSearch*>(param);
    if (GetDlgCtrlID(hwnd) != s->id) return TRUE;
    s->found = hwnd;
    return FALSE;
}

struct WindowSearch {
    const std::wstring* className;
    HWND found = nullptr;
};

// A window under a message box of its own is disabled: not yet.
BOOL CALLBACK MatchOpenWindow(HWND hwnd, LPARAM param) {
    auto* s = reinterpret_cast<WindowSearch*>(param);
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    if (*s->className != name || !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) return TRUE;
    s->found = hwnd;
    return FALSE;
}

}  // namespace

ModalDriver::ModalDriver(std::wstring className) : className_(std::move(className)) {
    drivers.push_back(this);
    timer_ = SetTimer(nullptr, 0, 10, &ModalDriver::Tick);
}

ModalDriver::~ModalDriver() {
    KillTimer(nullptr, timer_);
    for (auto it = drivers.begin(); it != drivers.end(); ++it) {
        if (*it == this) {
            drivers.erase(it);
            break;
        }
    }
}

void ModalDriver::Queue(Action action) {
    queue_.push_back(std::move(action));
}

HWND ModalDriver::Find(HWND window, int id) {
    ChildSearch search{id};
    EnumChildWindows(window, &MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ModalDriver::OpenWindow() const {
    WindowSearch search{&className_};
    EnumThreadWindows(GetCurrentThreadId(), &MatchOpenWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void CALLBACK ModalDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
    for (ModalDriver* driver : std::vector<ModalDriver*>(drivers)) {
        if (driver->busy_) return;
        HWND window = driver->OpenWindow();
        if (!window) continue;
        driver->busy_ = true;
        ++driver->shown_;
        Action action = [](HWND w) { SendMessageW(w, WM_CLOSE, 0, 0); };
        if (!driver->queue_.empty()) {
            action = std::move(driver->queue_.front());
            driver->queue_.pop_front();
        }
        action(window);
        driver->busy_ = false;
        return;
    }
}

WizardDriver::WizardDriver() : ModalDriver(kWizardClassName) {}

void WizardDriver::Queue(Answer answer, Action look, std::function<void()> after) {
    ModalDriver::Queue([answer, look, after](HWND wizard) {
        if (look) look(wizard);
        if (answer == Answer::Cancel) {
            Click(wizard, wz::Button1);
        } else {
            for (int page = 0; page < 5 && IsWindow(wizard); ++page) Click(wizard, wz::bt_next);
            if (IsWindow(wizard)) {
                if (answer == Answer::Save) Click(wizard, wz::bt_next);
                else SendMessageW(wizard, WM_CLOSE, 0, 0);
            }
        }
        if (after) after();
    });
}

}  // namespace permora::test
