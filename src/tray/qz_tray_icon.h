#pragma once

#include "tray/tray_clicks.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QSystemTrayIcon>

class QMenu;
class QTimer;
class QWidget;

// The notification-area icon that the main window can be sent to.
//
// Contract:
// - Created with the window; the icon (the application's icon, tip Hint) is shown as soon as
//   the event loop runs when the desktop has a tray, and stays until the object is destroyed.
//   Enabled() is false until then and when there is no tray.
// - minimizeApp(): the to-tray button. Minimises the window, then hides it (and so its
//   taskbar entry) when Enabled and HideOnMinimize are both true. Without a tray the window
//   stays minimised on the taskbar, so it is never lost. A minimise from the taskbar or the
//   window manager takes the same path.
// - minimizeToTaskbar(): MinButton. Minimises to the taskbar whatever HideOnMinimize says.
// - A single click on the icon (or the activation a StatusNotifierItem host sends) toggles
//   the window: back at once when it is not shown; to the tray, when it is, once the
//   double-click interval has passed without another click. A double-click runs
//   restoreApp(): shows the window normal, raises and activates it; it never hides the
//   window on the way. The menu, if set, opens on the context click.
// - A tray that appears after the start (the usual case at logon) is looked for every few
//   seconds until it is there; the icon is put up then.
// - HideOnMinimize starts true; it is cleared when the window is resized or shown again
//   while not minimised (the window's FormResize), so that after a restore a minimise from
//   the taskbar goes to the taskbar.
class TqzTrayIcon : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Hint READ hint WRITE setHint)
    Q_PROPERTY(bool HideOnMinimize READ hideOnMinimize WRITE setHideOnMinimize)
    Q_PROPERTY(bool Enabled READ isEnabled)

public:
    explicit TqzTrayIcon(QWidget* window, QObject* parent = nullptr);
    ~TqzTrayIcon() override;

    QString hint() const { return m_hint; }
    void setHint(const QString& hint);
    bool hideOnMinimize() const { return m_hideOnMinimize; }
    void setHideOnMinimize(bool hide) { m_hideOnMinimize = hide; }
    bool isEnabled() const;

    void minimizeApp();
    void minimizeToTaskbar();
    void restoreApp();
    // The menu of the icon; owned by the caller.
    void setMenu(QMenu* menu) { m_icon.setContextMenu(menu); }

    // The Qt icon underneath, for tray messages (the Windows reminders).
    QSystemTrayIcon* systemTrayIcon() { return &m_icon; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onActivated(QSystemTrayIcon::ActivationReason reason);
    void carryOut(qz::TrayClicks::Action action);
    void waitForToTray();
    bool windowShown() const;
    void hideIfWanted();
    void updatePicture();
    void showWhenTrayAppears();

    QPointer<QWidget> m_window;
    QSystemTrayIcon m_icon;
    QString m_hint;
    bool m_hideOnMinimize = true;
    bool m_toTaskbar = false;
    QTimer* m_trayWatch = nullptr;
    qz::TrayClicks m_clicks;
    QElapsedTimer m_clickClock;
    QTimer* m_toTrayTimer = nullptr; // the single click's to-tray, after the double-click interval
};
