#pragma once
// The check box that shows each permission flag: its control name and caption,
// in the order the windows list them (top of the hierarchy first).
#include "core/PermissionSelection.h"

namespace permora {

struct PermissionBox {
    PermissionFlag flag;
    const char* name;
    const char* caption;
};

inline constexpr PermissionBox kPermissionBoxes[kPermissionFlagCount] = {
    {PermissionFlag::FullControl, "r_f", "Full Control"},
    {PermissionFlag::Modify, "r_m", "Modify"},
    {PermissionFlag::ReadAndExecute, "r_x", "Read and Execute"},
    {PermissionFlag::Read, "r_r", "Read"},
    {PermissionFlag::ListFolderContent, "r_l", "List Folder Content"},
    {PermissionFlag::Write, "r_w", "Write"},
    {PermissionFlag::DeleteSubfoldersAndFiles, "r_7", "Delete Subfolders and Files"},
};

constexpr const PermissionBox& BoxFor(PermissionFlag flag) {
    return kPermissionBoxes[static_cast<int>(flag)];
}

namespace detail {
constexpr bool BoxesFollowFlagOrder() {
    for (int i = 0; i < kPermissionFlagCount; ++i)
        if (static_cast<int>(kPermissionBoxes[i].flag) != i) return false;
    return true;
}
}  // namespace detail
static_assert(detail::BoxesFollowFlagOrder(), "BoxFor indexes the table by flag");

}  // namespace permora
