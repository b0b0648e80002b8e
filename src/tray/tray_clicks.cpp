#include "tray/tray_clicks.h"

namespace qz {

TrayClicks::Action TrayClicks::click(Click click, qint64 now, bool windowShown) {
    const bool secondOfPair = m_clicked && now - m_lastClick <= m_interval;
    m_clicked = true;
    m_lastClick = now;
    if (click == Click::Double || secondOfPair) {
        m_pendingUntil = -1;
        return Action::Restore;
    }
    m_pendingUntil = windowShown ? now + m_interval : -1;
    return windowShown ? Action::None : Action::Restore;
}

TrayClicks::Action TrayClicks::due(qint64 now) {
    if (m_pendingUntil < 0 || now < m_pendingUntil)
        return Action::None;
    m_pendingUntil = -1;
    return Action::ToTray;
}

} // namespace qz
