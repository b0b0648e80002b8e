#include "schedule/date_time.h"

#include <QTimeZone>

#include <cmath>

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

} // namespace qz
