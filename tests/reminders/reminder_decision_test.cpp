#include "reminders/reminder_decision.h"

#include <gtest/gtest.h>

using namespace qz;

namespace {

constexpr qint64 kSec = 1000;
constexpr qint64 kMin = 60 * kSec;
constexpr qint64 kDay = 86'400 * kSec;

// Remaining time r is the span -r (now - EndTime is negative while time remains).
struct PointCase {
    qint64 remainingMs;
    int point;
};

class ReminderPointTest : public ::testing::TestWithParam<PointCase> {};

TEST_P(ReminderPointTest, MatchesOnHoursMinutesAndSecondsWithDaysDropped) {
    EXPECT_EQ(reminderPointMinutes(-GetParam().remainingMs), GetParam().point)
        << GetParam().remainingMs;
}

INSTANTIATE_TEST_SUITE_P(
    Points, ReminderPointTest,
    ::testing::Values(PointCase{5 * kMin, 5}, PointCase{5 * kMin + 999, 5},
                      PointCase{5 * kMin - 1, 0}, PointCase{5 * kMin + kSec, 0},
                      PointCase{3 * kMin + 500, 3}, PointCase{1 * kMin, 1}, PointCase{2 * kMin, 0},
                      PointCase{0, 0}, PointCase{kDay + 5 * kMin + 10, 5},
                      PointCase{2 * kDay + kMin, 1}, PointCase{60 * kMin + 5 * kMin, 0},
                      PointCase{13 * 60 * kMin + kMin, 0}));

TEST(ReminderPoint, NothingOnceTheEndHasPassed) {
    EXPECT_EQ(reminderPointMinutes(5 * kMin), 0);
    EXPECT_EQ(reminderPointMinutes(1 * kMin + 200), 0);
}

// Feeds one tick per second of a countdown from `startMs` remaining down to 0 and collects
// the points that fired, with the remaining seconds at which they did.
std::vector<std::pair<int, qint64>> runCountdown(ReminderDecision& d, qint64 key, qint64 startMs,
                                                 qint64 offsetMs = 0) {
    std::vector<std::pair<int, qint64>> fired;
    for (qint64 r = startMs; r > 0; r -= kSec) {
        if (int p = d.onTick(true, key, -(r - offsetMs)))
            fired.emplace_back(p, (r - offsetMs) / kSec);
    }
    return fired;
}

TEST(ReminderDecision, SixMinuteCountdownGivesFiveThreeAndOneOnce) {
    ReminderDecision d;
    const auto fired = runCountdown(d, 1, 6 * kMin, 250);
    const std::vector<std::pair<int, qint64>> expected{{5, 300}, {3, 180}, {1, 60}};
    EXPECT_EQ(fired, expected);
}

TEST(ReminderDecision, TwoTicksInTheSameSecondRemindOnce) {
    ReminderDecision d;
    d.onTick(true, 1, -10 * kMin);
    EXPECT_EQ(d.onTick(true, 1, -(5 * kMin + 100)), 5);
    EXPECT_EQ(d.onTick(true, 1, -(5 * kMin + 40)), 0);
}

TEST(ReminderDecision, ALongTaskRemindsAtEachDaysPointsOnce) {
    ReminderDecision d;
    d.onTick(true, 1, -(kDay + 10 * kMin));
    EXPECT_EQ(d.onTick(true, 1, -(kDay + 5 * kMin)), 5);
    EXPECT_EQ(d.onTick(true, 1, -(kDay + 5 * kMin)), 0);
    EXPECT_EQ(d.onTick(true, 1, -(5 * kMin)), 5);
}

TEST(ReminderDecision, NeverAtTheTickThatArmsOrRestarts) {
    ReminderDecision d;
    // An idle-time task of 5 minutes restarted every second by a working user: each tick
    // shows a new countdown with exactly 5 minutes left.
    for (qint64 key = 100; key < 160; ++key)
        EXPECT_EQ(d.onTick(true, key, -5 * kMin), 0) << key;
    // The user stops: the countdown runs on and the 3 and 1 minute points come.
    const auto fired = runCountdown(d, 159, 5 * kMin - kSec);
    const std::vector<std::pair<int, qint64>> expected{{3, 180}, {1, 60}};
    EXPECT_EQ(fired, expected);
}

TEST(ReminderDecision, ARestartedCountdownMayRemindAgain) {
    ReminderDecision d;
    runCountdown(d, 1, 4 * kMin);
    const auto again = runCountdown(d, 2, 4 * kMin);
    const std::vector<std::pair<int, qint64>> expected{{3, 180}, {1, 60}};
    EXPECT_EQ(again, expected);
}

TEST(ReminderDecision, IdleTaskIsSilentAndDisarmingForgetsTheCountdown) {
    ReminderDecision d;
    EXPECT_EQ(d.onTick(false, 0, -5 * kMin), 0);
    d.onTick(true, 7, -6 * kMin);
    EXPECT_EQ(d.onTick(true, 7, -5 * kMin), 5);
    EXPECT_EQ(d.onTick(false, 7, 0), 0);
    // Armed again with the same end time: a fresh countdown, first tick silent.
    EXPECT_EQ(d.onTick(true, 7, -3 * kMin), 0);
    EXPECT_EQ(d.onTick(true, 7, -1 * kMin), 1);
}

TEST(ReminderDecision, SwitchedBackOnBeforeAPointStillShowsIt) {
    ReminderDecision d;
    d.onTick(true, 1, -6 * kMin);
    // Reminders off from here on: the window stops ticking, then starts again.
    EXPECT_EQ(d.onTick(true, 1, -(1 * kMin + 300)), 1);
}

} // namespace
