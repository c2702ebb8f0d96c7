#include "tests/ui/DialogAnswerer.h"

#include <dlgs.h>

#include <algorithm>
#include <stdexcept>

namespace permora::test {

namespace {

thread_local DialogAnswerer* current = nullptr;
constexpr UINT_PTR kAnswerTimer = 0x7A11;

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

std::wstring TextOf(HWND hwnd) {
    wchar_t text[4096] = {};
    GetWindowTextW(hwnd, text, 4096);
    return text;
}

// The edit in which the user types a file name (inside cmb13 under Wine).
HWND FileNameEdit(HWND dialog) {
    HWND box = GetDlgItem(dialog, cmb13);
    if (!box) box = GetDlgItem(dialog, edt1);
    if (!box) return nullptr;
    if (ClassOf(box) == L"Edit") return box;
    HWND edit = FindWindowExW(box, nullptr, L"Edit", nullptr);
    if (!edit) {
        HWND inner = FindWindowExW(box, nullptr, L"ComboBox", nullptr);
        if (inner) edit = FindWindowExW(inner, nullptr, L"Edit", nullptr);
    }
    return edit ? edit : box;
}

bool Shown(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    return button && IsWindowVisible(button);
}

unsigned IconFlag(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassOf(child) != L"Static" || (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) continue;
        auto icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
        if (icon == LoadIconW(nullptr, IDI_ERROR)) return MB_ICONERROR;
        if (icon == LoadIconW(nullptr, IDI_QUESTION)) return MB_ICONQUESTION;
        if (icon == LoadIconW(nullptr, IDI_WARNING)) return MB_ICONWARNING;
        if (icon == LoadIconW(nullptr, IDI_INFORMATION)) return MB_ICONINFORMATION;
    }
    return 0;
}

unsigned ButtonFlags(HWND dialog) {
    bool ok = Shown(dialog, IDOK), cancel = Shown(dialog, IDCANCEL);
    bool yes = Shown(dialog, IDYES), no = Shown(dialog, IDNO);
    if (yes && no) return cancel ? MB_YESNOCANCEL : MB_YESNO;
    if (ok && cancel) return MB_OKCANCEL;
    return MB_OK;
}

}  // namespace

DialogAnswerer::DialogAnswerer() {
    if (current) throw std::logic_error("one DialogAnswerer per thread at a time");
    hook_ = SetWindowsHookExW(WH_CBT, HookProc, nullptr, GetCurrentThreadId());
    if (!hook_) throw std::runtime_error("SetWindowsHookExW failed");
    current = this;
}

DialogAnswerer::~DialogAnswerer() {
    UnhookWindowsHookEx(hook_);
    current = nullptr;
}

void DialogAnswerer::Press(int button) {
    answers_.push_back({button, {}});
}

void DialogAnswerer::AcceptFile(std::wstring name) {
    answers_.push_back({IDOK, std::move(name)});
}

LRESULT CALLBACK DialogAnswerer::HookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && current) {
        auto dialog = reinterpret_cast<HWND>(wParam);
        auto& pending = current->pending_;
        if (ClassOf(dialog) == L"#32770" && std::find(pending.begin(), pending.end(), dialog) == pending.end()) {
            pending.push_back(dialog);
            SetTimer(dialog, kAnswerTimer, 10, TimerProc);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK DialogAnswerer::TimerProc(HWND hwnd, UINT, UINT_PTR, DWORD) {
    KillTimer(hwnd, kAnswerTimer);
    if (current) current->Answer(hwnd);
}

void DialogAnswerer::Answer(HWND dialog) {
    pending_.erase(std::remove(pending_.begin(), pending_.end(), dialog), pending_.end());
    SeenDialog seen;
    seen.title = TextOf(dialog);
    HWND nameEdit = FileNameEdit(dialog);
    seen.fileDialog = nameEdit != nullptr;
    QueuedAnswer answer{0, {}};
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    if (seen.fileDialog) {
        seen.fileName = TextOf(nameEdit);
        if (answer.button == 0) answer.button = IDCANCEL;
        if (answer.button == IDOK) SetWindowTextW(nameEdit, answer.fileName.c_str());
    } else {
        seen.text = TextOf(GetDlgItem(dialog, 0xFFFF));
        seen.flags = IconFlag(dialog) | ButtonFlags(dialog);
        if (answer.button == 0) answer.button = Shown(dialog, IDOK) ? IDOK : IDNO;
    }
    seen.pressed = answer.button;
    seen_.push_back(seen);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(answer.button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, answer.button)));
}

}  // namespace permora::test
