#include "tray/qz_tray_icon.h"

#include <QGuiApplication>
#include <QHash>
#include <QProcess>
#include <QStyleHints>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// Two clicks this far apart are one double-click; a test waits a little longer than this
// between single clicks instead of the desktop's default.
constexpr int kDoubleClickMSecs = 200;

bool xdotool(const QStringList& args) {
    return QProcess::execute(QStringLiteral("xdotool"), args) == 0;
}

QString rectText(const QRect& r) {
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// Where X has trayer's panel now (it widens as icons dock), empty if it has none.
QRect trayPanel() {
    QProcess p;
    p.start(QStringLiteral("xdotool"),
            {QStringLiteral("search"), QStringLiteral("--name"), QStringLiteral("^panel$"),
             QStringLiteral("getwindowgeometry"), QStringLiteral("--shell")});
    p.waitForFinished();
    QHash<QString, int> values;
    for (const QString& line : QString::fromLatin1(p.readAllStandardOutput()).split('\n')) {
        const QStringList kv = line.split('=');
        if (kv.size() == 2)
            values.insert(kv[0], kv[1].toInt());
    }
    return QRect(values.value(QStringLiteral("X")), values.value(QStringLiteral("Y")),
                 values.value(QStringLiteral("WIDTH")), values.value(QStringLiteral("HEIGHT")));
}

// Under with_mocks.py --trayer: a private Xvfb with a tray host.
class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QSystemTrayIcon::isSystemTrayAvailable())
            << "run through tests/support/with_mocks.py --trayer with QT_QPA_PLATFORM=xcb";
        QGuiApplication::styleHints()->setMouseDoubleClickInterval(kDoubleClickMSecs);
        window.resize(320, 200);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        tray = std::make_unique<TqzTrayIcon>(&window);
        // The icon first has a place of its own (0,0 22x22) and is moved into the tray a
        // moment later: clicks go where the tray shows it.
        ASSERT_TRUE(QTest::qWaitFor([&] {
            return trayPanel().contains(tray->systemTrayIcon()->geometry().center());
        })) << "icon at "
            << qPrintable(rectText(tray->systemTrayIcon()->geometry())) << ", tray panel at "
            << qPrintable(rectText(trayPanel()));
    }

    void clickIcon(int clicks) {
        const QPoint c = tray->systemTrayIcon()->geometry().center();
        ASSERT_TRUE(
            xdotool({QStringLiteral("mousemove"), QString::number(c.x()), QString::number(c.y()),
                     QStringLiteral("click"), QStringLiteral("--repeat"), QString::number(clicks),
                     QStringLiteral("--delay"), QStringLiteral("60"), QStringLiteral("1")}));
    }

    bool minimized() const { return window.windowState() & Qt::WindowMinimized; }

    QWidget window;
    std::unique_ptr<TqzTrayIcon> tray;
};

TEST_F(TrayIconTest, IsPresentWithItsTip) {
    EXPECT_TRUE(tray->isEnabled());
    EXPECT_TRUE(tray->systemTrayIcon()->isVisible());
    EXPECT_EQ(tray->systemTrayIcon()->toolTip(), QStringLiteral("qZ Duvodoro Ruruzovad"));
    EXPECT_EQ(tray->property("Hint").toString(), QStringLiteral("qZ Duvodoro Ruruzovad"));
}

TEST_F(TrayIconTest, ToTrayHidesASingleClickTogglesADoubleClickBringsTheWindowBack) {
    tray->setHideOnMinimize(true);
    tray->minimizeApp();
    EXPECT_TRUE(window.isHidden());

    clickIcon(1);
    QTRY_VERIFY(window.isVisible());
    QTest::qWait(kDoubleClickMSecs + 50); // past the double-click interval
    clickIcon(1);
    QTRY_VERIFY(window.isHidden());
    QTest::qWait(kDoubleClickMSecs + 50);

    clickIcon(2);
    QTRY_VERIFY(window.isVisible());
    EXPECT_FALSE(minimized());
    QTRY_VERIFY(window.isActiveWindow());

    // Back in use: a minimise to the taskbar now stays on the taskbar.
    EXPECT_FALSE(tray->hideOnMinimize());
    tray->minimizeToTaskbar();
    QTest::qWait(50);
    EXPECT_TRUE(minimized());
    EXPECT_FALSE(window.isHidden());
}

TEST_F(TrayIconTest, ADoubleClickOnTheShownWindowNeverHidesIt) {
    struct HideCount : QObject {
        int hides = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            hides += event->type() == QEvent::Hide ? 1 : 0;
            return false;
        }
    } count;
    window.installEventFilter(&count);
    clickIcon(2);
    QTest::qWait(3 * kDoubleClickMSecs); // past the wait of a single click
    EXPECT_EQ(count.hides, 0);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(minimized());
    window.removeEventFilter(&count);
}

TEST_F(TrayIconTest, MinimiseFromOutsideGoesToTheTrayOnlyWhileHideOnMinimizeIsSet) {
    tray->setHideOnMinimize(true);
    window.showMinimized(); // as the window manager or the taskbar would
    QTRY_VERIFY(window.isHidden());

    tray->restoreApp();
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(minimized());
    EXPECT_FALSE(tray->hideOnMinimize());

    window.showMinimized();
    QTest::qWait(50);
    EXPECT_FALSE(window.isHidden());
}

TEST_F(TrayIconTest, MinButtonMinimisesToTheTaskbarWhateverTheFlag) {
    tray->setHideOnMinimize(true);
    tray->minimizeToTaskbar();
    QTest::qWait(50);
    EXPECT_TRUE(minimized());
    EXPECT_FALSE(window.isHidden());
}

} // namespace
