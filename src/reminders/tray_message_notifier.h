#pragma once

#include "reminders/notifier.h"

#include <QPointer>
#include <QSystemTrayIcon>

namespace qz {

// The tray icon's own message (a toast on Windows). It offers no actions: the tray icon's
// menu has the same entries.
class TrayMessageNotifier : public Notifier {
public:
    explicit TrayMessageNotifier(QSystemTrayIcon* icon) : m_icon(icon) {}
    void showReminder(const QString& name, const QString& title, const QString& body,
                      const QList<NotifierAction>& actions = {}) override;

private:
    QPointer<QSystemTrayIcon> m_icon;
};

// The body as notification servers and tray messages show it: the remaining-time text
// starts after a bare carriage return, which they would not break on.
QString withLineBreaks(const QString& body);

} // namespace qz
