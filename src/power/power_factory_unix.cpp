#include "power/idle_time.h"
#include "power/power_backend.h"

#include "power/idle_time_dbus.h"
#include "power/idle_time_x11.h"
#include "power/logind_backend.h"

#include <QDBusConnection>
#include <QtGlobal>

namespace qz {

namespace {

// Used when no idle measurement exists: reports the user as active, so an idle-time task
// waits instead of firing while someone may be working.
class UnknownIdleTime : public IdleTime {
public:
    std::uint32_t idleSeconds() override { return 0; }
    bool measurable() const override { return false; }
};

// Connects to the system bus when it is first needed, not at start-up: the window should
// not wait for the bus to show.
class LogindOnFirstUse : public PowerBackend {
public:
    bool setTokenPrivilege(const std::string& name, bool enable) override {
        return logind().setTokenPrivilege(name, enable);
    }
    PowerAvailability availability(PowerAction action) override {
        return logind().availability(action);
    }
    void carryOut(PowerAction action, bool askUser, PowerDone done) override {
        logind().carryOut(action, askUser, std::move(done));
    }

private:
    PowerBackend& logind() {
        if (!m_logind)
            m_logind = std::make_unique<LogindBackend>(QDBusConnection::systemBus());
        return *m_logind;
    }

    std::unique_ptr<LogindBackend> m_logind;
};

} // namespace

std::unique_ptr<PowerBackend> createPowerBackend() {
    return std::make_unique<LogindOnFirstUse>();
}

std::unique_ptr<IdleTime> createIdleTime() {
    std::unique_ptr<IdleTime> idle;
    // Under Wayland the X server (if any) only sees input to X clients, so it would report
    // the user idle while they type elsewhere: ask the compositor's monitor only.
    const bool wayland =
        qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland") ||
        (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") && !qEnvironmentVariableIsSet("DISPLAY"));
    if (wayland) {
        idle = createDBusIdleTime(QDBusConnection::sessionBus());
    } else {
        idle = createX11IdleTime();
        if (!idle)
            idle = createDBusIdleTime(QDBusConnection::sessionBus());
    }
    if (!idle)
        idle = std::make_unique<UnknownIdleTime>();
    return idle;
}

} // namespace qz
