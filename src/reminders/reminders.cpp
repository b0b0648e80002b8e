#include "reminders/reminders.h"

namespace qz {

Reminders::Reminders(std::unique_ptr<Notifier> notifier) : m_notifier(std::move(notifier)) {}

bool Reminders::tick(bool armed, qint64 countdownKey, qint64 remainingSpanMs,
                     const std::function<QString()>& body) {
    if (m_decision.onTick(armed, countdownKey, remainingSpanMs) == 0 || !m_notifier)
        return false;
    m_notifier->showReminder(reminderName(), reminderTitle(), body ? body() : QString());
    return true;
}

} // namespace qz
