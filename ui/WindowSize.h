#pragma once
// Where a top-level window opens and which outer sizes it keeps.
#include <windows.h>

namespace permora {

// An outer rectangle of the given size, centred on the primary screen's work area.
RECT CenteredOnScreen(int width, int height);

// Outer size limits in pixels; a maximum of 0 leaves that direction open.
struct SizeLimits {
    SIZE min{0, 0};
    SIZE max{0, 0};

    // WM_GETMINMAXINFO: what dragging the border may reach.
    void Apply(MINMAXINFO& info) const;
    // WM_WINDOWPOSCHANGING: every other change of size keeps the limits too.
    void Apply(HWND window, WINDOWPOS& pos) const;
};

}  // namespace permora
