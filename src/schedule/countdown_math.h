#pragma once

#include "schedule/schedule_fields.h"
#include "schedule/trigger_mode.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace qz {

// Whole seconds between two date-times, absolute, remainder dropped; only the low 32 bits
// are kept (the ring holds 32-bit values).
quint32 secondsBetween(const QDateTime& a, const QDateTime& b);
// Whole days between two date-times, absolute, remainder dropped.
qint64 daysBetween(const QDateTime& a, const QDateTime& b);

// End of a from-now or idle-time task: now plus the duration.
QDateTime endTimeAfter(const QDateTime& now, QTime duration);
enum class EndTimeError {
    NotInFuture,          // specified moment not later than now
    SkippedByClockChange, // specified time lies in the hour the clocks skip that day
    InvalidInput,         // a field without a valid value
};

struct EndTimeResult {
    std::optional<QDateTime> endTime;
    EndTimeError error = EndTimeError::InvalidInput; // meaningful only without endTime
};

// End of a specified-time task: the moment, if it exists and is later than now.
EndTimeResult specifiedEndTime(const QDateTime& now, QDate date, QTime time);
// Next run of an everyday time after now: today at t when that is still ahead, else
// tomorrow (so at exactly t, tomorrow). Clock changes as placeWallTime() places them: a
// skipped t runs at the change, a repeated one at its first occurrence.
QDateTime everydayEndTime(const QDateTime& now, QTime t);

// EndTime of the given mode from the fields.
EndTimeResult computeEndTime(TriggerMode mode, const ScheduleFields& fields, const QDateTime& now);

// Remaining-time text for a span now - EndTime in milliseconds (its sign is ignored):
// "Kalan Süre"/"Remaining Time", a carriage return, then the non-zero days, hours, minutes
// and seconds. Language 1 Turkish, 2 English, any other index the empty text.
QString remainingTimeText(qint64 spanMSecs, int language);

// Ring caption of an idle task: "Kalan Süre" for language 1, "Remaining Time" otherwise.
QString remainingTimeTitle(int language);

// The specified-time field's value at start: the hour after now's hour, at :00 (14:25 gives
// 15:00, 23:40 gives 00:00).
QTime nextFullHour(const QDateTime& now);

} // namespace qz
