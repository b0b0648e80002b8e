#include "power/idle_time.h"

#include <windows.h>

namespace qz {

namespace {

class Win32IdleTime : public IdleTime {
public:
    std::uint32_t idleSeconds() override {
        LASTINPUTINFO info{};
        info.cbSize = sizeof(info);
        if (!GetLastInputInfo(&info))
            return 0;
        return idleSecondsFromTicks(info.dwTime, GetTickCount());
    }
};

} // namespace

// GetLastInputInfo against GetTickCount: Windows always has it.
std::unique_ptr<IdleTime> createIdleTime() {
    return std::make_unique<Win32IdleTime>();
}

} // namespace qz
