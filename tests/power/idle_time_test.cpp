#include "power/idle_time.h"
#include "power/idle_time_dbus.h"
#include "power/idle_time_x11.h"
#include "support/mock_bus.h"

#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

using namespace qz;

namespace {

bool runXdotool(const QStringList& args) {
    return QProcess::execute(QStringLiteral("xdotool"), args) == 0;
}

// Runs under with_mocks.py --xvfb: a private X server with MIT-SCREEN-SAVER.
TEST(IdleTimeX11, CountsWholeSecondsAndInputResetsIt) {
    ASSERT_FALSE(qgetenv("DISPLAY").isEmpty()) << "run through tests/support/with_mocks.py --xvfb";
    auto idle = createX11IdleTime();
    ASSERT_TRUE(idle);

    ASSERT_TRUE(
        runXdotool({QStringLiteral("mousemove"), QStringLiteral("10"), QStringLiteral("10")}));
    EXPECT_EQ(idle->idleSeconds(), 0u);
    QTRY_VERIFY_WITH_TIMEOUT(idle->idleSeconds() >= 1u, 4000);

    ASSERT_TRUE(runXdotool({QStringLiteral("key"), QStringLiteral("shift")}));
    EXPECT_EQ(idle->idleSeconds(), 0u);
    ASSERT_TRUE(
        runXdotool({QStringLiteral("mousemove"), QStringLiteral("200"), QStringLiteral("150")}));
    EXPECT_EQ(idle->idleSeconds(), 0u);
}

TEST(IdleTimeX11, FactoryPicksTheX11CounterOutsideWayland) {
    qunsetenv("XDG_SESSION_TYPE");
    auto idle = createIdleTime();
    ASSERT_TRUE(idle);
    ASSERT_TRUE(runXdotool({QStringLiteral("key"), QStringLiteral("shift")}));
    QTRY_VERIFY_WITH_TIMEOUT(idle->idleSeconds() >= 1u, 4000);
}

// A session-bus idle monitor started by the test itself on the wrapper's private session bus.
class IdleMonitorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(qgetenv("QZ_MOCK_SESSION_BUS").isEmpty());
        bus = QDBusConnection::sessionBus();
        ASSERT_TRUE(bus.isConnected());
    }
    void TearDown() override {
        if (mock.state() != QProcess::NotRunning) {
            mock.terminate();
            mock.waitForFinished(3000);
        }
    }

    void startMonitor(const QString& service, const QString& path, const QString& method,
                      const QString& type, const QString& value) {
        mock.start(QStringLiteral("/usr/bin/python3"),
                   {QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--session"),
                    service, path, service});
        ASSERT_TRUE(mock.waitForStarted());
        ASSERT_EQ(QProcess::execute(QStringLiteral("gdbus"),
                                    {QStringLiteral("wait"), QStringLiteral("--session"),
                                     QStringLiteral("--timeout"), QStringLiteral("10"), service}),
                  0);
        const QDBusMessage reply = bus.call(qz::test::mockMethod(
            service, path, QStringLiteral("AddMethod"),
            {service, method, QString(), type, QStringLiteral("ret = ") + value}));
        ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    }

    QDBusConnection bus{QString()};
    QProcess mock;
};

TEST_F(IdleMonitorTest, ReadsMutterMillisecondsAsWholeSeconds) {
    startMonitor(QStringLiteral("org.gnome.Mutter.IdleMonitor"),
                 QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core"),
                 QStringLiteral("GetIdletime"), QStringLiteral("t"), QStringLiteral("4999"));
    auto idle = createDBusIdleTime(bus);
    ASSERT_TRUE(idle);
    EXPECT_EQ(idle->idleSeconds(), 4u);
}

TEST_F(IdleMonitorTest, FallsBackToTheScreenSaverInterface) {
    startMonitor(QStringLiteral("org.freedesktop.ScreenSaver"),
                 QStringLiteral("/org/freedesktop/ScreenSaver"),
                 QStringLiteral("GetSessionIdleTime"), QStringLiteral("u"), QStringLiteral("999"));
    auto idle = createDBusIdleTime(bus);
    ASSERT_TRUE(idle);
    EXPECT_EQ(idle->idleSeconds(), 0u);
}

TEST_F(IdleMonitorTest, WaylandWithoutAnyMonitorCountsTheUserAsActive) {
    EXPECT_FALSE(createDBusIdleTime(bus));
    qputenv("XDG_SESSION_TYPE", "wayland");
    auto idle = createIdleTime();
    qunsetenv("XDG_SESSION_TYPE");
    ASSERT_TRUE(idle);
    // Even with an X server that has been idle for a while: its counter misses Wayland input.
    QTest::qWait(1100);
    EXPECT_EQ(idle->idleSeconds(), 0u);
}

} // namespace
