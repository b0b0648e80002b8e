#pragma once

#include "schedule/arm_result.h"
#include "schedule/schedule_fields.h"
#include "schedule/trigger_mode.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace qz {

// The armed task and its countdown, without timers or widgets. ScheduledTask arms it, calls
// tick() from its one-second task timer and reports what tick() returns.
//
// The countdown follows the clock, not the number of ticks: the ring's value is the number of
// whole seconds since arming (or since the last idle restart), clamped to the maximum, and
// the task is due at the first tick at which the clock has reached the end time. A tick that
// finds the end time passed by more than a minute (the computer slept, or the program was
// stopped at the due time) does not carry out the action: the task is dropped instead.
//
// Carrying out: while the task is due, every tick reports Due until its owner calls
// confirmCarriedOut(). If the owner cannot carry the action out (the privilege step
// failed), it does nothing and the next tick reports Due again, until the grace minute runs
// out. An everyday task is armed again for its next day after its action was carried out
// or skipped; every other task is disarmed.
class Countdown {
public:
    // Late ticks up to this much after the end time still carry the action out.
    static constexpr qint64 kMissedGraceMSecs = 60'000;

    enum class TickOutcome {
        NotArmed, // nothing to do
        Running,  // show the ring; nothing else
        Due,      // carry the action out now, then confirmCarriedOut()
        Missed,   // end time passed more than a minute ago: not carried out, see `armed`
    };

    struct TickResult {
        TickOutcome outcome = TickOutcome::NotArmed;
        bool idleRestarted = false; // idle-time task restarted for fresh input
        bool armed = false;         // after this tick; false: the task is idle again
        quint32 ringMaximum = 0;
        quint32 ringValue = 0;
        qint64 remainingSpanMSecs = 0; // now - EndTime, for the remaining-time text
    };

    // Arms the task of `mode` from the fields; the end time is computed from `now`. Refused
    // arming (NotInFuture, SkippedByClockChange, ImpossibleDate, Unreadable) leaves the
    // previous state untouched.
    ArmResult arm(TriggerMode mode, const ScheduleFields& fields, const QDateTime& now);
    void disarm();

    // One tick of the task timer. idleSeconds: whole seconds since the last keyboard or mouse
    // input, consulted only in the idle-time mode; 0 restarts the countdown. Without a
    // measurement (nullopt) the user counts as active, so an idle task never ends under a
    // user whose input cannot be seen.
    TickResult tick(const QDateTime& now, std::optional<quint32> idleSeconds);

    // Moves the end of an armed task by msecs (later when positive); the ring's maximum
    // follows. Not for an idle-time task, whose input already restarts it. False when
    // nothing was moved.
    bool postpone(qint64 msecs);

    // The owner carried out the action of a Due tick. Returns true when an everyday task was
    // armed again for its next day (ring restarts from 0), false when the task is now idle.
    bool confirmCarriedOut(const QDateTime& now);

    bool isArmed() const { return m_armed; }
    TriggerMode mode() const { return m_mode; }
    QDateTime endTime() const { return m_endTime; }
    // The end time in milliseconds since the epoch, without a local-time conversion.
    qint64 endMSecsSinceEpoch() const { return m_endUtc.toMSecsSinceEpoch(); }

    // Whole seconds from the start to the end time: the ring's maximum while armed.
    quint32 ringMaximum() const;
    // Whole seconds since the start, clamped to 0..ringMaximum(); full once the task is due.
    quint32 ringValue(const QDateTime& now) const;

    // now - EndTime in milliseconds as of the last tick or refreshRemainingSpan() call; negative
    // while time remains, never above 0 (an overdue task shows and reminds nothing more).
    // 0 while idle.
    qint64 remainingSpanMSecs() const { return m_remainingSpanMSecs; }

    // Refreshes the remaining span from `now` and returns it.
    qint64 refreshRemainingSpan(const QDateTime& now);

    // The everyday flag to store: "1" exactly while an everyday task is armed, else "0".
    QString everydayFlag() const;

private:
    void start(const QDateTime& now, const QDateTime& endTime);
    // Everyday: next occurrence after both now and the current end; others: disarm.
    bool finish(const QDateTime& now);

    bool m_armed = false;
    TriggerMode m_mode = TriggerMode::FromNow;
    ScheduleFields m_fields;
    QDateTime m_endTime;
    // The same two moments in UTC, for arithmetic without local-time conversions.
    QDateTime m_startUtc;
    QDateTime m_endUtc;
    qint64 m_remainingSpanMSecs = 0;
};

// Caption of the Start button: "Görevi Durdur"/"Stop Progress" while armed, else
// "Görevi Başlat"/"Start Progress"; Turkish for language 1, English for any other.
QString startButtonCaption(bool armed, int language);

} // namespace qz
