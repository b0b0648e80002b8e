#include "schedule/countdown.h"

#include "i18n/language_index.h"
#include "schedule/countdown_math.h"

#include <algorithm>

namespace qz {

ArmResult Countdown::arm(TriggerMode mode, const ScheduleFields& fields, const QDateTime& now) {
    const EndTimeResult end = computeEndTime(mode, fields, now);
    if (!end.endTime) {
        switch (end.error) {
        case EndTimeError::NotInFuture:
            return ArmResult::NotInFuture;
        case EndTimeError::SkippedByClockChange:
            return ArmResult::SkippedByClockChange;
        case EndTimeError::InvalidInput:
            break;
        }
        // The only field that can hold something that is not a value is the date.
        return mode == TriggerMode::SpecifiedTime && !fields.specifiedDate.isValid()
                   ? ArmResult::ImpossibleDate
                   : ArmResult::Unreadable;
    }
    m_mode = mode;
    m_fields = fields;
    start(now, *end.endTime);
    return ArmResult::Armed;
}

void Countdown::disarm() {
    m_armed = false;
    m_endTime = {};
    m_startUtc = {};
    m_endUtc = {};
    m_remainingSpanMSecs = 0;
}

void Countdown::start(const QDateTime& now, const QDateTime& endTime) {
    m_armed = true;
    m_endTime = endTime;
    m_startUtc = now.toUTC();
    m_endUtc = endTime.toUTC();
    m_remainingSpanMSecs = std::min<qint64>(m_endUtc.msecsTo(m_startUtc), 0);
}

Countdown::TickResult Countdown::tick(const QDateTime& localNow,
                                      std::optional<quint32> idleSeconds) {
    // Local time is needed only to find the next run; the counting itself is done in UTC,
    // so each tick converts the time once instead of at every comparison.
    const QDateTime now = localNow.toUTC();
    TickResult result;
    if (!m_armed)
        return result;
    if (!now.isValid()) {
        // No usable time: keep counting as before and decide nothing.
        result.outcome = TickOutcome::Running;
        result.armed = true;
        result.ringMaximum = ringMaximum();
        result.remainingSpanMSecs = m_remainingSpanMSecs;
        return result;
    }

    if (m_mode == TriggerMode::IdleTime && (!idleSeconds || *idleSeconds == 0)) {
        start(localNow, endTimeAfter(localNow, m_fields.idle));
        result.idleRestarted = true;
    }

    const qint64 overdue = m_endUtc.msecsTo(now);
    if (overdue > kMissedGraceMSecs) {
        result.outcome = TickOutcome::Missed;
        finish(localNow);
    } else {
        result.outcome = overdue >= 0 ? TickOutcome::Due : TickOutcome::Running;
    }

    result.armed = m_armed;
    if (m_armed) {
        result.ringMaximum = ringMaximum();
        result.ringValue = ringValue(now);
        result.remainingSpanMSecs = refreshRemainingSpan(now);
    }
    return result;
}

bool Countdown::postpone(qint64 msecs) {
    if (!m_armed || m_mode == TriggerMode::IdleTime)
        return false;
    m_endTime = m_endTime.addMSecs(msecs);
    m_endUtc = m_endUtc.addMSecs(msecs);
    m_remainingSpanMSecs = std::min<qint64>(m_remainingSpanMSecs - msecs, 0);
    return true;
}

bool Countdown::confirmCarriedOut(const QDateTime& now) {
    if (!m_armed)
        return false;
    return finish(now);
}

bool Countdown::finish(const QDateTime& now) {
    if (m_mode != TriggerMode::Everyday || !now.isValid()) {
        disarm();
        return false;
    }
    // The next day's run lies after the run just handled, even if the clock is behind it.
    const QDateTime next = everydayEndTime(std::max(now, m_endTime), m_fields.everyday);
    if (!next.isValid()) {
        disarm();
        return false;
    }
    start(now, next);
    return true;
}

quint32 Countdown::ringMaximum() const {
    return m_armed ? secondsBetween(m_endUtc, m_startUtc) : 0;
}

quint32 Countdown::ringValue(const QDateTime& now) const {
    if (!m_armed || !now.isValid())
        return 0;
    const qint64 elapsed = m_startUtc.msecsTo(now);
    if (elapsed <= 0)
        return 0;
    return static_cast<quint32>(std::min<qint64>(elapsed / 1000, ringMaximum()));
}

qint64 Countdown::refreshRemainingSpan(const QDateTime& now) {
    if (m_armed && now.isValid())
        m_remainingSpanMSecs = std::min<qint64>(m_endUtc.msecsTo(now), 0);
    return m_remainingSpanMSecs;
}

QString Countdown::everydayFlag() const {
    return m_armed && m_mode == TriggerMode::Everyday ? QStringLiteral("1") : QStringLiteral("0");
}

QString startButtonCaption(bool armed, int language) {
    if (language == kTurkish)
        return armed ? QStringLiteral("Görevi Durdur") : QStringLiteral("Görevi Başlat");
    return armed ? QStringLiteral("Stop Progress") : QStringLiteral("Start Progress");
}

} // namespace qz
