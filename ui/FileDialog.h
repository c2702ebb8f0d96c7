#pragma once
// The common open and save dialogs, opening on the name of their last use.
#include <string>

#include <windows.h>

#include <commdlg.h>

namespace permora {

struct FileDialog {
    enum Kind { Open, Save };
    Kind kind = Open;
    const wchar_t* title = nullptr;
    const wchar_t* filter = nullptr;  // pairs of name and pattern, each ended by \0; null: none
    DWORD flags = 0;                  // OFN_ flags
    // The name the dialog opens on; after a confirmed choice, its full path.
    std::wstring fileName;

    // False when the user cancels; fileName is then unchanged.
    bool Run(HWND owner);
};

}  // namespace permora
