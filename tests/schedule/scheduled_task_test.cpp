// The task's life on its own: arming, the end and what became of the action, over a manual
// clock and a backend that only records. The timers are driven by hand.
#include "power/idle_time.h"
#include "schedule/scheduled_task.h"
#include "support/manual_clock.h"
#include "support/recording_power_backend.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <algorithm>

namespace qz {
namespace {

const QDateTime kNow(QDate(2026, 3, 10), QTime(14, 25));

struct StubIdle : IdleTime {
    bool canMeasure = true;
    std::uint32_t idleSeconds() override { return 100; }
    bool measurable() const override { return canMeasure; }
};

Plan planOf(PowerAction action, TriggerMode mode, QTime value, QDate date = kNow.date()) {
    Plan plan;
    plan.action = action;
    plan.mode = mode;
    plan.fields.fromNow = value;
    plan.fields.idle = value;
    plan.fields.everyday = value;
    plan.fields.specifiedDate = date;
    plan.fields.specifiedTime = value;
    return plan;
}

class ScheduledTaskTest : public ::testing::Test {
protected:
    ManualClock clock{kNow};
    RecordingPowerBackend power;
    StubIdle idle;
    ScheduledTask task{clock, &power, &idle};
    QSignalSpy armed{&task, &ScheduledTask::armedChanged};
    QSignalSpy failed{&task, &ScheduledTask::failed};
    QSignalSpy missed{&task, &ScheduledTask::missed};

