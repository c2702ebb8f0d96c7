#pragma once
// Runs every message already waiting on this thread through the same path
// as the program's event loop (accelerators and keyboard navigation first).
#include <windows.h>

#include "ui/Window.h"

namespace permora::test {

inline void Pump(Window& window) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!window.PreTranslateMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

}  // namespace permora::test
