#include "i18n/language_index.h"
#include "power/mock_bus.h"
#include "reminders/dbus_notifier.h"
#include "reminders/reminders.h"
#include "schedule/countdown.h"
#include "schedule/manual_clock.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace qz;
using qz::test::MockCall;

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kMessage3 = QStringLiteral("Time to complete the programmed action :");

// A countdown driven second by second by a manual clock, with the reminder tick after each
// task tick as the window's two timers run, against the notification daemon mock on the
// wrapper's private session bus.
class ReminderNotifyTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(qgetenv("QZ_MOCK_NOTIFY_LOG").isEmpty())
            << "run through tests/support/with_mocks.py --notifications";
        bus = QDBusConnection::sessionBus();
        ASSERT_TRUE(bus.isConnected());
        reminders = std::make_unique<Reminders>(createNotifier(nullptr));
    }

    void arm(TriggerMode mode, QTime duration) {
        ScheduleFields fields;
        fields.fromNow = duration;
        fields.idle = duration;
        ASSERT_EQ(countdown.arm(mode, fields, clock.now()), Countdown::ArmResult::Armed);
    }

    // One second: the task tick, then the reminder tick.
    void second(std::optional<quint32> idleSeconds = 1000) {
        clock.advanceMSecs(1000);
        const auto result = countdown.tick(clock.now(), idleSeconds, kEnglish);
        if (result.outcome == Countdown::TickOutcome::Due)
            countdown.confirmCarriedOut(clock.now());
        const bool shown = reminders->tick(
            countdown.isArmed(), countdown.endTime().toMSecsSinceEpoch(),
            countdown.remainingSpanMSecs(), [this] {
                return reminderBody(kMessage3, countdown.remainingTimeText(clock.now(), kEnglish));
            });
        // Minutes pass between reminders in real use: let the server's answer (the id the
        // next one replaces) arrive.
        if (shown)
            QTest::qWait(100);
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
    Countdown countdown;
    std::unique_ptr<Reminders> reminders;
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
        second(quint32(i + 1));
    // Only what the undisturbed run gives: the 5-minute point is the restart tick itself.
    QTRY_COMPARE(notifies().size(), size_t(2));
    QTest::qWait(100);
    const auto calls = notifies();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_TRUE(calls[0].args[4].toString().endsWith(QStringLiteral("\n3 Minutes ")));
    EXPECT_TRUE(calls[1].args[4].toString().endsWith(QStringLiteral("\n1 Minutes ")));
}

TEST_F(ReminderNotifyTest, MissingServiceIsNotAnError) {
    DBusNotifier notifier(
        QDBusConnection::connectToBus(QStringLiteral("disabled:"), QStringLiteral("nowhere")),
        nullptr);
    notifier.showReminder(reminderName(), reminderTitle(), QStringLiteral("a\rb"));
    QTest::qWait(50);
    EXPECT_TRUE(notifies().empty());
}

} // namespace
