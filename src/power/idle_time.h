#pragma once

#include <cstdint>
#include <memory>

namespace qz {

// Seconds since the signed-in user's last keyboard or mouse input.
//
// Contract: whole seconds, 0 for input less than a second ago. When the platform gives no
// way to measure it (no X11 screen-saver extension and no session idle monitor) the answer
// is 0 - "the user is active" - so an idle-time task never fires on a guess.
class IdleTime {
public:
    virtual ~IdleTime() = default;
    virtual std::uint32_t idleSeconds() = 0;
    // False for the stand-in used where no measurement exists: an idle-time task would
    // then never end.
    virtual bool measurable() const { return true; }
};

// Seconds since the last input from the tick of that input and the current tick count, both
// in milliseconds, in unsigned 32-bit arithmetic so that the tick's wrap-around after about
// 49.7 days is harmless (Windows' GetLastInputInfo against GetTickCount).
constexpr std::uint32_t idleSecondsFromTicks(std::uint32_t lastInputTick, std::uint32_t tickCount) {
    return static_cast<std::uint32_t>(tickCount - lastInputTick) / 1000u;
}

// X11: the MIT-SCREEN-SAVER extension; Wayland: the session bus idle monitors
// (org.gnome.Mutter.IdleMonitor, then org.freedesktop.ScreenSaver); Windows:
// GetLastInputInfo. The choice is made once, here.
std::unique_ptr<IdleTime> createIdleTime();

} // namespace qz
