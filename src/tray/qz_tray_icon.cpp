#include "tray/qz_tray_icon.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QStyle>
#include <QStyleHints>
#include <QTimer>
#include <QWidget>
#include <QWindowStateChangeEvent>

#include <algorithm>

TqzTrayIcon::TqzTrayIcon(QWidget* window, QObject* parent)
    : QObject(parent), m_window(window), m_hint(QStringLiteral("qZ Duvodoro Ruruzovad")),
      m_clicks(QGuiApplication::styleHints()->mouseDoubleClickInterval()),
      m_toTrayTimer(new QTimer(this)) {
    m_clickClock.start();
    m_toTrayTimer->setSingleShot(true);
    connect(m_toTrayTimer, &QTimer::timeout, this, [this] {
        carryOut(m_clicks.due(m_clickClock.elapsed()));
        waitForToTray(); // a timer may fire a little early
    });
    updatePicture();
    m_icon.setToolTip(m_hint);
    connect(&m_icon, &QSystemTrayIcon::activated, this, &TqzTrayIcon::onActivated);
    if (m_window)
        m_window->installEventFilter(this);
    // Put up once the event loop runs: finding the tray takes round trips to the desktop
    // that the window's first appearance need not wait for. Without a tray the icon stays
    // off, and minimizeApp keeps the window on the taskbar, until a tray appears.
    QTimer::singleShot(0, this, &TqzTrayIcon::showWhenTrayAppears);
}

void TqzTrayIcon::showWhenTrayAppears() {
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        m_icon.show();
        if (m_trayWatch)
            m_trayWatch->stop();
        return;
    }
    if (!m_trayWatch) {
        // A coarse look every few seconds costs nothing noticeable, and only until then.
        m_trayWatch = new QTimer(this);
        m_trayWatch->setInterval(3000);
        m_trayWatch->setTimerType(Qt::VeryCoarseTimer);
        connect(m_trayWatch, &QTimer::timeout, this, &TqzTrayIcon::showWhenTrayAppears);
        m_trayWatch->start();
    }
}

TqzTrayIcon::~TqzTrayIcon() {
    if (m_window)
        m_window->removeEventFilter(this);
    m_icon.hide();
}

void TqzTrayIcon::updatePicture() {
    // The window's icon, which falls back to the application's; a stock picture rather
    // than an empty (invisible) tray entry when neither is set yet.
    QIcon icon = m_window ? m_window->windowIcon() : QApplication::windowIcon();
    if (icon.isNull())
        icon = QApplication::style()->standardIcon(QStyle::SP_ComputerIcon);
    m_icon.setIcon(icon);
}

void TqzTrayIcon::setHint(const QString& hint) {
    if (hint == m_hint)
        return;
    m_hint = hint;
    m_icon.setToolTip(hint);
}

bool TqzTrayIcon::isEnabled() const {
    return m_icon.isVisible();
}

void TqzTrayIcon::minimizeApp() {
    if (!m_window)
        return;
    if (!(m_window->windowState() & Qt::WindowMinimized))
        m_window->setWindowState(m_window->windowState() | Qt::WindowMinimized);
    hideIfWanted();
}

void TqzTrayIcon::minimizeToTaskbar() {
    if (!m_window)
        return;
    m_toTaskbar = true;
    m_window->setWindowState(m_window->windowState() | Qt::WindowMinimized);
    m_toTaskbar = false;
}

void TqzTrayIcon::restoreApp() {
    if (!m_window)
        return;
    if (m_window->isHidden() || (m_window->windowState() & Qt::WindowMinimized))
        m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void TqzTrayIcon::hideIfWanted() {
    if (m_window && isEnabled() && m_hideOnMinimize && m_window->isVisible())
        m_window->hide();
}

bool TqzTrayIcon::windowShown() const {
    return m_window && m_window->isVisible() && !(m_window->windowState() & Qt::WindowMinimized);
}

void TqzTrayIcon::onActivated(QSystemTrayIcon::ActivationReason reason) {
    if (!m_window || (reason != QSystemTrayIcon::Trigger && reason != QSystemTrayIcon::DoubleClick))
        return;
    m_clicks.setDoubleClickInterval(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    const auto click = reason == QSystemTrayIcon::DoubleClick ? qz::TrayClicks::Click::Double
                                                              : qz::TrayClicks::Click::Single;
    carryOut(m_clicks.click(click, m_clickClock.elapsed(), windowShown()));
    waitForToTray();
}

void TqzTrayIcon::waitForToTray() {
    const qint64 due = m_clicks.pendingUntil();
    if (due < 0)
        m_toTrayTimer->stop();
    else
        m_toTrayTimer->start(static_cast<int>(std::max<qint64>(0, due - m_clickClock.elapsed())));
}

void TqzTrayIcon::carryOut(qz::TrayClicks::Action action) {
    switch (action) {
    case qz::TrayClicks::Action::Restore:
        restoreApp();
        break;
    case qz::TrayClicks::Action::ToTray:
        if (windowShown()) {
            m_hideOnMinimize = true;
            minimizeApp();
        }
        break;
    case qz::TrayClicks::Action::None:
        break;
    }
}

bool TqzTrayIcon::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_window)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::WindowStateChange: {
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        const bool wasMinimized = change->oldState() & Qt::WindowMinimized;
        const bool minimized = m_window->windowState() & Qt::WindowMinimized;
        if (!wasMinimized && minimized && !m_toTaskbar) {
            // A minimise from the taskbar or the window manager: the same path as the
            // to-tray button. Hiding is deferred out of the state change itself.
            QTimer::singleShot(0, this, [this] {
                if (m_window && (m_window->windowState() & Qt::WindowMinimized))
                    hideIfWanted();
            });
        } else if (wasMinimized && !minimized) {
            m_hideOnMinimize = false;
        }
        break;
    }
    case QEvent::WindowIconChange:
        updatePicture();
        break;
    case QEvent::Resize:
        // The window's FormResize: a resize of a window that is not minimised means it is
        // back in use, so a later minimise from the taskbar stays on the taskbar.
        if (!(m_window->windowState() & Qt::WindowMinimized))
            m_hideOnMinimize = false;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
