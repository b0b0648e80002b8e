#include "reminders/notifier.h"
#include "reminders/tray_message_notifier.h"

namespace qz {

std::unique_ptr<Notifier> createNotifier(QSystemTrayIcon* trayIcon) {
    return std::make_unique<TrayMessageNotifier>(trayIcon);
}

} // namespace qz
