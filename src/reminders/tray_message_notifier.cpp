#include "reminders/tray_message_notifier.h"

namespace qz {

QString withLineBreaks(const QString& body) {
    QString text = body;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

void TrayMessageNotifier::showReminder(const QString&, const QString& title, const QString& body,
                                       const QList<NotifierAction>&) {
    // A tray shows one message at a time, so the new reminder replaces the old one by itself.
    if (m_icon)
        m_icon->showMessage(title, withLineBreaks(body));
}

} // namespace qz
