#include "ui/PermissionTree.h"

namespace permora {

void AddPermissionTree(std::vector<ControlEntry>& table, int container, int firstBoxId, int firstConnectorId, int dx,
                       int dy, const wchar_t* const (&hints)[kPermissionFlagCount]) {
    using K = ControlKind;
    struct Box {
        const char* name;
        const wchar_t* caption;
        int left, top, width;
        unsigned options;
    };
    // In flag order. The caption of r_7 is a label of its own, so that it can be navy.
    static const Box boxes[kPermissionFlagCount] = {
        {"r_f", L"Full Control", 16, 24, 73, kManualCheck},
        {"r_m", L"Modify", 32, 40, 49, kManualCheck},
        {"r_x", L"Read and Execute", 48, 56, 113, kManualCheck},
        {"r_r", L"Read", 64, 72, 49, kManualCheck},
        {"r_l", L"List Folder Content", 80, 88, 113, kManualCheck},
        {"r_w", L"Write", 48, 104, 49, kManualCheck},
        {"r_7", L"Delete Subfolders and Files", 48, 120, 153, kManualCheck | kSeparateCaption},
    };
    for (int i = 0; i < kPermissionFlagCount; ++i) {
        const Box& b = boxes[i];
        table.push_back(ControlEntry{firstBoxId + i, b.name, K::CheckBox, container, b.left + dx, b.top + dy, b.width,
                                     17, b.caption, hints[i], b.options});
    }

    struct Edge {
        K kind;
        int left, top, width, height;
    };
    static const Edge edges[] = {
        {K::LeftEdge, 22, 32, 8, 17},  {K::TopEdge, 22, 48, 7, 9},   {K::RightEdge, 32, 48, 8, 81},
        {K::TopEdge, 39, 64, 7, 9},    {K::TopEdge, 39, 112, 7, 9},  {K::RightEdge, 49, 64, 8, 17},
        {K::TopEdge, 56, 80, 7, 9},    {K::RightEdge, 64, 80, 8, 17}, {K::TopEdge, 71, 96, 7, 9},
        {K::TopEdge, 39, 128, 7, 9},
    };
    int id = firstConnectorId;
    for (const Edge& e : edges)
        table.push_back(ControlEntry{id++, "connector", e.kind, container, e.left + dx, e.top + dy, e.width, e.height,
                                     nullptr, nullptr, kNoOption});
}

}  // namespace permora
