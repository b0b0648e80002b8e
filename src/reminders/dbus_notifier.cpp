#include "reminders/dbus_notifier.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusReply>

namespace qz {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
// The capabilities are asked once, when the first notification with actions is shown.
constexpr int kCapabilitiesTimeoutMs = 2000;

} // namespace

DBusNotifier::DBusNotifier(QDBusConnection bus, QSystemTrayIcon* fallback, QObject* parent)
    : QObject(parent), m_bus(std::move(bus)), m_fallback(fallback) {}

bool DBusNotifier::serverShowsActions() {
    if (m_actionsShown < 0) {
        // Asked, and the answers listened for, with the first reminder: the program's start
        // need not wait for the bus.
        m_bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                      SLOT(onActionInvoked(uint, QString)));
        m_bus.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                      SLOT(onClosed(uint, uint)));
        const QDBusMessage msg = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                                QStringLiteral("GetCapabilities"));
        const QDBusReply<QStringList> reply = m_bus.call(msg, QDBus::Block, kCapabilitiesTimeoutMs);
        m_actionsShown = reply.isValid() && reply.value().contains(QLatin1String("actions"));
    }
    return m_actionsShown == 1;
}

void DBusNotifier::showReminder(const QString& name, const QString& title, const QString& body,
                                const QList<NotifierAction>& actions) {
    const QString text = withLineBreaks(body);
    QString appName = QCoreApplication::applicationName();
    if (appName.isEmpty())
        appName = title;
    // Actions go as key, label pairs.
    QStringList actionList;
    if (serverShowsActions() && !actions.isEmpty()) {
        for (const NotifierAction& a : actions)
            actionList << a.key << a.label;
    }

    QDBusMessage msg =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    // Notify(s app_name, u replaces_id, s app_icon, s summary, s body, as actions,
    //        a{sv} hints, i expire_timeout) -> u id
    msg.setArguments({appName, QVariant::fromValue(m_ids.value(name, 0u)), QString(), title, text,
                      actionList, QVariantMap(), QVariant::fromValue(-1)});

    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(msg), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, name, title, text] {
        const QDBusPendingReply<uint> reply = *watcher;
        if (reply.isValid()) {
            m_ids.insert(name, reply.value());
        } else {
            m_ids.remove(name);
            if (m_fallback && m_fallback->isVisible())
                m_fallback->showMessage(title, text);
        }
        watcher->deleteLater();
    });
}

void DBusNotifier::onActionInvoked(uint id, const QString& key) {
    // Other programs' notifications send their actions on the same signal.
    if (id != 0 && std::find(m_ids.cbegin(), m_ids.cend(), id) != m_ids.cend())
        actionInvoked(key);
}

void DBusNotifier::onClosed(uint id, uint) {
    for (auto it = m_ids.begin(); it != m_ids.end(); ++it) {
        if (it.value() == id) {
            m_ids.erase(it);
            return;
        }
    }
}

} // namespace qz
