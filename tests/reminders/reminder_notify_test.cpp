#include "i18n/language_index.h"
#include "power/idle_time.h"
#include "reminders/dbus_notifier.h"
#include "reminders/reminder_decision.h"
#include "schedule/countdown_math.h"
#include "schedule/scheduled_task.h"
#include "support/manual_clock.h"
#include "support/mock_bus.h"

#include <QDBusPendingCallWatcher>
#include <QTest>

#include <gtest/gtest.h>

using namespace qz;
using qz::test::MockCall;

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kMessage3 = QStringLiteral("Time to complete the programmed action :");

struct StepIdle : IdleTime {
    std::uint32_t seconds = 1000;
    std::uint32_t idleSeconds() override { return seconds; }
};

// The task driven second by second by a manual clock, its two ticks in the order its timers
// run, and each reminder it decides on shown as the window shows it, against the
// notification daemon mock on the wrapper's private session bus.
class ReminderNotifyTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(qgetenv("QZ_MOCK_NOTIFY_LOG").isEmpty())
            << "run through tests/support/with_mocks.py --notifications";
        bus = QDBusConnection::sessionBus();
        ASSERT_TRUE(bus.isConnected());
        notifier = createNotifier(nullptr);
        QObject::connect(&task, &ScheduledTask::reminderDue, [this](qint64 span) {
            notifier->showReminder(reminderName(), reminderTitle(),
                                   reminderBody(kMessage3, remainingTimeText(span, kEnglish)));
            shown = true;
        });
    }

    void arm(TriggerMode mode, QTime duration) {
        Plan plan;
        plan.mode = mode;
        plan.fields.fromNow = duration;
        plan.fields.idle = duration;
        ASSERT_EQ(task.arm(plan), ArmResult::Armed);
    }

    // One second: the task tick, then the reminder tick.
    void second(std::uint32_t idleSeconds = 1000) {
        clock.advanceMSecs(1000);
        idle.seconds = idleSeconds;
        shown = false;
        task.timerGorevTimer();
        task.timerBildirimTimer();
        // Minutes pass between reminders in real use: the server's answer (the id the next
        // one replaces) is handled before the next one.
        if (shown)
            answered(*notifier);
    }

    // The notifier's watcher for an answer is gone once the answer was handled.
    static void answered(const Notifier& n) {
        const auto* object = dynamic_cast<const QObject*>(&n);
        ASSERT_NE(object, nullptr);
        QTRY_VERIFY(object->findChildren<QDBusPendingCallWatcher*>().isEmpty());
    }

    std::vector<MockCall> notifies() {
        std::vector<MockCall> found;
        for (const MockCall& c : qz::test::mockCalls(bus, kService, kPath)) {
            if (c.method == QLatin1String("Notify"))
                found.push_back(c);
        }
        return found;
    }

    QDBusConnection bus{QString()};
    ManualClock clock{QDateTime(QDate(2026, 3, 2), QTime(9, 0, 0, 250))};
    StepIdle idle;
    ScheduledTask task{clock, nullptr, &idle};
    std::unique_ptr<Notifier> notifier;
    bool shown = false;
};

TEST_F(ReminderNotifyTest, SixMinuteCountdownShowsFiveThreeAndOneMinuteReminders) {
    arm(TriggerMode::FromNow, QTime(0, 6));
    for (int i = 0; i < 6 * 60 + 2; ++i)
        second();
    QTRY_COMPARE(notifies().size(), size_t(3));

    const auto calls = notifies();
    const char* minutes[] = {"5", "3", "1"};
    for (int i = 0; i < 3; ++i) {
        const MockCall& c = calls[i];
        // Notify(susssasa{sv}i): the server refuses anything else.
        EXPECT_EQ(c.signature, QStringLiteral("susssasa{sv}i"));
        ASSERT_EQ(c.args.size(), 8);
        EXPECT_EQ(c.args[3].toString(), QStringLiteral("QZ Duvodoro Ruruzovad"));
        EXPECT_EQ(c.args[4].toString(),
                  kMessage3 + QStringLiteral("Remaining Time\n%1 Minutes ").arg(minutes[i]));
        EXPECT_EQ(c.args[7].toInt(), -1);
    }
    // Each reminder takes the place of the one before.
    EXPECT_EQ(calls[0].args[1].toUInt(), 0u);
    EXPECT_NE(calls[1].args[1].toUInt(), 0u);
    EXPECT_EQ(calls[2].args[1].toUInt(), calls[1].args[1].toUInt());
}

TEST_F(ReminderNotifyTest, IdleTaskRestartedByInputSendsNothingUntilTheUserStops) {
    arm(TriggerMode::IdleTime, QTime(0, 5));
    for (int i = 0; i < 90; ++i)
        second(0); // input in the last second: restarted at every tick
    for (int i = 0; i < 5 * 60 + 2; ++i)
        second(std::uint32_t(i + 1));
    // Only what the undisturbed run gives: the 5-minute point is the restart tick itself.
    QTRY_COMPARE(notifies().size(), size_t(2));
    QTest::qWait(100);
    const auto calls = notifies();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_TRUE(calls[0].args[4].toString().endsWith(QStringLiteral("\n3 Minutes ")));
    EXPECT_TRUE(calls[1].args[4].toString().endsWith(QStringLiteral("\n1 Minutes ")));
}

// Notify answered as a bus answers for a service that is not there, then a service again.
TEST_F(ReminderNotifyTest, MissingServiceIsNotAnErrorAndNothingOfTheRefusedOneIsKept) {
    const auto replaceNotify = [this](const QString& code) {
        const QDBusMessage reply = bus.call(
            qz::test::mockMethod(kService, kPath, QStringLiteral("AddMethod"),
                                 {kService, QStringLiteral("Notify"),
                                  QStringLiteral("susssasa{sv}i"), QStringLiteral("u"), code}));
        return reply.type() == QDBusMessage::ReplyMessage;
    };
    // Each reminder below is shown after the notifier has handled the answer to the one before.
    const auto show = [](Notifier& n) {
        n.showReminder(reminderName(), reminderTitle(), QStringLiteral("a\rb"));
    };
    DBusNotifier notifier(bus, nullptr);
    show(notifier);
    ASSERT_EQ(notifies().size(), 1u);
    answered(notifier);

    ASSERT_TRUE(replaceNotify(QStringLiteral("raise dbus.exceptions.DBusException('gone', "
                                             "name='org.freedesktop.DBus.Error.ServiceUnknown')")));
    show(notifier);
    ASSERT_EQ(notifies().size(), 2u);
    answered(notifier);

    ASSERT_TRUE(replaceNotify(QStringLiteral("ret = 77")));
    show(notifier);
    const auto calls = notifies();
    ASSERT_EQ(calls.size(), 3u);
    // The refused one replaced the first; the id it carried is gone with it.
    EXPECT_NE(calls[1].args[1].toUInt(), 0u);
    EXPECT_EQ(calls[2].args[1].toUInt(), 0u);

    // Without any bus at all: nothing to send to, nothing waits.
    DBusNotifier nowhere(
        QDBusConnection::connectToBus(QStringLiteral("disabled:"), QStringLiteral("nowhere")),
        nullptr);
    show(nowhere);
    QCoreApplication::processEvents();
}

} // namespace
