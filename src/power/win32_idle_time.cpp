#include "power/win32_backend.h"

#include <windows.h>

namespace qz {

namespace {

// The tick count wraps around every 49.7 days; unsigned subtraction keeps the difference right.
std::uint32_t secondsSince(std::uint32_t lastInputTick, std::uint32_t tickCount) {
    return static_cast<std::uint32_t>(tickCount - lastInputTick) / 1000u;
}

class Win32IdleTime : public IdleTime {
public:
    std::uint32_t idleSeconds() override {
        LASTINPUTINFO info{};
        info.cbSize = sizeof(info);
        if (!GetLastInputInfo(&info))
            return 0;
        return secondsSince(info.dwTime, GetTickCount());
    }
};

} // namespace

std::unique_ptr<IdleTime> createWin32IdleTime() {
    return std::make_unique<Win32IdleTime>();
}

} // namespace qz