    void tickAfter(qint64 msecs) {
        clock.advanceMSecs(msecs);
        task.timerGorevTimer();
    }
};

TEST_F(ScheduledTaskTest, ArmResultsAndTheRingOfAnArmedTask) {
    const struct {
        const char* name;
        Plan plan;
        bool idleMeasurable;
        ArmResult result;
        quint32 ringMaximum; // when armed
    } cases[] = {
        {"from now", planOf(PowerAction::Shutdown, TriggerMode::FromNow, QTime(0, 30)), true,
         ArmResult::Armed, 1800},
        {"specified later today",
         planOf(PowerAction::Restart, TriggerMode::SpecifiedTime, QTime(15, 0)), true,
         ArmResult::Armed, 35 * 60},
        {"specified this very minute",
         planOf(PowerAction::Restart, TriggerMode::SpecifiedTime, QTime(14, 25)), true,
         ArmResult::NotInFuture, 0},
        {"specified without a date",
         planOf(PowerAction::Lock, TriggerMode::SpecifiedTime, QTime(15, 0), QDate()), true,
         ArmResult::ImpossibleDate, 0},
        {"idle where input can be seen",
         planOf(PowerAction::Lock, TriggerMode::IdleTime, QTime(0, 5)), true, ArmResult::Armed,
         300},
        {"idle where it cannot", planOf(PowerAction::Lock, TriggerMode::IdleTime, QTime(0, 5)),
         false, ArmResult::IdleNotMeasurable, 0},
        {"everyday before its time",
         planOf(PowerAction::Signout, TriggerMode::Everyday, QTime(14, 30)), true, ArmResult::Armed,
         300},
        {"everyday at its time: tomorrow",
         planOf(PowerAction::Signout, TriggerMode::Everyday, QTime(14, 25)), true, ArmResult::Armed,
         24 * 3600},
        {"an action the system cannot do",
         planOf(PowerAction::Hibernate, TriggerMode::FromNow, QTime(0, 30)), true,
         ArmResult::ActionUnavailable, 0},
    };
    power.impossible = {{"canHibernate", "no swap"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        idle.canMeasure = c.idleMeasurable;
        QSignalSpy progress(&task, &ScheduledTask::progressChanged);
        armed.clear();
        EXPECT_EQ(task.arm(c.plan), c.result);
        const bool isArmed = c.result == ArmResult::Armed;
        EXPECT_EQ(task.isArmed(), isArmed);
        EXPECT_EQ(task.isTicking(), isArmed);
        EXPECT_EQ(armed.size(), isArmed ? 1 : 0); // a refusal changes nothing
        if (isArmed) {
            ASSERT_EQ(progress.size(), 1);
            EXPECT_EQ(progress[0][0].value<quint32>(), c.ringMaximum);
            EXPECT_EQ(progress[0][1].value<quint32>(), 0u);
            EXPECT_EQ(task.action(), c.plan.action);
            EXPECT_EQ(task.everydayFlag(), c.plan.mode == TriggerMode::Everyday ? "1" : "0");
            task.stop();
            EXPECT_FALSE(task.isArmed());
            EXPECT_FALSE(task.isTicking());
        }
    }
    EXPECT_EQ(task.refusal(), "no swap");
}

TEST_F(ScheduledTaskTest, OutcomesAtTheEnd) {
    enum class Expect { Done, Failed, Retried, Missed, NextDay };
    const struct {
        const char* name;
        Plan plan;
        qint64 firstTickAfterMSecs;
        std::string refusal;
        bool privilegeFails;
        Expect expect;
        const char* call; // the backend's last call
    } cases[] = {
        {"shutdown taken", planOf(PowerAction::Shutdown, TriggerMode::FromNow, QTime(0, 1)), 60'000,
         "", false, Expect::Done, "shutdown"},
        {"stand-by suspends", planOf(PowerAction::Suspend, TriggerMode::FromNow, QTime(0, 1)),
         60'000, "", false, Expect::Done, "suspend"},
        {"sleep hibernates", planOf(PowerAction::Hibernate, TriggerMode::FromNow, QTime(0, 1)),
         60'000, "", false, Expect::Done, "hibernate"},
        {"refused at the end", planOf(PowerAction::Restart, TriggerMode::FromNow, QTime(0, 1)),
         60'000, "Access denied", false, Expect::Failed, "restart"},
        {"privilege refused: tried again",
         planOf(PowerAction::Signout, TriggerMode::FromNow, QTime(0, 1)), 60'000, "", true,
         Expect::Retried, "setTokenPrivilege SeShutdownPrivilege true"},
        {"end passed unseen", planOf(PowerAction::Lock, TriggerMode::FromNow, QTime(0, 1)),
         5 * 60'000, "", false, Expect::Missed, "canUseSession"},
        {"everyday: carried out, then its next day",
         planOf(PowerAction::Lock, TriggerMode::Everyday, QTime(14, 26)), 60'000, "", false,
         Expect::NextDay, "lock"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        power.calls.clear();
        power.refusal = c.refusal;
        power.privilegeFails = c.privilegeFails;
        failed.clear();
        missed.clear();
        QSignalSpy aboutToCarryOut(&task, &ScheduledTask::aboutToCarryOut);
        ASSERT_EQ(task.arm(c.plan), ArmResult::Armed);
        armed.clear();
        tickAfter(c.firstTickAfterMSecs);
        ASSERT_FALSE(power.calls.empty());
        EXPECT_EQ(power.calls.back(), c.call);
        EXPECT_EQ(failed.size(), c.expect == Expect::Failed ? 1 : 0);
        EXPECT_EQ(missed.size(), c.expect == Expect::Missed ? 1 : 0);
        EXPECT_EQ(aboutToCarryOut.size(), c.expect == Expect::Missed ? 0 : 1);
        switch (c.expect) {
        case Expect::Done:
        case Expect::Missed:
            EXPECT_FALSE(task.isArmed());
            EXPECT_EQ(armed.size(), 1);
            break;
        case Expect::Failed:
            EXPECT_FALSE(task.isArmed());
            EXPECT_EQ(failed[0][1].toString().toStdString(), c.refusal);
            break;
        case Expect::Retried:
            // Still armed, and the next tick asks again.
            EXPECT_TRUE(task.isArmed());
            power.privilegeFails = false;
            tickAfter(1000);
            EXPECT_EQ(power.calls.back(), "signOut");
            EXPECT_FALSE(task.isArmed());
            break;
        case Expect::NextDay:
            EXPECT_TRUE(task.isArmed());
            EXPECT_EQ(armed.size(), 0);
            EXPECT_EQ(task.countdown().endTime(),
                      QDateTime(clock.now().date().addDays(1), QTime(14, 26)));
            task.stop();
            break;
        }
        if (c.expect == Expect::Missed) {
            EXPECT_EQ(missed[0][1].toDateTime(), kNow.addSecs(60));
        }
        clock.set(kNow);
    }
}

TEST_F(ScheduledTaskTest, PrivilegeRefusedForTheWholeMinuteReportsTheSystemsReason) {
    power.privilegeFails = true;
    ASSERT_EQ(task.arm(planOf(PowerAction::Shutdown, TriggerMode::FromNow, QTime(0, 1))),
              ArmResult::Armed);
    tickAfter(60'000);
    tickAfter(30'000);
    EXPECT_TRUE(task.isArmed()); // still retried within the minute
    tickAfter(31'000);
    EXPECT_FALSE(task.isArmed());
    EXPECT_EQ(missed.size(), 0);
    ASSERT_EQ(failed.size(), 1);
    EXPECT_EQ(failed[0][1].toString(), QStringLiteral("privilege not held"));
    EXPECT_TRUE(std::none_of(power.calls.begin(), power.calls.end(),
                             [](const std::string& c) { return c == "shutdown"; }));
}

TEST_F(ScheduledTaskTest, AnswerAfterStopIsDropped) {
    power.holdOutcomes = true;
    power.refusal = "Access denied";
    ASSERT_EQ(task.arm(planOf(PowerAction::Shutdown, TriggerMode::FromNow, QTime(0, 1))),
              ArmResult::Armed);
    tickAfter(60'000);
    ASSERT_EQ(power.pending.size(), 1u);
    tickAfter(1000); // the answer is awaited: nothing is asked twice
    EXPECT_EQ(power.pending.size(), 1u);
    task.stop();
    power.pending[0]("Access denied");
    EXPECT_EQ(failed.size(), 0);
    EXPECT_FALSE(task.isArmed());
}

TEST_F(ScheduledTaskTest, PostponeMovesTheEndExceptForAnIdleTask) {
    QSignalSpy postponed(&task, &ScheduledTask::postponed);
    ASSERT_EQ(task.arm(planOf(PowerAction::Lock, TriggerMode::FromNow, QTime(0, 30))),
              ArmResult::Armed);
    EXPECT_TRUE(task.postpone());
    ASSERT_EQ(postponed.size(), 1);
    EXPECT_EQ(postponed[0][0].toDateTime(), kNow.addSecs(40 * 60));
    task.stop();
    EXPECT_FALSE(task.postpone());

    ASSERT_EQ(task.arm(planOf(PowerAction::Lock, TriggerMode::IdleTime, QTime(0, 30))),
              ArmResult::Armed);
    EXPECT_FALSE(task.canPostpone());
    EXPECT_FALSE(task.postpone());
    EXPECT_EQ(postponed.size(), 1);
}

} // namespace
} // namespace qz
