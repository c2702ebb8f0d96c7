#pragma once
// Opens a web address with the system's handler for web addresses:
// "rundll32.exe url.dll,FileProtocolHandler ADDRESS", started without waiting.
// The program started is always the rundll32.exe of the system directory,
// never one that happens to lie in the current directory or along PATH.
#include <string>

namespace permora {

class WebLinkOpener {
public:
    // The handler of the system directory.
    WebLinkOpener();
    // The handler of another directory (tests put a stand-in there).
    explicit WebLinkOpener(const std::wstring& directory);

    // The program file that is started.
    const std::wstring& Program() const { return program_; }
    static std::wstring CommandLine(const std::wstring& address);

    // Starts the handler and returns at once. False when it could not be
    // started; the caller stays silent about that.
    bool Open(const std::wstring& address) const;

private:
    std::wstring program_;
};

}  // namespace permora
