#pragma once
// Reads the string items of a file's version resource, in the resource's
// first translation. A file without a version resource, a resource without a
// translation, or a missing item gives empty text.
#include <string>
#include <vector>

namespace permora {

class VersionInfo {
public:
    // Reads the file's version resource; its first translation becomes the current one.
    void SetFileName(const std::wstring& fileName);
    const std::wstring& FileName() const { return fileName_; }

    // The text of a string item (such as "CompanyName") in the current translation.
    std::wstring StringItem(const wchar_t* name) const;
    std::wstring FileVersion() const { return StringItem(L"FileVersion"); }
    std::wstring LegalCopyright() const { return StringItem(L"LegalCopyright"); }

private:
    std::wstring fileName_;
    std::vector<unsigned char> resource_;
    std::wstring translation_;  // the string block's name, such as 040904E4; empty without one
};

// The full path of the running executable, as the system reports it.
std::wstring RunningProgramPath();

}  // namespace permora
