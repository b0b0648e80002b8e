#pragma once

#include <QString>

#include <memory>

class QSystemTrayIcon;

namespace qz {

// Shows a notification to the user at once.
//
// Contract: showReminder returns without waiting for the user. A later call with the same
// name replaces the notification still shown under that name. The title and body are shown
// as given; a carriage return in the body becomes a line break. Failures (no notification
// service) are not reported and never stop the program.
class Notifier {
public:
    virtual ~Notifier() = default;
    virtual void showReminder(const QString& name, const QString& title, const QString& body) = 0;
};

// The platform's notifier: org.freedesktop.Notifications on the session bus (falling back
// to the tray icon's message when the service is missing), or the tray icon's message on
// Windows. trayIcon may be null; it must outlive the notifier.
std::unique_ptr<Notifier> createNotifier(QSystemTrayIcon* trayIcon);

} // namespace qz
