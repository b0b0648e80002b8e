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

// X11: the MIT-SCREEN-SAVER extension; Wayland: the session bus idle monitors
// (org.gnome.Mutter.IdleMonitor, then org.freedesktop.ScreenSaver); Windows:
// GetLastInputInfo. The choice is made once, here.
std::unique_ptr<IdleTime> createIdleTime();

} // namespace qz
