#pragma once

#include <QSet>
#include <QString>
#include <QtGlobal>

namespace qz {

// The notification's name (its identity: a new one replaces the shown one), title and the
// way its body is built. The same in both languages.
QString reminderName();  // "Kalan Süre"
QString reminderTitle(); // "QZ Duvodoro Ruruzovad"
// The reminder's lead-in (MessageId::TimeToComplete) directly followed by the remaining-time
// text.
QString reminderBody(const QString& leadIn, const QString& remainingTimeText);

// The reminder point met by a remaining span (now - EndTime in milliseconds, negative while
// time remains): 5, 3 or 1 when the remaining time, whole days dropped, reads 0 hours, that
// many minutes and 0 seconds; 0 otherwise. Once EndTime has passed no point is met.
int reminderPointMinutes(qint64 remainingSpanMs);

// Decides, tick by tick, whether a reminder is due. Each moment fires at most once per
// countdown, and never at the tick that first shows a countdown (arming, or an idle-time
// restart, which sets a new EndTime), so working through an idle-time task sends nothing.
class ReminderDecision {
public:
    // armed: the task is armed. countdownKey: anything that changes whenever the countdown
    // starts or restarts (EndTime in milliseconds). remainingSpanMs: RemainingSpan as the
    // task timer's last tick left it. Returns the point (5, 3, 1) to show now, or 0.
    int onTick(bool armed, qint64 countdownKey, qint64 remainingSpanMs);

private:
    bool m_seen = false;
    qint64 m_countdownKey = 0;
    QSet<qint64> m_fired; // remaining whole seconds already announced in this countdown
};

} // namespace qz
