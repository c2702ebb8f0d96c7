#pragma once
// The seven permission boxes, indented as a tree, with the connector lines
// between them: the same in every window that shows them.
#include <vector>

#include "core/PermissionSelection.h"
#include "ui/Controls.h"

namespace permora {

// Appends the boxes r_f..r_7 (ids firstBoxId to firstBoxId + 6, in flag
// order) and their ten connectors (ids firstConnectorId on) to a table. The
// places are the main window's (r_f at 16, 24 in its group box) moved by
// (dx, dy) inside `container`. Each box is checked by the window's rules only.
void AddPermissionTree(std::vector<ControlEntry>& table, int container, int firstBoxId, int firstConnectorId, int dx,
                       int dy, const wchar_t* const (&hints)[kPermissionFlagCount]);

}  // namespace permora
