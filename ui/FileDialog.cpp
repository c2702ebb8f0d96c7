#include "ui/FileDialog.h"

#include <algorithm>
#include <vector>

namespace permora {

bool FileDialog::Run(HWND owner) {
    std::vector<wchar_t> file(32768, L'\0');
    fileName.copy(file.data(), std::min(fileName.size(), file.size() - 1));
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.nFilterIndex = filter ? 1 : 0;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = title;
    dialog.Flags = flags;
    BOOL chosen = kind == Open ? GetOpenFileNameW(&dialog) : GetSaveFileNameW(&dialog);
    if (!chosen) return false;
    fileName = file.data();
    return true;
}

}  // namespace permora
