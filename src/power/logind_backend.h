#pragma once

#include "power/power_backend.h"

#include <QDBusConnection>
#include <QString>

namespace qz {

// systemd-logind on the given bus (the system bus in the program). Calls are raw messages
// with exactly logind's argument types. The actions are sent without waiting for a reply:
// a refused request is not reported, as on Windows.
class LogindBackend : public PowerBackend {
public:
    explicit LogindBackend(QDBusConnection bus);

    bool setTokenPrivilege(const std::string& name, bool enable) override;
    void shutdown() override;
    void restart() override;
    void signOut() override;
    bool canSuspend() override;
    void suspend() override;
    bool canHibernate() override;
    void hibernate() override;
    void lock() override;

    // The id of the session this process runs in, or empty when logind cannot tell.
    QString ownSessionId();

private:
    void callNoReply(const QString& method, const QVariantList& args);
    bool answersYes(const QString& method);

    QDBusConnection m_bus;
};

} // namespace qz
