#include "reminders/reminder_decision.h"

#include "i18n/language_index.h"
#include "i18n/program_titles.h"
#include "schedule/countdown_math.h"
#include "schedule/date_time.h"

namespace qz {

namespace {
constexpr int kPoints[] = {5, 3, 1};
} // namespace

QString reminderName() {
    // The ring's Turkish caption, whatever the language: the name only identifies it.
    return remainingTimeTitle(kTurkish);
}
QString reminderTitle() {
    return QString::fromUtf8(kProgramTitle);
}

QString reminderBody(const QString& leadIn, const QString& remainingTimeText) {
    return leadIn + remainingTimeText;
}

int reminderPointMinutes(qint64 remainingSpanMs) {
    // After EndTime the span grows again; "5 minutes remaining" would then be false.
    if (remainingSpanMs >= 0)
        return 0;
    const qint64 ofDay = (-remainingSpanMs) % kMSecsPerDay;
    const qint64 seconds = ofDay / 1000;
    for (int point : kPoints) {
        if (seconds == point * 60)
            return point;
    }
    return 0;
}

int ReminderDecision::onTick(bool armed, qint64 countdownKey, qint64 remainingSpanMs) {
    if (!armed) {
        m_seen = false;
        m_fired.clear();
        return 0;
    }
    if (!m_seen || countdownKey != m_countdownKey) {
        // A countdown seen for the first time has just been armed or restarted: its first
        // remaining time is the full duration, never an approach to the end.
        m_seen = true;
        m_countdownKey = countdownKey;
        m_fired.clear();
        return 0;
    }
    const int point = reminderPointMinutes(remainingSpanMs);
    if (point == 0)
        return 0;
    const qint64 remainingSeconds = (-remainingSpanMs) / 1000;
    if (m_fired.contains(remainingSeconds))
        return 0;
    m_fired.insert(remainingSeconds);
    return point;
}

} // namespace qz
