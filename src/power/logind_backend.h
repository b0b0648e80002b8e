#pragma once

#include "power/power_backend.h"

#include <QDBusConnection>
#include <QString>

namespace qz {

// systemd-logind on the given bus (the system bus in the program). Calls are raw messages
// with exactly logind's argument types. An action's reply is awaited on the event loop (at
// most kActionTimeoutMs) and its error, if any, is the outcome.
class LogindBackend : public PowerBackend {
public:
    static constexpr int kActionTimeoutMs = 25'000;

    explicit LogindBackend(QDBusConnection bus);

    bool setTokenPrivilege(const std::string& name, bool enable) override;
    PowerAvailability availability(PowerAction action) override;
    void carryOut(PowerAction action, PowerDone done) override;

    // The id of the session this process runs in, or empty when logind cannot tell.
    QString ownSessionId();

private:
    void call(const QString& method, const QVariantList& args, PowerDone done);
    PowerAvailability answer(const QString& method);
    PowerAvailability sessionAvailability();
    bool reachable();

    QDBusConnection m_bus;
};

} // namespace qz
