#include "power/logind_backend.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>

#include <unistd.h>

namespace qz {

namespace {

const QString kService = QStringLiteral("org.freedesktop.login1");
const QString kManagerPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
// Queries must not hang the window's tick when logind is slow or gone.
constexpr int kQueryTimeoutMs = 3000;

} // namespace

LogindBackend::LogindBackend(QDBusConnection bus) : m_bus(std::move(bus)) {}

bool LogindBackend::setTokenPrivilege(const std::string&, bool) {
    // logind checks the caller's rights itself; there is no per-process privilege to enable.
    return true;
}

void LogindBackend::callNoReply(const QString& method, const QVariantList& args) {
    QDBusMessage msg = QDBusMessage::createMethodCall(kService, kManagerPath, kManager, method);
    msg.setArguments(args);
    m_bus.send(msg);
}

bool LogindBackend::answersYes(const QString& method) {
    const QDBusMessage msg =
        QDBusMessage::createMethodCall(kService, kManagerPath, kManager, method);
    const QDBusReply<QString> reply = m_bus.call(msg, QDBus::Block, kQueryTimeoutMs);
    return reply.isValid() && reply.value() == QLatin1String("yes");
}

// The "interactive" argument is false throughout: the program runs unattended at the end
// of a countdown, so there is nobody to answer an authentication prompt.
void LogindBackend::shutdown() {
    callNoReply(QStringLiteral("PowerOff"), {false});
}
void LogindBackend::restart() {
    callNoReply(QStringLiteral("Reboot"), {false});
}
bool LogindBackend::canSuspend() {
    return answersYes(QStringLiteral("CanSuspend"));
}
void LogindBackend::suspend() {
    callNoReply(QStringLiteral("Suspend"), {false});
}
bool LogindBackend::canHibernate() {
    return answersYes(QStringLiteral("CanHibernate"));
}
void LogindBackend::hibernate() {
    callNoReply(QStringLiteral("Hibernate"), {false});
}

void LogindBackend::signOut() {
    const QString id = ownSessionId();
    if (!id.isEmpty())
        callNoReply(QStringLiteral("TerminateSession"), {id});
}

void LogindBackend::lock() {
    const QString id = ownSessionId();
    if (!id.isEmpty())
        callNoReply(QStringLiteral("LockSession"), {id});
}

static QVariant readProperty(QDBusConnection& bus, const QString& path, const QString& iface,
                             const QString& name) {
    QDBusMessage msg =
        QDBusMessage::createMethodCall(kService, path, kProperties, QStringLiteral("Get"));
    msg.setArguments({iface, name});
    const QDBusReply<QDBusVariant> reply = bus.call(msg, QDBus::Block, kQueryTimeoutMs);
    return reply.isValid() ? reply.value().variant() : QVariant();
}

QString LogindBackend::ownSessionId() {
    // The session this process belongs to; a program started outside a session (a user
    // service) falls back to the session its environment names, then to the user's
    // display session. Never a guess beyond that: signing out someone else must not happen.
    QDBusMessage byPid = QDBusMessage::createMethodCall(kService, kManagerPath, kManager,
                                                        QStringLiteral("GetSessionByPID"));
    byPid.setArguments({QVariant::fromValue(static_cast<uint>(::getpid()))});
    const QDBusReply<QDBusObjectPath> path = m_bus.call(byPid, QDBus::Block, kQueryTimeoutMs);
    if (path.isValid()) {
        const QString id =
            readProperty(m_bus, path.value().path(),
                         QStringLiteral("org.freedesktop.login1.Session"), QStringLiteral("Id"))
                .toString();
        if (!id.isEmpty())
            return id;
    }

    const QString fromEnv = qEnvironmentVariable("XDG_SESSION_ID");
    if (!fromEnv.isEmpty())
        return fromEnv;

    QDBusMessage byUser =
        QDBusMessage::createMethodCall(kService, kManagerPath, kManager, QStringLiteral("GetUser"));
    byUser.setArguments({QVariant::fromValue(static_cast<uint>(::getuid()))});
    const QDBusReply<QDBusObjectPath> user = m_bus.call(byUser, QDBus::Block, kQueryTimeoutMs);
    if (!user.isValid())
        return {};
    // Display is a (so) structure: the session id and its path.
    const QVariant display =
        readProperty(m_bus, user.value().path(), QStringLiteral("org.freedesktop.login1.User"),
                     QStringLiteral("Display"));
    if (display.canConvert<QDBusArgument>()) {
        const auto arg = display.value<QDBusArgument>();
        QString id;
        QDBusObjectPath sessionPath;
        arg.beginStructure();
        arg >> id >> sessionPath;
        arg.endStructure();
        return id;
    }
    return {};
}

} // namespace qz
