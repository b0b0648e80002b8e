#include "power/idle_time.h"
#include "schedule/countdown_math.h"
#include "schedule/date_time.h"

#include <QTimeZone>

#include <gtest/gtest.h>

namespace qz {
namespace {

QDateTime at(int y, int mo, int d, int h, int mi, int s = 0, int ms = 0) {
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms), Qt::UTC);
}

TEST(SecondsBetween, AbsoluteWholeSecondsLow32Bits) {
    const QDateTime base = at(2026, 3, 10, 14, 0);
    const struct {
        qint64 offsetMSecs;
        quint32 seconds;
        qint64 days;
    } cases[] = {
        {0, 0, 0},
        {999, 0, 0},
        {1000, 1, 0},
        {-1999, 1, 0},
        {1'800'000, 1800, 0},
        {86'399'999, 86'399, 0},
        {86'400'000, 86'400, 1},
        {-3 * 86'400'000LL - 1, 3 * 86'400, 3},
        // Beyond 32 bits only the low part remains.
        {(4'294'967'296LL + 5) * 1000, 5, (4'294'967'296LL + 5) / 86'400},
    };
    for (const auto& c : cases) {
        const QDateTime other = base.addMSecs(c.offsetMSecs);
        EXPECT_EQ(secondsBetween(base, other), c.seconds) << c.offsetMSecs;
        EXPECT_EQ(secondsBetween(other, base), c.seconds) << c.offsetMSecs;
        EXPECT_EQ(daysBetween(other, base), c.days) << c.offsetMSecs;
    }
    EXPECT_EQ(secondsBetween(QDateTime(), base), 0u);
}

TEST(EndTime, EverydayTodayIfEarlierElseTomorrow) {
    const struct {
        QDateTime now;
        QTime t;
        QDateTime expected;
    } cases[] = {
        {at(2026, 3, 10, 6, 59, 59), QTime(7, 0), at(2026, 3, 10, 7, 0)},
        {at(2026, 3, 10, 6, 59, 59, 999), QTime(7, 0), at(2026, 3, 10, 7, 0)},
        {at(2026, 3, 10, 7, 0), QTime(7, 0), at(2026, 3, 11, 7, 0)},
        {at(2026, 3, 10, 7, 0, 0, 1), QTime(7, 0), at(2026, 3, 11, 7, 0)},
        {at(2026, 3, 10, 0, 0), QTime(0, 0), at(2026, 3, 11, 0, 0)},
        {at(2026, 3, 10, 23, 59), QTime(23, 58), at(2026, 3, 11, 23, 58)},
        {at(2026, 12, 31, 23, 0), QTime(22, 0), at(2027, 1, 1, 22, 0)},
        {at(2028, 2, 28, 12, 0), QTime(8, 0), at(2028, 2, 29, 8, 0)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(everydayEndTime(c.now, c.t), c.expected) << c.now.toString().toStdString();
}

TEST(EndTime, SpecifiedMomentMustLieAfterNow) {
    const QDateTime now = at(2026, 3, 10, 14, 0, 20);
    const struct {
        QDate date;
        QTime time;
        bool accepted;
    } cases[] = {
        {QDate(2026, 3, 10), QTime(14, 0), false}, // the minute that has already begun
        {QDate(2026, 3, 9), QTime(23, 59), false},
        {QDate(2026, 3, 10), QTime(14, 1), true},
        {QDate(2027, 1, 1), QTime(0, 0), true},
    };
    for (const auto& c : cases) {
        const auto end = specifiedEndTime(now, c.date, c.time).endTime;
        EXPECT_EQ(end.has_value(), c.accepted) << c.time.toString().toStdString();
        if (end) {
            EXPECT_EQ(*end, QDateTime(c.date, c.time, Qt::UTC));
        }
    }
    // Equal to now is refused; a few hundred milliseconds before is accepted.
    EXPECT_FALSE(
        specifiedEndTime(at(2026, 3, 10, 15, 0), QDate(2026, 3, 10), QTime(15, 0)).endTime);
    EXPECT_TRUE(specifiedEndTime(at(2026, 3, 10, 14, 59, 59, 600), QDate(2026, 3, 10), QTime(15, 0))
                    .endTime);
}

TEST(EndTime, ComputedPerModeWithErrors) {
    const QDateTime now = at(2026, 3, 10, 14, 25, 10, 300);
    ScheduleFields f;
    f.fromNow = QTime(0, 30);
    f.idle = QTime(1, 5);
    f.everyday = QTime(7, 15);
    f.specifiedDate = QDate(2026, 3, 10);
    f.specifiedTime = QTime(14, 0);

    EXPECT_EQ(computeEndTime(TriggerMode::FromNow, f, now).endTime, now.addSecs(1800));
    EXPECT_EQ(computeEndTime(TriggerMode::IdleTime, f, now).endTime, now.addSecs(3900));
    EXPECT_EQ(computeEndTime(TriggerMode::Everyday, f, now).endTime, at(2026, 3, 11, 7, 15));
    const EndTimeResult past = computeEndTime(TriggerMode::SpecifiedTime, f, now);
    EXPECT_FALSE(past.endTime);
    EXPECT_EQ(past.error, EndTimeError::NotInFuture);

    ScheduleFields broken;
    broken.fromNow = QTime();
    broken.idle = QTime();
    broken.everyday = QTime();
    for (TriggerMode mode : kAllTriggerModes) {
        const EndTimeResult r = computeEndTime(mode, broken, now);
        EXPECT_FALSE(r.endTime);
        EXPECT_EQ(r.error, EndTimeError::InvalidInput);
    }
}

TEST(RemainingTimeText, BothLanguagesAndOthersEmpty) {
    constexpr qint64 kSec = 1000, kMin = 60 * kSec, kHour = 60 * kMin, kDay = 24 * kHour;
    const struct {
        qint64 span;
        const char* turkish;
        const char* english;
    } cases[] = {
        // The day count is followed by a blank like every other unit.
        {-(kDay + 2 * kHour + 5 * kSec), "Kalan Süre\r1 Gün 2 Saat 5 Saniye ",
         "Remaining Time\r1 Day 2 Hours 5 Seconds "},
        {-(29 * kMin + 59 * kSec), "Kalan Süre\r29 Dakika 59 Saniye ",
         "Remaining Time\r29 Minutes 59 Seconds "},
        {-(5 * kMin + 999), "Kalan Süre\r5 Dakika ", "Remaining Time\r5 Minutes "},
        {0, "Kalan Süre\r", "Remaining Time\r"},
        {-999, "Kalan Süre\r", "Remaining Time\r"},
        {3 * kDay + kMin, "Kalan Süre\r3 Gün 1 Dakika ", "Remaining Time\r3 Day 1 Minutes "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(remainingTimeText(c.span, 1), QString::fromUtf8(c.turkish)) << c.span;
        EXPECT_EQ(remainingTimeText(c.span, 2), QString::fromUtf8(c.english)) << c.span;
        EXPECT_EQ(remainingTimeText(c.span, 0), QString());
        EXPECT_EQ(remainingTimeText(c.span, 3), QString());
    }
    EXPECT_FALSE(remainingTimeText(std::numeric_limits<qint64>::min(), 2).isEmpty());
}

TEST(IdleSeconds, UnsignedArithmeticSurvivesWrapAround) {
    const struct {
        quint32 lastInput;
        quint32 tickCount;
        quint32 seconds;
    } cases[] = {
        {5000, 5000, 0},
        {1000, 1999, 0},
        {1000, 2000, 1},
        {0, 300'000, 300},
        {0xFFFFFC18u, 1000, 2},          // input 1 s before the wrap, now 1 s after it
        {0xFFFFFFFFu, 0, 0},             // 1 ms across the wrap
        {0xFFFF0000u, 0x0000FFFFu, 131}, // 131 071 ms
    };
    for (const auto& c : cases)
        EXPECT_EQ(idleSecondsFromTicks(c.lastInput, c.tickCount), c.seconds)
            << c.lastInput << " " << c.tickCount;
}

TEST(NextFullHour, HourAfterNowAtZeroMinutes) {
    EXPECT_EQ(nextFullHour(at(2026, 3, 10, 14, 25)), QTime(15, 0));
    EXPECT_EQ(nextFullHour(at(2026, 3, 10, 14, 0)), QTime(15, 0));
    EXPECT_EQ(nextFullHour(at(2026, 3, 10, 23, 40)), QTime(0, 0));
    EXPECT_EQ(nextFullHour(at(2026, 3, 10, 0, 0)), QTime(1, 0));
}

TEST(DayCount, DaysSinceTheEpochWithTimeAsFraction) {
    const struct {
        QDateTime dateTime;
        double days;
    } cases[] = {
        {QDateTime(QDate(1899, 12, 30), QTime(0, 0)), 0.0},
        {QDateTime(QDate(1900, 1, 1), QTime(12, 0)), 2.5},
        {QDateTime(QDate(1899, 12, 29), QTime(6, 0)), -1.25},
        {QDateTime(QDate(2026, 3, 10), QTime(18, 0)), 46091.75},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(toDayCount(c.dateTime), c.days);
        EXPECT_EQ(fromDayCount(c.days), c.dateTime) << c.days;
    }
    // A value a hair under midnight rounds to the next day, not to 24:00.
    EXPECT_EQ(fromDayCount(46091.9999999999), QDateTime(QDate(2026, 3, 11), QTime(0, 0)));
    EXPECT_FALSE(fromDayCount(std::numeric_limits<double>::quiet_NaN()).isValid());
    EXPECT_EQ(timeFromFraction(timeOfDayFraction(QTime(7, 15))), QTime(7, 15));
    EXPECT_EQ(durationMSecs(QTime(0, 30)), 1'800'000);
}

// Across a daylight-saving change the countdown counts real seconds, while the everyday run
// stays at its wall-clock time in the clock's own zone.
TEST(EndTime, EverydayKeepsTheClocksZoneAcrossDaylightSaving) {
    const QTimeZone berlin("Europe/Berlin");
    if (!berlin.isValid())
        GTEST_SKIP() << "no time zone data";
    const QDateTime now(QDate(2026, 3, 28), QTime(23, 0), berlin);
    const QDateTime end = everydayEndTime(now, QTime(22, 0));
    EXPECT_EQ(end, QDateTime(QDate(2026, 3, 29), QTime(22, 0), berlin));
    EXPECT_EQ(end.timeSpec(), Qt::TimeZone);
    EXPECT_EQ(secondsBetween(now, end), 22u * 3600u);
}

} // namespace
} // namespace qz
