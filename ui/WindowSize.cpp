#include "ui/WindowSize.h"

#include <algorithm>

namespace permora {

RECT CenteredOnScreen(int width, int height) {
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    int left = work.left + ((work.right - work.left) - width) / 2;
    int top = work.top + ((work.bottom - work.top) - height) / 2;
    return RECT{left, top, left + width, top + height};
}

void SizeLimits::Apply(MINMAXINFO& info) const {
    info.ptMinTrackSize.x = min.cx;
    info.ptMinTrackSize.y = min.cy;
    if (max.cx) info.ptMaxTrackSize.x = max.cx;
    if (max.cy) info.ptMaxTrackSize.y = max.cy;
}

void SizeLimits::Apply(HWND window, WINDOWPOS& pos) const {
    if ((pos.flags & SWP_NOSIZE) || IsIconic(window)) return;
    pos.cx = std::max(pos.cx, static_cast<int>(min.cx));
    pos.cy = std::max(pos.cy, static_cast<int>(min.cy));
    if (max.cx) pos.cx = std::min(pos.cx, static_cast<int>(max.cx));
    if (max.cy) pos.cy = std::min(pos.cy, static_cast<int>(max.cy));
}

}  // namespace permora
