// The floor of the start-up benchmark: one window with as many controls of
// the same kinds as the main window's table, shown, then an event loop until
// it is closed. With --read FILE... it first reads each file whole, once.
#include <windows.h>
#include <commctrl.h>

#include <vector>

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool ReadWhole(const wchar_t* path) {
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    GetFileSizeEx(file, &size);
    std::vector<char> bytes(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    size_t at = 0;
    for (;;) {
        const size_t left = bytes.size() - at;
        const DWORD chunk = left < (1u << 24) ? static_cast<DWORD>(left) : (1u << 24);
        if (chunk == 0 || !ReadFile(file, bytes.data() + at, chunk, &got, nullptr) || got == 0) break;
        at += got;
    }
    CloseHandle(file);
    return at == bytes.size();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc > 1 && lstrcmpW(argv[1], L"--read") == 0) {
        for (int i = 2; i < argc; ++i) {
            if (!ReadWhole(argv[i])) return 2;
        }
    }

    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"BareWindow";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, L"BareWindow", L"Bare", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 505, 375, nullptr, nullptr, instance, nullptr);

    // The main window's 41: 16 static (picture, labels, panel, edges),
    // 22 buttons (push, group boxes, check boxes, radio buttons), 2 combo boxes, 1 edit.
    struct Kind {
        const wchar_t* className;
        DWORD style;
        int count;
    };
    const Kind kinds[] = {
        {L"STATIC", SS_LEFT, 5},
        {L"STATIC", SS_ETCHEDHORZ, 11},
        {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 5},
        {L"BUTTON", BS_GROUPBOX, 4},
        {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 9},
        {L"BUTTON", BS_AUTORADIOBUTTON, 4},
        {L"COMBOBOX", CBS_DROPDOWN | CBS_SORT | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 2},
        {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, 1},
    };
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    int id = 100, y = 0;
    for (const Kind& kind : kinds) {
        for (int i = 0; i < kind.count; ++i, ++id, y += 8) {
            const int height = lstrcmpW(kind.className, L"COMBOBOX") == 0 ? 180 : 20;
            HWND control = CreateWindowExW(0, kind.className, L"Control", WS_CHILD | WS_VISIBLE | kind.style, 8,
                                           y % 320, 120, height, window,
                                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        }
    }
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    LocalFree(argv);
    return 0;
}
