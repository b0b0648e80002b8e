#include "reminders/dbus_notifier.h"
#include "reminders/notifier.h"

namespace qz {

std::unique_ptr<Notifier> createNotifier(QSystemTrayIcon* trayIcon) {
    return std::make_unique<DBusNotifier>(QDBusConnection::sessionBus(), trayIcon);
}

} // namespace qz
