#include "i18n/language_index.h"
#include "schedule/countdown.h"
#include "schedule/countdown_math.h"
#include "support/manual_clock.h"

#include <gtest/gtest.h>

namespace qz {
namespace {

using Outcome = Countdown::TickOutcome;

class CountdownTest : public ::testing::Test {
protected:
    ManualClock clock{QDateTime(QDate(2026, 3, 10), QTime(14, 0), Qt::UTC)};
    Countdown countdown;
    ScheduleFields fields;

    Countdown::TickResult tickAfter(qint64 msecs, std::optional<quint32> idle = 100) {
        clock.advanceMSecs(msecs);
        return countdown.tick(clock.now(), idle);
    }
    void armFromNow(QTime duration) {
        fields.fromNow = duration;
        ASSERT_EQ(countdown.arm(TriggerMode::FromNow, fields, clock.now()), ArmResult::Armed);
    }
};

TEST_F(CountdownTest, FollowsTheClockAndStaysDueUntilConfirmed) {
    armFromNow(QTime(0, 30));
    EXPECT_EQ(countdown.ringMaximum(), 1800u);
    EXPECT_EQ(countdown.ringValue(clock.now()), 0u);
    EXPECT_EQ(countdown.everydayFlag(), QStringLiteral("0"));

    auto r = tickAfter(1000);
    EXPECT_EQ(r.outcome, Outcome::Running);
    EXPECT_EQ(r.ringMaximum, 1800u);
    EXPECT_EQ(r.ringValue, 1u);
    EXPECT_EQ(remainingTimeText(r.remainingSpanMSecs, kEnglish),
              QStringLiteral("Remaining Time\r29 Minutes 59 Seconds "));
    EXPECT_EQ(countdown.remainingSpanMSecs(), -1'799'000);

    // A busy machine delivers the next tick 10 s late: the ring still shows the clock.
    r = tickAfter(10'400);
    EXPECT_EQ(r.ringValue, 11u);

    // Not due one millisecond before the end, even though the ring is nearly full.
    clock.set(countdown.endTime().addMSecs(-1));
    r = countdown.tick(clock.now(), 100);
    EXPECT_EQ(r.outcome, Outcome::Running);
    EXPECT_EQ(r.ringValue, 1799u);

    r = tickAfter(1);
    EXPECT_EQ(r.outcome, Outcome::Due);
    EXPECT_EQ(r.ringValue, 1800u);
    EXPECT_EQ(remainingTimeText(r.remainingSpanMSecs, kEnglish),
              QStringLiteral("Remaining Time\r"));

    // The action could not be carried out: the next tick is due again, the time shown does
    // not count up past the end, and no reminder span appears.
    r = tickAfter(1000);
    EXPECT_EQ(r.outcome, Outcome::Due);
    EXPECT_TRUE(r.armed);
    EXPECT_EQ(remainingTimeText(r.remainingSpanMSecs, kEnglish),
              QStringLiteral("Remaining Time\r"));
    EXPECT_EQ(countdown.remainingSpanMSecs(), 0);

    EXPECT_FALSE(countdown.confirmCarriedOut(clock.now()));
    EXPECT_FALSE(countdown.isArmed());
    EXPECT_EQ(tickAfter(1000).outcome, Outcome::NotArmed);
}

TEST_F(CountdownTest, ZeroDurationIsDueAtTheFirstTick) {
    armFromNow(QTime(0, 0));
    EXPECT_EQ(countdown.ringMaximum(), 0u);
    const auto r = tickAfter(1000);
    EXPECT_EQ(r.outcome, Outcome::Due);
    EXPECT_EQ(r.ringValue, 0u);
}

TEST_F(CountdownTest, DeadlineMissedByMoreThanAMinuteIsSkipped) {
    const struct {
        qint64 lateMSecs;
        TriggerMode mode;
        Outcome outcome;
        bool armedAfter;
    } cases[] = {
        {0, TriggerMode::FromNow, Outcome::Due, true},
        {60'000, TriggerMode::FromNow, Outcome::Due, true},
        {60'001, TriggerMode::FromNow, Outcome::Missed, false},
        {8 * 3'600'000, TriggerMode::FromNow, Outcome::Missed, false},
        {60'001, TriggerMode::Everyday, Outcome::Missed, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lateMSecs);
        clock.set(QDateTime(QDate(2026, 3, 10), QTime(14, 0), Qt::UTC));
        fields.fromNow = QTime(0, 30);
        fields.everyday = QTime(14, 30);
        ASSERT_EQ(countdown.arm(c.mode, fields, clock.now()), ArmResult::Armed);
        // The computer sleeps through the end time; the first tick after waking decides.
        clock.set(countdown.endTime().addMSecs(c.lateMSecs));
        const auto r = countdown.tick(clock.now(), 100);
        EXPECT_EQ(r.outcome, c.outcome);
        EXPECT_EQ(r.armed, c.armedAfter);
        EXPECT_EQ(countdown.isArmed(), c.armedAfter);
        countdown.disarm();
    }
}

TEST_F(CountdownTest, RetryingPastTheGraceMinuteGivesUp) {
    armFromNow(QTime(0, 1));
    clock.set(countdown.endTime());
    // The privilege step keeps failing: no confirmation.
    for (int i = 0; i <= 60; ++i) {
        EXPECT_EQ(countdown.tick(clock.now(), 100).outcome, Outcome::Due) << i;
        clock.advanceSecs(1);
    }
    clock.advanceMSecs(-999);
    EXPECT_EQ(countdown.tick(clock.now(), 100).outcome, Outcome::Missed);
    EXPECT_FALSE(countdown.isArmed());
}

TEST_F(CountdownTest, IdleInputRestartsTheCountdown) {
    fields.idle = QTime(0, 5);
    ASSERT_EQ(countdown.arm(TriggerMode::IdleTime, fields, clock.now()), ArmResult::Armed);
    EXPECT_EQ(countdown.ringMaximum(), 300u);

    auto r = tickAfter(100'000, 99);
    EXPECT_EQ(r.outcome, Outcome::Running);
    EXPECT_FALSE(r.idleRestarted);
    EXPECT_EQ(r.ringValue, 100u);

    // Input less than a second ago: a fresh countdown of five minutes from now.
    r = tickAfter(1'300, 0);
    EXPECT_TRUE(r.idleRestarted);
    EXPECT_EQ(r.ringMaximum, 300u);
    EXPECT_EQ(r.ringValue, 0u);
    EXPECT_EQ(countdown.endTime(), clock.now().addSecs(300));
    EXPECT_EQ(remainingTimeText(r.remainingSpanMSecs, kEnglish),
              QStringLiteral("Remaining Time\r5 Minutes "));
    const QDateTime restart = clock.now();

    r = tickAfter(299'000, 299);
    EXPECT_EQ(r.outcome, Outcome::Running);
    EXPECT_EQ(r.ringValue, 299u);
    r = tickAfter(1'000, 300);
    EXPECT_EQ(r.outcome, Outcome::Due);
    EXPECT_EQ(clock.now(), restart.addSecs(300));

    // Without an idle measurement the user counts as present: never due.
    r = tickAfter(1'000, std::nullopt);
    EXPECT_TRUE(r.idleRestarted);
    EXPECT_EQ(r.outcome, Outcome::Running);
}

TEST_F(CountdownTest, EverydayTaskIsArmedAgainForItsNextDay) {
    fields.everyday = QTime(7, 0);
    clock.set(QDateTime(QDate(2026, 3, 10), QTime(6, 59, 59), Qt::UTC));
    ASSERT_EQ(countdown.arm(TriggerMode::Everyday, fields, clock.now()), ArmResult::Armed);
    EXPECT_EQ(countdown.endTime(), QDateTime(QDate(2026, 3, 10), QTime(7, 0), Qt::UTC));
    EXPECT_EQ(countdown.ringMaximum(), 1u);
    EXPECT_EQ(countdown.everydayFlag(), QStringLiteral("1"));

    const auto r = tickAfter(1'400);
    ASSERT_EQ(r.outcome, Outcome::Due);
    EXPECT_TRUE(countdown.confirmCarriedOut(clock.now()));
    EXPECT_TRUE(countdown.isArmed());
    EXPECT_EQ(countdown.endTime(), QDateTime(QDate(2026, 3, 11), QTime(7, 0), Qt::UTC));
    EXPECT_EQ(countdown.ringValue(clock.now()), 0u);
    EXPECT_EQ(countdown.ringMaximum(), 86'399u);
    EXPECT_EQ(countdown.everydayFlag(), QStringLiteral("1"));

    // The computer sleeps for three days and wakes at 06:00: today's run is the next one.
    clock.set(QDateTime(QDate(2026, 3, 14), QTime(6, 0), Qt::UTC));
    const auto missed = countdown.tick(clock.now(), 100);
    EXPECT_EQ(missed.outcome, Outcome::Missed);
    EXPECT_TRUE(missed.armed);
    EXPECT_EQ(countdown.endTime(), QDateTime(QDate(2026, 3, 14), QTime(7, 0), Qt::UTC));
    EXPECT_EQ(missed.ringMaximum, 3600u);
    EXPECT_EQ(missed.ringValue, 0u);

    // Armed at exactly the time of day: tomorrow.
    clock.set(QDateTime(QDate(2026, 3, 10), QTime(7, 0), Qt::UTC));
    ASSERT_EQ(countdown.arm(TriggerMode::Everyday, fields, clock.now()), ArmResult::Armed);
    EXPECT_EQ(countdown.endTime(), QDateTime(QDate(2026, 3, 11), QTime(7, 0), Qt::UTC));
}

TEST_F(CountdownTest, SpecifiedTimeRefusedInThePastKeepsTheCurrentTask) {
    armFromNow(QTime(0, 30));
    const QDateTime end = countdown.endTime();

    clock.set(QDateTime(QDate(2026, 3, 10), QTime(14, 0, 20), Qt::UTC));
    fields.specifiedDate = QDate(2026, 3, 10);
    fields.specifiedTime = QTime(14, 0);
    EXPECT_EQ(countdown.arm(TriggerMode::SpecifiedTime, fields, clock.now()),
              ArmResult::NotInFuture);
    EXPECT_EQ(countdown.mode(), TriggerMode::FromNow);
    EXPECT_EQ(countdown.endTime(), end);

    fields.fromNow = QTime();
    EXPECT_EQ(countdown.arm(TriggerMode::FromNow, fields, clock.now()), ArmResult::Unreadable);
    EXPECT_EQ(countdown.endTime(), end);

    // A few hundred milliseconds before the moment: accepted with an empty ring range.
    countdown.disarm();
    clock.set(QDateTime(QDate(2026, 3, 10), QTime(14, 59, 59, 600), Qt::UTC));
    fields.specifiedTime = QTime(15, 0);
    ASSERT_EQ(countdown.arm(TriggerMode::SpecifiedTime, fields, clock.now()), ArmResult::Armed);
    EXPECT_EQ(countdown.ringMaximum(), 0u);
    EXPECT_EQ(tickAfter(1'000).outcome, Outcome::Due);
}

TEST_F(CountdownTest, ClockSetBackShowsAnEmptyRing) {
    armFromNow(QTime(0, 30));
    const auto r = tickAfter(-3'600'000);
    EXPECT_EQ(r.outcome, Outcome::Running);
    EXPECT_EQ(r.ringValue, 0u);
}

TEST_F(CountdownTest, RemainingTextRefreshesTheSpanForReminders) {
    armFromNow(QTime(0, 10));
    clock.advanceSecs(300);
    EXPECT_EQ(remainingTimeText(countdown.refreshRemainingSpan(clock.now()), 1),
              QString::fromUtf8("Kalan Süre\r5 Dakika "));
    EXPECT_EQ(countdown.remainingSpanMSecs(), -300'000);
    countdown.disarm();
    EXPECT_EQ(countdown.remainingSpanMSecs(), 0);
    EXPECT_EQ(countdown.everydayFlag(), QStringLiteral("0"));
}

TEST(StartButtonCaption, TurkishOnlyForLanguageOne) {
    EXPECT_EQ(startButtonCaption(false, 1), QString::fromUtf8("Görevi Başlat"));
    EXPECT_EQ(startButtonCaption(true, 1), QString::fromUtf8("Görevi Durdur"));
    EXPECT_EQ(startButtonCaption(false, 2), QStringLiteral("Start Progress"));
    EXPECT_EQ(startButtonCaption(true, 7), QStringLiteral("Stop Progress"));
    EXPECT_EQ(remainingTimeTitle(1), QString::fromUtf8("Kalan Süre"));
    EXPECT_EQ(remainingTimeTitle(2), QStringLiteral("Remaining Time"));
}

} // namespace
} // namespace qz
