#include "core/PermissionSelection.h"

namespace permora {

void PermissionSelection::SetPermission(PermissionFlag flag, bool value) {
    if (Get(flag) == value) return;
    values_[static_cast<int>(flag)] = value;
    if (changed_) changed_(flag, value);

    // Checking spreads down to what the flag includes, unchecking up to what
    // includes it. Each call below finishes its own spread before the next.
    using F = PermissionFlag;
    switch (flag) {
        case F::FullControl:
            if (value) SetPermission(F::Modify, true);
            break;
        case F::Modify:
            if (value) {
                SetPermission(F::ReadAndExecute, true);
                SetPermission(F::Write, true);
                SetPermission(F::ListFolderContent, true);
                SetPermission(F::DeleteSubfoldersAndFiles, true);
            } else {
                SetPermission(F::FullControl, false);
            }
            break;
        case F::ReadAndExecute:
            SetPermission(value ? F::Read : F::Modify, value);
            break;
        case F::Read:
            SetPermission(value ? F::ListFolderContent : F::ReadAndExecute, value);
            break;
        case F::ListFolderContent:
            if (!value) SetPermission(F::Read, false);
            break;
        case F::Write:
        case F::DeleteSubfoldersAndFiles:
            if (!value) SetPermission(F::Modify, false);
            break;
    }
}

}  // namespace permora
