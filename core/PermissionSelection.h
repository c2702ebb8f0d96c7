#pragma once
// The seven permission boxes of a window and the rules that keep them in the
// NTFS rights hierarchy: checking a box checks what it includes, unchecking a
// box unchecks what includes it.
#include <array>
#include <functional>

namespace permora {

enum class PermissionFlag {
    FullControl,
    Modify,
    ReadAndExecute,
    Read,
    ListFolderContent,
    Write,
    DeleteSubfoldersAndFiles,
};
constexpr int kPermissionFlagCount = 7;

class PermissionSelection {
public:
    using ChangedCallback = std::function<void(PermissionFlag, bool)>;

    // The owning window makes its box show the new value here.
    void SetPermissionChanged(ChangedCallback callback) { changed_ = std::move(callback); }

    bool Get(PermissionFlag flag) const { return values_[static_cast<int>(flag)]; }

    // Stores the value, reports it, then runs the flag's rule (depth first).
    // Setting a flag to the value it already has does nothing at all.
    void SetPermission(PermissionFlag flag, bool value);

    // What a click on the flag's box does.
    void Toggle(PermissionFlag flag) { SetPermission(flag, !Get(flag)); }

private:
    std::array<bool, kPermissionFlagCount> values_{};
    ChangedCallback changed_;
};

}  // namespace permora
