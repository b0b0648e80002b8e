#include "schedule/countdown_math.h"

#include "i18n/language_index.h"
#include "schedule/date_time.h"

namespace qz {

namespace {

quint64 absoluteMSecs(const QDateTime& a, const QDateTime& b) {
    if (!a.isValid() || !b.isValid())
        return 0;
    const qint64 diff = a.msecsTo(b);
    return diff < 0 ? static_cast<quint64>(-(diff + 1)) + 1 : static_cast<quint64>(diff);
}

} // namespace

quint32 secondsBetween(const QDateTime& a, const QDateTime& b) {
    return static_cast<quint32>(absoluteMSecs(a, b) / 1000);
}

qint64 daysBetween(const QDateTime& a, const QDateTime& b) {
    return static_cast<qint64>(absoluteMSecs(a, b) / kMSecsPerDay);
}

QDateTime endTimeAfter(const QDateTime& now, QTime duration) {
    return now.addMSecs(durationMSecs(duration));
}

EndTimeResult specifiedEndTime(const QDateTime& now, QDate date, QTime time) {
    EndTimeResult result;
    const WallMoment moment = placeWallTime(now, date, time);
    if (!moment.moment.isValid())
        return result;
    if (!moment.exists)
        result.error = EndTimeError::SkippedByClockChange;
    else if (moment.moment <= now)
        result.error = EndTimeError::NotInFuture;
    else
        result.endTime = moment.moment;
    return result;
}

QDateTime everydayEndTime(const QDateTime& now, QTime t) {
    const QDateTime today = placeWallTime(now, now.date(), t).moment;
    if (today.isValid() && today > now)
        return today;
    return placeWallTime(now, now.date().addDays(1), t).moment;
}

EndTimeResult computeEndTime(TriggerMode mode, const ScheduleFields& fields, const QDateTime& now) {
    EndTimeResult result;
    if (!now.isValid())
        return result;
    switch (mode) {
    case TriggerMode::FromNow:
        if (fields.fromNow.isValid())
            result.endTime = endTimeAfter(now, fields.fromNow);
        break;
    case TriggerMode::SpecifiedTime:
        result = specifiedEndTime(now, fields.specifiedDate, fields.specifiedTime);
        break;
    case TriggerMode::IdleTime:
        if (fields.idle.isValid())
            result.endTime = endTimeAfter(now, fields.idle);
        break;
    case TriggerMode::Everyday:
        if (fields.everyday.isValid())
            result.endTime = everydayEndTime(now, fields.everyday);
        break;
    }
    if (result.endTime && !result.endTime->isValid()) {
        result.endTime.reset();
        result.error = EndTimeError::InvalidInput;
    }
    return result;
}

QString remainingTimeText(qint64 spanMSecs, int language) {
    const bool turkish = language == kTurkish;
    if (!turkish && language != kEnglish)
        return {};
    const quint64 magnitude = spanMSecs < 0 ? static_cast<quint64>(-(spanMSecs + 1)) + 1
                                            : static_cast<quint64>(spanMSecs);
    const quint64 days = magnitude / kMSecsPerDay;
    const quint64 secsOfDay = (magnitude % kMSecsPerDay) / 1000;
    const quint64 hours = secsOfDay / 3600;
    const quint64 minutes = secsOfDay / 60 % 60;
    const quint64 seconds = secsOfDay % 60;

    QString text = remainingTimeTitle(language) + QChar(13);
    if (days > 0)
        text +=
            QString::number(days) + (turkish ? QStringLiteral(" Gün ") : QStringLiteral(" Day "));
    if (hours > 0)
        text += QString::number(hours) +
                (turkish ? QStringLiteral(" Saat ") : QStringLiteral(" Hours "));
    if (minutes > 0)
        text += QString::number(minutes) +
                (turkish ? QStringLiteral(" Dakika ") : QStringLiteral(" Minutes "));
    if (seconds > 0)
        text += QString::number(seconds) +
                (turkish ? QStringLiteral(" Saniye ") : QStringLiteral(" Seconds "));
    return text;
}

QString remainingTimeTitle(int language) {
    return language == kTurkish ? QStringLiteral("Kalan Süre") : QStringLiteral("Remaining Time");
}

QTime nextFullHour(const QDateTime& now) {
    const int hour = now.isValid() ? now.time().hour() : 23;
    return QTime((hour + 1) % 24, 0);
}

} // namespace qz
