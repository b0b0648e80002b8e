#pragma once

#include "power/idle_time.h"

#include <QDBusConnection>

#include <memory>

namespace qz {

// Idle time from a session-bus idle monitor, for Wayland sessions where no X11 counter sees
// the user's input: org.gnome.Mutter.IdleMonitor (GetIdletime, milliseconds), else
// org.freedesktop.ScreenSaver (GetSessionIdleTime, milliseconds). Null when neither answers.
std::unique_ptr<IdleTime> createDBusIdleTime(QDBusConnection bus);

} // namespace qz
