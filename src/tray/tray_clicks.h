#pragma once

#include <QtGlobal>

namespace qz {

// What a click on the tray icon does, with the clicks of a double-click told apart.
//
// Hosts report a double-click differently: the X11 tray as click, click, double-click;
// Windows as click, double-click; a StatusNotifierItem host only as one activation per
// click. A single click toggles the window; a double-click only brings it back, so it must
// never hide the window on its first click and show it again on the second. A click that
// would hide the window therefore waits out the double-click interval, and a further click
// within it makes the pair a double-click.
class TrayClicks {
public:
    enum class Click { Single, Double };
    enum class Action { None, Restore, ToTray };

    explicit TrayClicks(int doubleClickMSecs) : m_interval(doubleClickMSecs) {}
    void setDoubleClickInterval(int msecs) { m_interval = msecs; }

    // A click reported at `now` (milliseconds on any steady clock) while the window is shown
    // (visible and not minimised) or not.
    Action click(Click click, qint64 now, bool windowShown);
    // When the waiting to-tray falls due, on the same clock; -1 when nothing waits.
    qint64 pendingUntil() const { return m_pendingUntil; }
    // The waiting to-tray once its time has come (ToTray, and nothing waits any more);
    // otherwise None.
    Action due(qint64 now);

private:
    int m_interval;
    bool m_clicked = false;
    qint64 m_lastClick = 0;
    qint64 m_pendingUntil = -1;
};

} // namespace qz
