#include "power/logind_backend.h"

#include "power/logind_names.h"
#include "power/session_lock.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusReply>
#include <QDBusVariant>

#include <unistd.h>

#include <array>

namespace qz {

namespace {

using namespace logind;

const char* const kNoSession = "logind knows no login session of this program";

// logind's query and request for each action, by the action's value. The session's
// actions have no query of their own: they need the program's session.
struct LogindAction {
    PowerAction action;
    const char* query;   // null: the session's
    const char* request; // takes the "interactive" flag, or the session's id
};
constexpr std::array<LogindAction, kPowerActionNames.size()> kLogindActions{{
    {PowerAction::Shutdown, "CanPowerOff", "PowerOff"},
    {PowerAction::Restart, "CanReboot", "Reboot"},
    {PowerAction::Lock, nullptr, "LockSession"},
    {PowerAction::Suspend, "CanSuspend", "Suspend"},
    {PowerAction::Hibernate, "CanHibernate", "Hibernate"},
    {PowerAction::Signout, nullptr, "TerminateSession"},
}};
static_assert(rowsStandAtTheirValue<&LogindAction::action>(kLogindActions),
              "each row stands at its action's value");

const LogindAction& logindAction(PowerAction action) {
    return kLogindActions[static_cast<std::size_t>(action)];
}

} // namespace

LogindBackend::LogindBackend(QDBusConnection bus) : m_bus(std::move(bus)) {}

bool LogindBackend::setTokenPrivilege(const std::string&, bool) {
    // logind checks the caller's rights itself; there is no per-process privilege to enable.
    return true;
}

void LogindBackend::call(const QString& method, const QVariantList& args, bool askUser,
                         PowerDone done) {
    QDBusMessage msg = QDBusMessage::createMethodCall(kService, kManagerPath, kManager, method);
    msg.setArguments(args);
    msg.setInteractiveAuthorizationAllowed(askUser);
    auto* watcher = new QDBusPendingCallWatcher(
        m_bus.asyncCall(msg, askUser ? kAskingTimeoutMs : kActionTimeoutMs));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [watcher, method, done = std::move(done)] {
                         watcher->deleteLater();
                         if (!watcher->isError()) {
                             done({});
                             return;
                         }
                         const QDBusError error = watcher->error();
                         done((method + QStringLiteral(": ") + error.message() +
                               QStringLiteral(" (") + error.name() + QLatin1Char(')'))
                                  .toStdString());
                     });
}

bool LogindBackend::reachable() {
    const QDBusConnectionInterface* bus = m_bus.isConnected() ? m_bus.interface() : nullptr;
    return bus && bus->isServiceRegistered(kService).value();
}

PowerAvailability LogindBackend::answer(const QString& method) {
    const QDBusMessage msg =
        QDBusMessage::createMethodCall(kService, kManagerPath, kManager, method);
    const QDBusReply<QString> reply = m_bus.call(msg, QDBus::Block, kQueryTimeoutMs);
    // A failed query is tried: the action's own reply then tells.
    if (!reply.isValid())
        return {};
    if (reply.value() == QLatin1String("no") || reply.value() == QLatin1String("na"))
        return {false, (method + QStringLiteral(": ") + reply.value()).toStdString()};
    // Possible once someone gives the password the system asks for.
    if (reply.value() == QLatin1String("challenge"))
        return {true, {}, true};
    return {};
}

PowerAvailability LogindBackend::sessionAvailability() {
    if (!ownSessionId().isEmpty() || !reachable())
        return {};
    return {false, kNoSession};
}

PowerAvailability LogindBackend::availability(PowerAction action) {
    const LogindAction& row = logindAction(action);
    return row.query ? answer(QLatin1String(row.query)) : sessionAvailability();
}

void LogindBackend::carryOut(PowerAction action, bool askUser, PowerDone done) {
    const LogindAction& row = logindAction(action);
    const QString request = QLatin1String(row.request);
    if (row.query) {
        // logind's "interactive" argument: an authentication prompt only where logind said
        // it would ask, since the program usually runs unattended at the end of a countdown.
        call(request, {askUser}, askUser, std::move(done));
        return;
    }
    const QString id = ownSessionId();
    if (id.isEmpty()) {
        done(kNoSession);
        return;
    }
    if (action != PowerAction::Lock) {
        call(request, {id}, false, std::move(done));
        return;
    }
    // logind takes the request whether or not a screen locker listens: the lock is
    // confirmed by the session, or sought elsewhere.
    call(request, {id}, false, [bus = m_bus, id, done = std::move(done)](const std::string& error) {
        if (!error.empty())
            done(error);
        else
            confirmSessionLocked(bus, id, done);
    });
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
            readProperty(m_bus, path.value().path(), kSession, QStringLiteral("Id")).toString();
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
