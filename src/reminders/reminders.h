#pragma once

#include "reminders/notifier.h"
#include "reminders/reminder_decision.h"

#include <functional>
#include <memory>

namespace qz {

// The body of timerBildirimTimer: decides and, when a point is met, shows the reminder.
// The window starts and stops its timer with the notifications switch and calls tick() on
// each timeout.
class Reminders {
public:
    explicit Reminders(std::unique_ptr<Notifier> notifier);

    // body is called only when a reminder is due and must return message string "3"
    // followed by RemainingTimeText() (see reminderBody). Returns true when one was shown.
    bool tick(bool armed, qint64 countdownKey, qint64 remainingSpanMs,
              const std::function<QString()>& body);

private:
    std::unique_ptr<Notifier> m_notifier;
    ReminderDecision m_decision;
};

} // namespace qz
