#include "mock_bus.h"
#include "power/logind_backend.h"
#include "power/power_executor.h"

#include <QDBusObjectPath>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace qz;
using qz::test::MockCall;

namespace {

const QString kLogind = QStringLiteral("org.freedesktop.login1");
const QString kManagerPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");

// Every case runs in its own process against a fresh logind mock on a private system bus.
class LogindBackendTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Refuse to run against anything but the wrapper's private bus: these calls would
        // power off a real machine.
        ASSERT_TRUE(qz::test::onPrivateSystemBus())
            << "run through tests/support/with_mocks.py --logind";
        bus = QDBusConnection::systemBus();
        ASSERT_TRUE(bus.isConnected());
        qunsetenv("XDG_SESSION_ID");
    }

    // Replaces (or adds) a method of the logind mock.
    void mockMethod(const QString& name, const QString& in, const QString& out,
                    const QString& code) {
        const QDBusMessage reply = bus.call(qz::test::mockMethod(
            kLogind, kManagerPath, QStringLiteral("AddMethod"), {kManager, name, in, out, code}));
        ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    }

    void addSession(const QString& id) {
        const QDBusMessage reply = bus.call(qz::test::mockMethod(
            kLogind, kManagerPath, QStringLiteral("AddSession"),
            {id, QStringLiteral("seat0"), QVariant::fromValue(uint(::getuid())),
             QStringLiteral("tester"), true}));
        ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    }

    // The calls that would change something on a real machine.
    std::vector<MockCall> actions() {
        static const QStringList acting = {"PowerOff",      "Reboot",       "Suspend",
                                           "Hibernate",     "HybridSleep",  "SuspendThenHibernate",
                                           "LockSession",   "LockSessions", "TerminateSession",
                                           "TerminateUser", "KillSession",  "KillUser",
                                           "Lock",          "Terminate",    "Kill"};
        std::vector<MockCall> found;
        for (const MockCall& c : qz::test::mockCalls(bus, kLogind, kManagerPath)) {
            if (acting.contains(c.method))
                found.push_back(c);
        }
        return found;
    }

    QDBusConnection bus{QString()};
};

struct ActionCase {
    PowerAction action;
    const char* method;
    const char* signature;
    QVariant argument;
};

void PrintTo(const ActionCase& c, std::ostream* os) { *os << c.method; }

class LogindActionTest : public LogindBackendTest,
                         public ::testing::WithParamInterface<ActionCase> {};

TEST_P(LogindActionTest, MakesExactlyItsOwnCallWithLogindsTypes) {
    addSession(QStringLiteral("c7"));
    mockMethod(QStringLiteral("GetSessionByPID"), QStringLiteral("u"), QStringLiteral("o"),
               QStringLiteral("ret = '/org/freedesktop/login1/session/c7'"));
    LogindBackend backend(bus);

    carryOutAction(backend, GetParam().action);

    const auto calls = actions();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].method, QLatin1String(GetParam().method));
    // The mock would take an int for a boolean; real logind would refuse it.
    EXPECT_EQ(calls[0].signature, QLatin1String(GetParam().signature));
    ASSERT_EQ(calls[0].args.size(), 1);
    EXPECT_EQ(calls[0].args[0], GetParam().argument);
}

INSTANTIATE_TEST_SUITE_P(
    EveryAction, LogindActionTest,
    ::testing::Values(ActionCase{PowerAction::Shutdown, "PowerOff", "b", QVariant(false)},
                      ActionCase{PowerAction::Restart, "Reboot", "b", QVariant(false)},
                      ActionCase{PowerAction::WaitReady, "Suspend", "b", QVariant(false)},
                      ActionCase{PowerAction::Sleep, "Hibernate", "b", QVariant(false)},
                      ActionCase{PowerAction::Lock, "LockSession", "s", QVariant("c7")},
                      ActionCase{PowerAction::Signout, "TerminateSession", "s", QVariant("c7")}));

TEST_F(LogindBackendTest, StandByAndSleepDoNothingWhenLogindAnswersNo) {
    mockMethod(QStringLiteral("CanSuspend"), QString(), QStringLiteral("s"),
               QStringLiteral("ret = 'no'"));
    mockMethod(QStringLiteral("CanHibernate"), QString(), QStringLiteral("s"),
               QStringLiteral("ret = 'challenge'"));
    LogindBackend backend(bus);

    EXPECT_FALSE(backend.canSuspend());
    EXPECT_FALSE(backend.canHibernate());
    carryOutAction(backend, PowerAction::WaitReady);
    carryOutAction(backend, PowerAction::Sleep);

    EXPECT_TRUE(actions().empty());
}

TEST_F(LogindBackendTest, SessionFallsBackToTheOneTheEnvironmentNames) {
    // The mock has no GetSessionByPID: as for a program started outside any session.
    LogindBackend backend(bus);
    qputenv("XDG_SESSION_ID", "7");
    EXPECT_EQ(backend.ownSessionId(), QStringLiteral("7"));

    carryOutAction(backend, PowerAction::Lock);
    const auto calls = actions();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].args, QVariantList{QStringLiteral("7")});
}

TEST_F(LogindBackendTest, LockWithoutAnyKnownSessionCallsNothing) {
    mockMethod(QStringLiteral("GetUser"), QStringLiteral("u"), QStringLiteral("o"),
               QStringLiteral("raise dbus.exceptions.DBusException('no user', "
                              "name='org.freedesktop.login1.NoSuchUser')"));
    LogindBackend backend(bus);
    carryOutAction(backend, PowerAction::Lock);
    carryOutAction(backend, PowerAction::Signout);
    EXPECT_TRUE(actions().empty());
}

TEST_F(LogindBackendTest, MissingLogindIsNotAnError) {
    // A bus without logind: queries say "no", actions go nowhere, nothing throws.
    LogindBackend backend(QDBusConnection::sessionBus());
    EXPECT_TRUE(backend.setTokenPrivilege(kShutdownPrivilege, true));
    EXPECT_FALSE(backend.canSuspend());
    EXPECT_NO_THROW(carryOutAction(backend, PowerAction::Shutdown));
    EXPECT_NO_THROW(carryOutAction(backend, PowerAction::Lock));
}

TEST_F(LogindBackendTest, FactoryTalksToTheSystemBus) {
    auto backend = createPowerBackend();
    carryOutAction(*backend, PowerAction::Restart);
    const auto calls = actions();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].method, QLatin1String("Reboot"));
}

} // namespace
