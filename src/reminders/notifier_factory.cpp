#include "reminders/notifier.h"
#include "reminders/tray_message_notifier.h"

#if !defined(_WIN32)
#include "reminders/dbus_notifier.h"
#endif

namespace qz {

std::unique_ptr<Notifier> createNotifier(QSystemTrayIcon* trayIcon) {
#if defined(_WIN32)
    return std::make_unique<TrayMessageNotifier>(trayIcon);
#else
    return std::make_unique<DBusNotifier>(QDBusConnection::sessionBus(), trayIcon);
#endif
}

} // namespace qz
