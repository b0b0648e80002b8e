#include "reminders/dbus_notifier.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace qz {

DBusNotifier::DBusNotifier(QDBusConnection bus, QSystemTrayIcon* fallback, QObject* parent)
    : QObject(parent), m_bus(std::move(bus)), m_fallback(fallback) {}

void DBusNotifier::showReminder(const QString& name, const QString& title, const QString& body) {
    const QString text = withLineBreaks(body);
    QString appName = QCoreApplication::applicationName();
    if (appName.isEmpty())
        appName = title;

    QDBusMessage msg = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // Notify(s app_name, u replaces_id, s app_icon, s summary, s body, as actions,
    //        a{sv} hints, i expire_timeout) -> u id
    msg.setArguments({appName, QVariant::fromValue(m_ids.value(name, 0u)), QString(), title, text,
                      QStringList(), QVariantMap(), QVariant::fromValue(-1)});

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

} // namespace qz
