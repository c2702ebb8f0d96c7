#include "ui/VersionInfo.h"

#include <windows.h>

#include <cwchar>

namespace permora {

void VersionInfo::SetFileName(const std::wstring& fileName) {
    fileName_ = fileName;
    resource_.clear();
    translation_.clear();

    DWORD unused = 0;
    DWORD size = GetFileVersionInfoSizeW(fileName.c_str(), &unused);
    if (size == 0) return;
    resource_.resize(size);
    if (!GetFileVersionInfoW(fileName.c_str(), 0, size, resource_.data())) {
        resource_.clear();
        return;
    }
    // Each translation is a language and a code page, 16 bits each.
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(resource_.data(), L"\\VarFileInfo\\Translation", &value, &length) || length < 4) return;
    const WORD* pair = static_cast<const WORD*>(value);
    wchar_t block[16];
    std::swprintf(block, 16, L"%04X%04X", pair[0], pair[1]);
    translation_ = block;
}

std::wstring VersionInfo::StringItem(const wchar_t* name) const {
    if (translation_.empty()) return {};
    std::wstring path = L"\\StringFileInfo\\" + translation_ + L"\\" + name;
    void* value = nullptr;
    UINT length = 0;  // in characters, with the terminating null when there is one
    // VerQueryValueW takes a non-const block; it only reads it.
    void* block = const_cast<unsigned char*>(resource_.data());
    if (!VerQueryValueW(block, path.c_str(), &value, &length) || !value) return {};
    std::wstring text(static_cast<const wchar_t*>(value), length);
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
}

std::wstring RunningProgramPath() {
    std::wstring path(32768, L'\0');  // the longest path Windows knows
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(n < path.size() ? n : 0);
    return path;
}

}  // namespace permora
