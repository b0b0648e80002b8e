#pragma once

#include "power/power_backend.h"

#include <QDBusConnection>
#include <QString>

namespace qz {

// Called once logind has taken LockSession for the session `sessionId` on `systemBus`.
// logind only passes the request on: without a screen locker listening (a bare X session,
// many tiling desktops) nothing locks. The lock counts as done once the session's
// LockedHint turns true within kLockWatchMs; otherwise the desktop's screen saver is asked
// (org.freedesktop.ScreenSaver.Lock on the session bus), then xdg-screensaver, whose lock
// again counts only once LockedHint turns true. When nothing locks, done gets the reasons.
// A session whose LockedHint cannot be read is taken at logind's word.
void confirmSessionLocked(QDBusConnection systemBus, const QString& sessionId, PowerDone done);

inline constexpr int kLockWatchMs = 3000;

} // namespace qz
