#include "power/idle_time_dbus.h"

#include <QDBusMessage>
#include <QDBusReply>

namespace qz {

namespace {

struct Monitor {
    const char* service;
    const char* path;
    const char* interface;
    const char* method;
};

constexpr Monitor kMonitors[] = {
    {"org.gnome.Mutter.IdleMonitor", "/org/gnome/Mutter/IdleMonitor/Core",
     "org.gnome.Mutter.IdleMonitor", "GetIdletime"},
    {"org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver", "org.freedesktop.ScreenSaver",
     "GetSessionIdleTime"},
};

// Asked every second from the task timer: keep a hung monitor from freezing the window.
constexpr int kTimeoutMs = 500;

// Milliseconds, or -1 when the monitor does not answer.
qint64 askMonitor(QDBusConnection& bus, const Monitor& m) {
    const QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(m.service), QString::fromLatin1(m.path),
        QString::fromLatin1(m.interface), QString::fromLatin1(m.method));
    const QDBusMessage reply = bus.call(call, QDBus::Block, kTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return -1;
    bool ok = false;
    const qulonglong ms = reply.arguments().constFirst().toULongLong(&ok);
    return ok ? static_cast<qint64>(ms) : -1;
}

class DBusIdleTime : public IdleTime {
public:
    DBusIdleTime(QDBusConnection bus, const Monitor& monitor) : m_bus(bus), m_monitor(monitor) {}

    std::uint32_t idleSeconds() override {
        const qint64 ms = askMonitor(m_bus, m_monitor);
        // A monitor that stopped answering means "unknown", which counts as active.
        return ms < 0 ? 0u : static_cast<std::uint32_t>(ms / 1000);
    }

private:
    QDBusConnection m_bus;
    Monitor m_monitor;
};

} // namespace

std::unique_ptr<IdleTime> createDBusIdleTime(QDBusConnection bus) {
    if (!bus.isConnected())
        return nullptr;
    for (const Monitor& m : kMonitors) {
        if (askMonitor(bus, m) >= 0)
            return std::make_unique<DBusIdleTime>(bus, m);
    }
    return nullptr;
}

} // namespace qz
