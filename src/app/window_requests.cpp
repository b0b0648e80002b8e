#include "app/window_requests.h"

#include "app/anaform.h"

namespace qz {

void WindowRequests::show() {
    m_window.bringToFront();
}

void WindowRequests::toTray() {
    m_window.qzGlyphButton1Click();
}

std::optional<RequestTarget::ArmedTask> WindowRequests::armedTask() const {
    const ScheduledTask& task = m_window.task();
    if (!task.isArmed())
        return std::nullopt;
    return ArmedTask{task.action(), task.countdown().endTime()};
}

RequestTarget::CancelResult WindowRequests::cancel() {
    const ScheduledTask& task = m_window.task();
    if (!task.isArmed())
        return CancelResult::NotArmed;
    if (task.isCarryingOut())
        return CancelResult::AlreadySent;
    m_window.cancelTask();
    return CancelResult::Stopped;
}

RequestTarget::ArmAnswer WindowRequests::arm(PowerAction action, TriggerMode trigger,
                                             const QString& value) {
    const QString refusal = m_window.armFromCommand(action, trigger, value);
    if (!refusal.isEmpty())
        return {false, refusal};
    return {true, m_window.armedNotice()};
}

} // namespace qz
