#pragma once

#include "power/power_backend.h"
#include "reminders/reminder_decision.h"
#include "schedule/clock.h"
#include "schedule/countdown.h"
#include "schedule/plan.h"
#include "schedule/power_action.h"

#include <QObject>

#include <string>

class QTimer;

namespace qz {

class IdleTime;

// The task's life: arming, the one-second countdown, the power call at its end, and the
// decision when a reminder is due. Its owner (the TaskController) drives it through arm()
// and stop() for every source of a command, and the window shows what its signals report;
// it knows nothing of widgets or texts.
//
// Its two timers carry the names the design gives them: timerGorev ticks while a task
// is armed, timerBildirim while reminders are on. Both wake at whole seconds in the same
// wake-up, the task's first, so a reminder sees the span the tick just left.
class ScheduledTask : public QObject {
    Q_OBJECT

public:
    // power and idle may be null: no power call is made, and idle time then never reads
    // as long enough.
    ScheduledTask(const Clock& clock, PowerBackend* power, IdleTime* idle,
                  QObject* parent = nullptr);

    // Arms the plan from now. Anything but Armed leaves the task as it was.
    ArmResult arm(const Plan& plan);
    // What the system says of the action now (possible when there is no power backend).
    PowerAvailability availability(PowerAction action) const;
    // Why the last arm() gave ActionUnavailable, in the system's words.
    const std::string& refusal() const { return m_refusal; }
    // When armed, the system said it will ask for authorisation at the end: nobody there to
    // give it, the action is refused.
    bool asksAuthorisation() const { return m_asksAuthorisation; }
    // Disarms an armed task; nothing happens when none is armed.
    void stop();
    // Moves the armed task's end by kPostponeMSecs; the ring, the reminders (which come
    // again at their points) and the everyday flag follow. Not for an idle-time task.
    static constexpr qint64 kPostponeMSecs = 10 * 60 * 1000;
    bool postpone();
    bool canPostpone() const { return isArmed() && mode() != TriggerMode::IdleTime; }

    bool isArmed() const { return m_countdown.isArmed(); }
    // The action has been asked of the system and its answer is awaited: stopping the task
    // no longer keeps the action from happening.
    bool isCarryingOut() const { return m_awaitingOutcome; }
    bool isTicking() const;
    PowerAction action() const { return m_action; }
    TriggerMode mode() const { return m_countdown.mode(); }
    const Countdown& countdown() const { return m_countdown; }
    // "1" exactly while an everyday task is armed: what the next start re-arms.
    QString everydayFlag() const { return m_countdown.everydayFlag(); }

    void setRemindersEnabled(bool enabled);
    bool remindersEnabled() const;

    // Refreshes the remaining span from the clock, for a text shown outside a tick.
    qint64 refreshRemainingSpan();

public Q_SLOTS:
    void timerGorevTimer();
    void timerBildirimTimer();

Q_SIGNALS:
    // Armed by arm(); disarmed by stop() or the end of a task that does not repeat.
    void armedChanged(bool armed);
    // The ring: its maximum and value, and now - EndTime in milliseconds.
    void progressChanged(quint32 maximum, quint32 value, qint64 remainingSpanMSecs);
    // The end has come and the action is about to be carried out: the last moment to save.
    void aboutToCarryOut(qz::PowerAction action);
    // The system refused the action, or could not be asked: error in its own words. The
    // task has ended as after the action (an everyday task waits for its next day).
    void failed(qz::PowerAction action, const QString& error);
    // The end passed while the computer slept or the program was stopped: not carried out.
    void missed(qz::PowerAction action, const QDateTime& dueTime);
    // The armed task's end moved: the new due time.
    void postponed(const QDateTime& dueTime);
    // A reminder point (5, 3, 1 minutes) is reached.
    void reminderDue(qint64 remainingSpanMSecs);

private:
    void carryOut();
    void outcome(const std::string& error);
    void emitProgress(quint32 maximum, quint32 value);
    void ended();

    const Clock& m_clock;
    PowerBackend* m_power;
    IdleTime* m_idle;
    Countdown m_countdown;
    ReminderDecision m_reminderDecision;
    PowerAction m_action = PowerAction::Shutdown;
    std::string m_refusal;
    bool m_asksAuthorisation = false;
    bool m_awaitingOutcome = false; // the action was asked for; its answer is awaited
    std::string m_privilegeError;   // why the last try at the end failed, while it is retried
    QTimer* m_taskTimer;
    QTimer* m_reminderTimer;
};

} // namespace qz
