#pragma once

#include <QDateTime>
#include <QTime>

namespace qz {

inline constexpr qint64 kMSecsPerDay = 86'400'000;

// Date-times as a floating-point count of days since 30 December 1899, the time of day as
// the fraction (the form the settings and older data use). Wall-clock values: the
// date-time's own date and time of day, no time zone arithmetic. Before the epoch the
// integral part counts days backwards and the fraction is still the time of day
// (-1.25 is 29 December 1899, 06:00).
double toDayCount(const QDateTime& dateTime);
// Local date-time of a day count, rounded to the nearest millisecond. Not-a-number and
// values beyond the calendar's range give an invalid QDateTime.
QDateTime fromDayCount(double days);

// A time of day as a fraction of a day (12:00 is 0.5) and back; the fraction is taken
// modulo one day and rounded to the nearest millisecond.
double timeOfDayFraction(QTime time);
QTime timeFromFraction(double fraction);

// A time field's value read as a length: milliseconds since midnight, 0 for an invalid time.
qint64 durationMSecs(QTime value);

// The same wall-clock date and time in the time representation of `like` (local time,
// UTC, a fixed offset or a zone), so results compare correctly with `like`.
QDateTime dateTimeLike(const QDateTime& like, QDate date, QTime time);

// A wall-clock date and time placed on the time line of `like` (its local time or zone),
// across clock changes: a time the clocks pass twice is its first occurrence, and a time
// they skip (the hour lost when they go forward) is the first moment after it, the change
// itself (02:30 on a change at 02:00 gives 03:00). `exists` tells the skipped case apart.
struct WallMoment {
    QDateTime moment; // invalid only when the date or time is
    bool exists = false;
};
WallMoment placeWallTime(const QDateTime& like, QDate date, QTime time);

} // namespace qz
