#pragma once

#include "reminders/notifier.h"
#include "reminders/tray_message_notifier.h"

#include <QDBusConnection>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>

namespace qz {

// org.freedesktop.Notifications on the given bus. The id the server gives a notification is
// kept per name and passed as replaces_id next time, so a new reminder takes the old one's
// place; a notification the server closed is forgotten. Calls are asynchronous; when the
// server answers with an error (no service) the reminder goes to the tray icon's message
// instead, if there is one. Actions are sent only when the server's capabilities list
// "actions", and an ActionInvoked for one of this program's notifications reaches the
// action handler.
class DBusNotifier : public QObject, public Notifier {
    Q_OBJECT

public:
    DBusNotifier(QDBusConnection bus, QSystemTrayIcon* fallback, QObject* parent = nullptr);

    void showReminder(const QString& name, const QString& title, const QString& body,
                      const QList<NotifierAction>& actions = {}) override;

private Q_SLOTS:
    void onActionInvoked(uint id, const QString& key);
    void onClosed(uint id, uint reason);

private:
    bool serverShowsActions();

    QDBusConnection m_bus;
    QPointer<QSystemTrayIcon> m_fallback;
    QHash<QString, uint> m_ids;
    int m_actionsShown = -1; // the server's answer, once asked: 1 yes, 0 no
};

} // namespace qz
