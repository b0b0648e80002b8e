#pragma once

#include <QString>

// Where logind answers on the system bus, for the backend and the lock's confirmation.
namespace qz::logind {

inline const QString kService = QStringLiteral("org.freedesktop.login1");
inline const QString kManagerPath = QStringLiteral("/org/freedesktop/login1");
inline const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");
inline const QString kSession = QStringLiteral("org.freedesktop.login1.Session");
inline const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
// Queries block the window's thread, which runs the task's tick: short, for a logind that
// is slow or gone.
inline constexpr int kQueryTimeoutMs = 3000;

} // namespace qz::logind
