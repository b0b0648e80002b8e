#include "tray/qz_tray_icon.h"

#include <QDBusConnection>
#include <QGuiApplication>
#include <QProcess>
#include <QStyleHints>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// Under with_mocks.py --xvfb: a display without any tray host.
class TrayNoHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(qgetenv("DISPLAY").isEmpty()) << "run through tests/support/with_mocks.py";
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    QWidget window;
};

TEST_F(TrayNoHostTest, ToTrayOnlyMinimisesSoTheWindowIsNeverLost) {
    ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable());
    TqzTrayIcon tray(&window);
    EXPECT_FALSE(tray.isEnabled());

    tray.setHideOnMinimize(true);
    tray.minimizeApp();
    QTest::qWait(50);
    EXPECT_TRUE(window.windowState() & Qt::WindowMinimized);
    EXPECT_FALSE(window.isHidden());
}

TEST_F(TrayNoHostTest, ActivationRestoresWhereTheHostSendsNoDoubleClick) {
    // A StatusNotifierItem host only reports activation.
    ASSERT_TRUE(QDBusConnection::sessionBus().registerService(
        QStringLiteral("org.kde.StatusNotifierWatcher")));
    TqzTrayIcon tray(&window);
    window.hide();

    Q_EMIT tray.systemTrayIcon()->activated(QSystemTrayIcon::Context);
    EXPECT_TRUE(window.isHidden());
    Q_EMIT tray.systemTrayIcon()->activated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(window.isVisible());
}

TEST_F(TrayNoHostTest, ASingleClickTogglesTheWindowADoubleClickShowsIt) {
    TqzTrayIcon tray(&window);
    window.hide();
    Q_EMIT tray.systemTrayIcon()->activated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(window.isVisible());
    // A click that comes after the double-click interval is a click of its own. It waits out
    // the interval too, and without a tray it goes as far as the taskbar, never out of reach.
    const int interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
    QTest::qWait(interval + 100);
    Q_EMIT tray.systemTrayIcon()->activated(QSystemTrayIcon::Trigger);
    EXPECT_FALSE(window.windowState() & Qt::WindowMinimized);
    EXPECT_TRUE(QTest::qWaitFor([&] { return bool(window.windowState() & Qt::WindowMinimized); },
                                interval + 5000));
    EXPECT_FALSE(window.isHidden());
    Q_EMIT tray.systemTrayIcon()->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.windowState() & Qt::WindowMinimized);
}

// The usual case at logon: the program starts before the desktop's tray.
TEST_F(TrayNoHostTest, ATrayThatAppearsLaterGetsTheIconAndTakesTheWindow) {
    TqzTrayIcon tray(&window);
    QTest::qWait(100);
    ASSERT_FALSE(tray.isEnabled());

    QProcess trayer;
    trayer.start(QStringLiteral("trayer"),
                 {QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"),
                  QStringLiteral("right"), QStringLiteral("--widthtype"), QStringLiteral("request"),
                  QStringLiteral("--height"), QStringLiteral("24")});
    ASSERT_TRUE(trayer.waitForStarted());
    EXPECT_TRUE(QTest::qWaitFor([&] { return tray.isEnabled(); }, 10'000));
    tray.setHideOnMinimize(true);
    tray.minimizeApp();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isHidden(); }, 2000));
    trayer.terminate();
    trayer.waitForFinished(3000);
}

} // namespace
