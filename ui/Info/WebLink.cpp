#include "ui/Info/WebLink.h"

#include <windows.h>

#include <vector>

namespace permora {

namespace {

std::wstring SystemDirectory() {
    wchar_t path[MAX_PATH + 1] = {};
    UINT n = GetSystemDirectoryW(path, MAX_PATH + 1);
    return n > 0 && n <= MAX_PATH ? std::wstring(path, n) : std::wstring();
}

}  // namespace

WebLinkOpener::WebLinkOpener() : WebLinkOpener(SystemDirectory()) {}

WebLinkOpener::WebLinkOpener(const std::wstring& directory) {
    // Without a directory there is nothing safe to start.
    if (!directory.empty()) program_ = directory + (directory.back() == L'\\' ? L"" : L"\\") + L"rundll32.exe";
}

std::wstring WebLinkOpener::CommandLine(const std::wstring& address) {
    return L"rundll32.exe url.dll,FileProtocolHandler " + address;
}

bool WebLinkOpener::Open(const std::wstring& address) const {
    if (program_.empty()) return false;
    std::wstring line = CommandLine(address);
    std::vector<wchar_t> writable(line.begin(), line.end());  // CreateProcessW may write into it
    writable.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program_.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace permora
