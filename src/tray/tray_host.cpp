#include "tray/tray_host.h"

#if !defined(_WIN32)
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#endif

namespace qz {

bool trayReportsOnlyActivation() {
#if defined(_WIN32)
    return false;
#else
    // Qt puts the icon on a StatusNotifierItem host whenever a watcher is on the session bus.
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return false;
    return bus.interface()->isServiceRegistered(QStringLiteral("org.kde.StatusNotifierWatcher"));
#endif
}

} // namespace qz
