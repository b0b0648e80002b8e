// Run with TZ set to a zone that changes its clocks (see CMakeLists.txt): the everyday and
// specified-time triggers in local time across the spring and autumn changes.
#include "i18n/language_index.h"
#include "schedule/countdown.h"
#include "schedule/countdown_math.h"
#include "schedule/description.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

struct ZoneChanges {
    const char* zone;  // the zone these rules are known by
    QDate springDay;   // clocks go forward at 02:00: 02:00 to 02:59 do not exist
    QDate autumnDay;   // clocks go back: `repeated` is passed twice
    QTime repeated;    // a time in the hour passed twice
    qint64 springUtc;  // 03:00 local on springDay, seconds since the epoch
    qint64 repeatUtc;  // first occurrence of `repeated`, seconds since the epoch
    qint64 repeat2Utc; // its second occurrence
};

const ZoneChanges kZones[] = {
    {"America/New_York", QDate(2024, 3, 10), QDate(2024, 11, 3), QTime(1, 30), 1710054000,
     1730611800, 1730615400},
    {"Europe/Berlin", QDate(2024, 3, 31), QDate(2024, 10, 27), QTime(2, 30), 1711846800, 1729989000,
     1729992600},
};

// The zone whose clock changes the local time follows, told by the changes themselves: a
// system may name the zone after another city of the same rules (Wine takes Europe/Berlin
// for the Windows zone that Qt names Europe/Budapest).
const ZoneChanges* currentZone() {
    for (const ZoneChanges& z : kZones) {
        const bool springFollows =
            QDateTime(z.springDay, QTime(3, 0), Qt::LocalTime).toSecsSinceEpoch() == z.springUtc &&
            QDateTime::fromSecsSinceEpoch(z.springUtc - 1).time() == QTime(1, 59, 59);
        const bool autumnFollows =
            QDateTime::fromSecsSinceEpoch(z.repeatUtc).time() == z.repeated &&
            QDateTime::fromSecsSinceEpoch(z.repeat2Utc).time() == z.repeated;
        if (springFollows && autumnFollows)
            return &z;
    }
    return nullptr;
}

QDateTime local(QDate d, QTime t) {
    return QDateTime(d, t, Qt::LocalTime);
}

qint64 utcSecs(const QDateTime& dt) {
    return dt.toSecsSinceEpoch();
}

class ClockChange : public ::testing::Test {
protected:
    void SetUp() override {
        z = currentZone();
        if (!z)
            GTEST_SKIP() << "the local time follows neither zone's clock changes";
    }
    const ZoneChanges* z = nullptr;
};

TEST_F(ClockChange, EverydayTimeSkippedRunsAtTheChangeAndTheDayIsNotLost) {
    // Armed the evening before; 02:30 does not exist on the change day.
    Countdown task;
    ScheduleFields f;
    f.everyday = QTime(2, 30);
    const QDateTime evening = local(z->springDay.addDays(-1), QTime(23, 0));
    ASSERT_EQ(task.arm(TriggerMode::Everyday, f, evening), ArmResult::Armed);
    EXPECT_EQ(utcSecs(task.endTime()), z->springUtc);
    EXPECT_EQ(task.endTime().time(), QTime(3, 0));

    // Carried out at the change: the next run is the next day's 02:30.
    const QDateTime change = task.endTime();
    EXPECT_EQ(task.tick(change, 100).outcome, Countdown::TickOutcome::Due);
    ASSERT_TRUE(task.confirmCarriedOut(change));
    EXPECT_EQ(task.endTime(), local(z->springDay.addDays(1), QTime(2, 30)));

    // Armed on the change day itself after the change: tomorrow.
    EXPECT_EQ(everydayEndTime(local(z->springDay, QTime(3, 10)), QTime(2, 30)),
              local(z->springDay.addDays(1), QTime(2, 30)));
}

TEST_F(ClockChange, EverydayTimeRepeatedRunsOnceAtItsFirstOccurrence) {
    const QDateTime before = local(z->autumnDay, QTime(0, 0));
    QDateTime end = everydayEndTime(before, z->repeated);
    EXPECT_EQ(utcSecs(end), z->repeatUtc);

    // After that run, the second pass of the same wall time does not run it again.
    Countdown task;
    ScheduleFields f;
    f.everyday = z->repeated;
    ASSERT_EQ(task.arm(TriggerMode::Everyday, f, before), ArmResult::Armed);
    ASSERT_TRUE(task.confirmCarriedOut(task.endTime()));
    EXPECT_EQ(task.endTime(), local(z->autumnDay.addDays(1), z->repeated));

    // Started between the two passes: the first is over, so tomorrow.
    const QDateTime between = QDateTime::fromSecsSinceEpoch(z->repeat2Utc - 60, Qt::LocalTime);
    EXPECT_EQ(everydayEndTime(between, z->repeated), local(z->autumnDay.addDays(1), z->repeated));
}

TEST_F(ClockChange, SpecifiedTimeInTheSkippedHourIsRefusedAsSuch) {
    const QDateTime now = local(z->springDay.addDays(-1), QTime(12, 0));
    const struct {
        QTime time;
        EndTimeError error;
        bool accepted;
    } cases[] = {
        {QTime(2, 0), EndTimeError::SkippedByClockChange, false},
        {QTime(2, 30), EndTimeError::SkippedByClockChange, false},
        {QTime(3, 0), EndTimeError::InvalidInput, true},
        {QTime(1, 59), EndTimeError::InvalidInput, true},
    };
    for (const auto& c : cases) {
        const EndTimeResult r = specifiedEndTime(now, z->springDay, c.time);
        EXPECT_EQ(r.endTime.has_value(), c.accepted) << c.time.toString().toStdString();
        if (!c.accepted) {
            EXPECT_EQ(r.error, c.error) << c.time.toString().toStdString();
        }
    }
    ScheduleFields f;
    f.specifiedDate = z->springDay;
    f.specifiedTime = QTime(2, 30);
    Countdown task;
    EXPECT_EQ(task.arm(TriggerMode::SpecifiedTime, f, now), ArmResult::SkippedByClockChange);
    EXPECT_FALSE(task.isArmed());

    // A repeated time is accepted at its first occurrence.
    const auto repeated =
        specifiedEndTime(local(z->autumnDay, QTime(0, 0)), z->autumnDay, z->repeated);
    ASSERT_TRUE(repeated.endTime);
    EXPECT_EQ(utcSecs(*repeated.endTime), z->repeatUtc);
}

TEST_F(ClockChange, DescriptionWritesASkippedTimeAsTyped) {
    // The moment has no local date-time; the sentence still says what the user typed.
    DescriptionInput in;
    in.mode = TriggerMode::SpecifiedTime;
    in.action = PowerAction::Lock;
    in.fields.specifiedDate = z->springDay;
    in.fields.specifiedTime = QTime(2, 30);
    in.shortDateFormat = QStringLiteral("dd.MM.yyyy");
    in.longTimeFormat = QStringLiteral("HH:mm:ss");
    const QString typed = z->springDay.toString(QStringLiteral("dd.MM.yyyy")) + " 02:30:00";
    for (int language : {kEnglish, kTurkish}) {
        in.language = language;
        EXPECT_EQ(composeDescription(in)->time.toStdString(), typed.toStdString()) << language;
    }
}

} // namespace
} // namespace qz
