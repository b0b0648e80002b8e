#include "schedule/scheduled_task.h"

#include "power/idle_time.h"
#include "power/power_executor.h"

#include <QPointer>
#include <QTimer>

#include <optional>
#include <utility>

namespace qz {

namespace {

QTimer* wholeSecondTimer(const char* name, QObject* parent) {
    auto* timer = new QTimer(parent);
    timer->setObjectName(QString::fromLatin1(name));
    timer->setInterval(1000);
    // Whole-second wake-ups: both timers fire together, exactly a second apart, so every
    // reminder point is seen and an armed program in the tray wakes once a second.
    timer->setTimerType(Qt::VeryCoarseTimer);
    return timer;
}

} // namespace

ScheduledTask::ScheduledTask(const Clock& clock, PowerBackend* power, IdleTime* idle,
                             QObject* parent)
    : QObject(parent), m_clock(clock), m_power(power), m_idle(idle),
      m_taskTimer(wholeSecondTimer("timerGorev", this)),
      m_reminderTimer(wholeSecondTimer("timerBildirim", this)) {
    connect(m_taskTimer, &QTimer::timeout, this, &ScheduledTask::timerGorevTimer);
    connect(m_reminderTimer, &QTimer::timeout, this, &ScheduledTask::timerBildirimTimer);
}

PowerAvailability ScheduledTask::availability(PowerAction action) const {
    return m_power ? m_power->availability(action) : PowerAvailability{};
}

ArmResult ScheduledTask::arm(const Plan& plan) {
    if (plan.mode == TriggerMode::IdleTime && (!m_idle || !m_idle->measurable()))
        return ArmResult::IdleNotMeasurable;
    // Refused now rather than at the end, when nobody may be there to read why.
    const PowerAvailability answer = availability(plan.action);
    if (!answer.possible) {
        m_refusal = answer.reason;
        return ArmResult::ActionUnavailable;
    }
    const ArmResult counted = m_countdown.arm(plan.mode, plan.fields, m_clock.now());
    if (counted != ArmResult::Armed)
        return counted;
    m_action = plan.action;
    m_asksAuthorisation = answer.asksAuthorisation;
    m_awaitingOutcome = false;
    m_privilegeError.clear();
    m_taskTimer->start();
    Q_EMIT armedChanged(true);
    emitProgress(m_countdown.ringMaximum(), 0);
    return ArmResult::Armed;
}

void ScheduledTask::stop() {
    if (!m_countdown.isArmed() && !m_taskTimer->isActive())
        return;
    ended();
}

void ScheduledTask::ended() {
    m_awaitingOutcome = false;
    m_countdown.disarm();
    m_taskTimer->stop();
    Q_EMIT armedChanged(false);
}

bool ScheduledTask::postpone() {
    if (m_awaitingOutcome || !m_countdown.postpone(kPostponeMSecs))
        return false;
    const QDateTime now = m_clock.now();
    emitProgress(m_countdown.ringMaximum(), m_countdown.ringValue(now));
    Q_EMIT postponed(m_countdown.endTime());
    return true;
}

bool ScheduledTask::isTicking() const {
    return m_taskTimer->isActive();
}

void ScheduledTask::setRemindersEnabled(bool enabled) {
    if (enabled)
        m_reminderTimer->start();
    else
        m_reminderTimer->stop();
}

bool ScheduledTask::remindersEnabled() const {
    return m_reminderTimer->isActive();
}

qint64 ScheduledTask::refreshRemainingSpan() {
    return m_countdown.refreshRemainingSpan(m_clock.now());
}

void ScheduledTask::emitProgress(quint32 maximum, quint32 value) {
    Q_EMIT progressChanged(maximum, value, m_countdown.remainingSpanMSecs());
}

void ScheduledTask::timerGorevTimer() {
    if (m_awaitingOutcome)
        return; // the system has not answered the action yet
    try {
        const QDateTime now = m_clock.now();
        const QDateTime due = m_countdown.endTime();
        std::optional<quint32> idle;
        if (m_countdown.mode() == TriggerMode::IdleTime && m_idle)
            idle = m_idle->idleSeconds();
        const Countdown::TickResult r = m_countdown.tick(now, idle);
        switch (r.outcome) {
        case Countdown::TickOutcome::NotArmed:
            m_taskTimer->stop();
            return;
        case Countdown::TickOutcome::Running:
            emitProgress(r.ringMaximum, r.ringValue);
            return;
        case Countdown::TickOutcome::Due:
            emitProgress(r.ringMaximum, r.ringValue);
            carryOut();
            return;
        case Countdown::TickOutcome::Missed: {
            // Tried for the whole grace minute and refused each time: the user learns why,
            // not only that the end passed.
            const std::string refused = std::exchange(m_privilegeError, {});
            if (refused.empty())
                Q_EMIT missed(m_action, due);
            if (r.armed)
                emitProgress(r.ringMaximum, r.ringValue); // an everyday task's next day
            else
                ended();
            if (!refused.empty())
                Q_EMIT failed(m_action, QString::fromStdString(refused));
            return;
        }
        }
    } catch (const PowerError& error) {
        // The privilege step failed: the next tick tries again.
        m_privilegeError = error.what();
    }
}

void ScheduledTask::carryOut() {
    Q_EMIT aboutToCarryOut(m_action);
    if (!m_power) {
        outcome({});
        return;
    }
    // A failed privilege step throws here and the next tick retries. The answer may come
    // later, on the event loop, when this task may be gone or stopped.
    m_awaitingOutcome = true;
    try {
        carryOutAction(*m_power, m_action,
                       [self = QPointer<ScheduledTask>(this)](const std::string& error) {
                           if (self && self->m_awaitingOutcome)
                               self->outcome(error);
                       });
    } catch (...) {
        m_awaitingOutcome = false;
        throw;
    }
}

void ScheduledTask::outcome(const std::string& error) {
    m_awaitingOutcome = false;
    m_privilegeError.clear();
    const PowerAction action = m_action;
    if (m_countdown.confirmCarriedOut(m_clock.now()))
        emitProgress(m_countdown.ringMaximum(), 0);
    else
        ended();
    if (!error.empty())
        Q_EMIT failed(action, QString::fromStdString(error));
}

void ScheduledTask::timerBildirimTimer() {
    // The task timer brought the span up to date in the same wake-up.
    if (m_reminderDecision.onTick(m_countdown.isArmed(), m_countdown.endMSecsSinceEpoch(),
                                  m_countdown.remainingSpanMSecs()) != 0)
        Q_EMIT reminderDue(m_countdown.remainingSpanMSecs());
}

} // namespace qz
