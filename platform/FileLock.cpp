#include <chrono>
#include <thread>

#include "platform/FileSystem.h"

namespace permora::platform {

bool FileLock::Acquire(const std::string& lockPath, int waitMs) {
    Release();
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        switch (TryOnce(lockPath)) {
            case Attempt::Taken: return true;
            case Attempt::Refused: return false;
            case Attempt::Busy: break;
        }
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

}  // namespace permora::platform
