#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <memory>

class QSystemTrayIcon;

namespace qz {

// A choice offered on a notification: its key (what the handler gets) and its label.
struct NotifierAction {
    QString key;
    QString label;
};

// Shows a notification to the user at once.
//
// Contract: showReminder returns without waiting for the user. A later call with the same
// name replaces the notification still shown under that name. The title and body are shown
// as given; a carriage return in the body becomes a line break. Actions are offered where
// the notification service can show them (and left out where it cannot); when the user
// picks one, the action handler gets its key. Failures (no notification service) are not
// reported and never stop the program.
class Notifier {
public:
    virtual ~Notifier() = default;
    virtual void showReminder(const QString& name, const QString& title, const QString& body,
                              const QList<NotifierAction>& actions = {}) = 0;
    void setActionHandler(std::function<void(const QString& key)> handler) {
        m_actionHandler = std::move(handler);
    }

protected:
    void actionInvoked(const QString& key) const {
        if (m_actionHandler)
            m_actionHandler(key);
    }

private:
    std::function<void(const QString& key)> m_actionHandler;
};

// The platform's notifier: org.freedesktop.Notifications on the session bus (falling back
// to the tray icon's message when the service is missing), or the tray icon's message on
// Windows. trayIcon may be null; it must outlive the notifier.
std::unique_ptr<Notifier> createNotifier(QSystemTrayIcon* trayIcon);

} // namespace qz
