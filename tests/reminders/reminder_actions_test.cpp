// Reminder actions against the notification daemon's mock: sent only where its
// capabilities list "actions", and the user's choice comes back to the program.
#include "reminders/dbus_notifier.h"
#include "support/mock_bus.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace qz;
using qz::test::MockCall;

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QList<NotifierAction> kActions{{QStringLiteral("postpone"), QStringLiteral("Postpone")},
                                     {QStringLiteral("cancel"), QStringLiteral("Cancel")}};

class ReminderActionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(qgetenv("QZ_MOCK_NOTIFY_LOG").isEmpty())
            << "run through tests/support/with_mocks.py --notifications";
        bus = QDBusConnection::sessionBus();
        notifier.setActionHandler([this](const QString& key) { picked << key; });
    }

    std::vector<MockCall> notifies() {
        std::vector<MockCall> found;
        for (const MockCall& c : qz::test::mockCalls(bus, kService, kPath))
            if (c.method == QLatin1String("Notify"))
                found.push_back(c);
        return found;
    }

    void emitSignal(const QString& name, const QString& signature, const QVariantList& args) {
        const QDBusMessage reply = bus.call(qz::test::mockMethod(
            kService, kPath, QStringLiteral("EmitSignal"),
            {QStringLiteral("org.freedesktop.Notifications"), name, signature, args}));
        ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    }

    bool serverShowsActions() { return qgetenv("QZ_EXPECT_ACTIONS") == "1"; }

    QDBusConnection bus{QString()};
    DBusNotifier notifier{QDBusConnection::sessionBus(), nullptr};
    QStringList picked;
};

TEST_F(ReminderActionsTest, OfferedWhereShownAndThePickComesBackForOwnNotificationsOnly) {
    notifier.showReminder(QStringLiteral("Kalan Süre"), QStringLiteral("QZ"),
                          QStringLiteral("five minutes"), kActions);
    ASSERT_TRUE(QTest::qWaitFor([&] { return notifies().size() == 1; }, 5000));
    const MockCall sent = notifies()[0];
    const QStringList actions = sent.args.value(5).toStringList();
    if (!serverShowsActions()) {
        EXPECT_TRUE(actions.isEmpty()) << actions.join(QLatin1Char(',')).toStdString();
        return;
    }
    EXPECT_EQ(actions, (QStringList{"postpone", "Postpone", "cancel", "Cancel"}));
    QTest::qWait(100); // the server's id arrives

    // Another program's notification: not ours to act on.
    emitSignal(QStringLiteral("ActionInvoked"), QStringLiteral("us"),
               {QVariant::fromValue(99u), QStringLiteral("cancel")});
    emitSignal(QStringLiteral("ActionInvoked"), QStringLiteral("us"),
               {QVariant::fromValue(1u), QStringLiteral("postpone")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !picked.isEmpty(); }, 5000));
    QTest::qWait(100);
    EXPECT_EQ(picked, QStringList{"postpone"});

    // Once closed, nothing of it is left: the next reminder is a new notification.
    emitSignal(QStringLiteral("NotificationClosed"), QStringLiteral("uu"),
               {QVariant::fromValue(1u), QVariant::fromValue(1u)});
    QTest::qWait(100);
    notifier.showReminder(QStringLiteral("Kalan Süre"), QStringLiteral("QZ"),
                          QStringLiteral("three minutes"), kActions);
    ASSERT_TRUE(QTest::qWaitFor([&] { return notifies().size() == 2; }, 5000));
    EXPECT_EQ(notifies()[1].args.value(1).toUInt(), 0u);
}

} // namespace
