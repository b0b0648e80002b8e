#pragma once

#include "power/power_backend.h"

#include <QDBusConnection>
#include <QString>

namespace qz {

// systemd-logind on the given bus (the system bus in the program). Calls are raw messages
// with exactly logind's argument types. An action's reply is awaited on the event loop (at
// most kActionTimeoutMs, or kAskingTimeoutMs while the user may be asked for a password)
// and its error, if any, is the outcome. A lock is the outcome only once the session says
// it is locked (see session_lock.h).
class LogindBackend : public PowerBackend {
public:
    static constexpr int kActionTimeoutMs = 25'000;
    // A request that may ask the user for a password waits for the answer this long.
    static constexpr int kAskingTimeoutMs = 10 * 60'000;

    explicit LogindBackend(QDBusConnection bus);

    bool setTokenPrivilege(const std::string& name, bool enable) override;
    PowerAvailability availability(PowerAction action) override;
    void carryOut(PowerAction action, bool askUser, PowerDone done) override;

    // The id of the session this process runs in, or empty when logind cannot tell.
    QString ownSessionId();

private:
    void call(const QString& method, const QVariantList& args, bool askUser, PowerDone done);
    PowerAvailability answer(const QString& method);
    PowerAvailability sessionAvailability();
    bool reachable();

    QDBusConnection m_bus;
};

} // namespace qz
