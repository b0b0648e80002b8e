#include "schedule/date_time.h"

#include <QTimeZone>

#include <cmath>
#include <optional>

namespace qz {

namespace {

QDate epoch() {
    return QDate(1899, 12, 30);
}

} // namespace

double toDayCount(const QDateTime& dateTime) {
    if (!dateTime.isValid())
        return 0.0;
    const double day = static_cast<double>(epoch().daysTo(dateTime.date()));
    const double fraction =
        static_cast<double>(dateTime.time().msecsSinceStartOfDay()) / kMSecsPerDay;
    return day >= 0 ? day + fraction : day - fraction;
}

QDateTime fromDayCount(double days) {
    if (!std::isfinite(days) || std::fabs(days) > 1e8)
        return {};
    double whole = std::trunc(days);
    qint64 msecs = std::llround(std::fabs(days - whole) * kMSecsPerDay);
    if (msecs >= kMSecsPerDay) {
        // Rounding carried into the next day, away from the epoch for negatives.
        msecs -= kMSecsPerDay;
        whole += days < 0 ? -1 : 1;
    }
    const QDate date = epoch().addDays(static_cast<qint64>(whole));
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(static_cast<int>(msecs)));
}

double timeOfDayFraction(QTime time) {
    if (!time.isValid())
        return 0.0;
    return static_cast<double>(time.msecsSinceStartOfDay()) / kMSecsPerDay;
}

QTime timeFromFraction(double fraction) {
    if (!std::isfinite(fraction))
        return QTime(0, 0);
    const double dayPart = fraction - std::floor(fraction);
    qint64 msecs = std::llround(dayPart * kMSecsPerDay) % kMSecsPerDay;
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(msecs));
}

qint64 durationMSecs(QTime value) {
    return value.isValid() ? value.msecsSinceStartOfDay() : 0;
}

QDateTime dateTimeLike(const QDateTime& like, QDate date, QTime time) {
    switch (like.timeSpec()) {
    case Qt::UTC:
        return QDateTime(date, time, Qt::UTC);
    case Qt::OffsetFromUTC:
        return QDateTime(date, time, Qt::OffsetFromUTC, like.offsetFromUtc());
    case Qt::TimeZone:
        return QDateTime(date, time, like.timeZone());
    case Qt::LocalTime:
        break;
    }
    return QDateTime(date, time, Qt::LocalTime);
}

namespace {

QDateTime atInstant(const QDateTime& like, qint64 msecsSinceEpoch) {
    if (like.timeSpec() == Qt::TimeZone)
        return QDateTime::fromMSecsSinceEpoch(msecsSinceEpoch, like.timeZone());
    return QDateTime::fromMSecsSinceEpoch(msecsSinceEpoch, Qt::LocalTime);
}

} // namespace

WallMoment placeWallTime(const QDateTime& like, QDate date, QTime time) {
    if (!date.isValid() || !time.isValid())
        return {};
    const Qt::TimeSpec spec = like.timeSpec();
    const QTimeZone zone = spec == Qt::TimeZone ? like.timeZone() : QTimeZone::systemTimeZone();
    if ((spec != Qt::LocalTime && spec != Qt::TimeZone) || !zone.isValid()) {
        const QDateTime plain = dateTimeLike(like, date, time);
        return {plain, plain.isValid()};
    }
    // The wall time read as UTC, less each offset in force a day and a half either side,
    // gives every instant that shows it; one clock change at most lies in that span.
    constexpr qint64 kSpan = 36 * 3600 * 1000LL;
    const qint64 wall = QDateTime(date, time, Qt::UTC).toMSecsSinceEpoch();
    std::optional<qint64> first;
    for (const qint64 probe : {wall - kSpan, wall, wall + kSpan}) {
        const int offset = zone.offsetFromUtc(QDateTime::fromMSecsSinceEpoch(probe, Qt::UTC));
        const qint64 instant = wall - offset * 1000LL;
        const QDateTime shown = atInstant(like, instant);
        if (shown.date() == date && shown.time() == time && (!first || instant < *first))
            first = instant;
    }
    if (first)
        return {atInstant(like, *first), true};
    const QTimeZone::OffsetData change =
        zone.nextTransition(QDateTime::fromMSecsSinceEpoch(wall - kSpan, Qt::UTC));
    if (!change.atUtc.isValid())
        return {};
    return {atInstant(like, change.atUtc.toMSecsSinceEpoch()), false};
}

} // namespace qz
