#include "power/logind_backend.h"
#include "power/power_executor.h"
#include "support/mock_bus.h"

#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

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

    // A screen locker that listens: logind's lock request locks and sets the hint.
    void lockerListens() {
        mockMethod(QStringLiteral("LockSession"), QStringLiteral("s"), QString(),
                   QStringLiteral("objects['/org/freedesktop/login1/session/' + args[0]]"
                                  ".UpdateProperties('org.freedesktop.login1.Session', "
                                  "{'LockedHint': dbus.Boolean(True)})"));
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

// The outcome the action reports, waited for on the event loop as the program does.
std::optional<std::string> outcomeOf(PowerBackend& backend, PowerAction action) {
    auto outcome = std::make_shared<std::optional<std::string>>();
    carryOutAction(backend, action, [outcome](const std::string& error) { *outcome = error; });
    // A lock that nothing makes is given up only after two watches of a few seconds each.
    EXPECT_TRUE(QTest::qWaitFor([&] { return outcome->has_value(); }, 30'000));
    return *outcome;
}

const QString kRefuse =
    QStringLiteral("raise dbus.exceptions.DBusException('Interactive authentication required.', "
                   "name='org.freedesktop.DBus.Error.InteractiveAuthorizationRequired')");

struct ActionCase {
    PowerAction action;
    const char* method;
    const char* signature;
    QVariant argument;
};

void PrintTo(const ActionCase& c, std::ostream* os) {
    *os << c.method;
}

class LogindActionTest : public LogindBackendTest,
                         public ::testing::WithParamInterface<ActionCase> {};

TEST_P(LogindActionTest, MakesExactlyItsOwnCallWithLogindsTypes) {
    addSession(QStringLiteral("c7"));
    mockMethod(QStringLiteral("GetSessionByPID"), QStringLiteral("u"), QStringLiteral("o"),
               QStringLiteral("ret = '/org/freedesktop/login1/session/c7'"));
    lockerListens();
    LogindBackend backend(bus);

    EXPECT_EQ(outcomeOf(backend, GetParam().action), std::string());

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
                      ActionCase{PowerAction::Suspend, "Suspend", "b", QVariant(false)},
                      ActionCase{PowerAction::Hibernate, "Hibernate", "b", QVariant(false)},
                      ActionCase{PowerAction::Lock, "LockSession", "s", QVariant("c7")},
                      ActionCase{PowerAction::Signout, "TerminateSession", "s", QVariant("c7")}));

TEST_P(LogindActionTest, ARefusalIsReportedInLogindsWords) {
    addSession(QStringLiteral("c7"));
    mockMethod(QStringLiteral("GetSessionByPID"), QStringLiteral("u"), QStringLiteral("o"),
               QStringLiteral("ret = '/org/freedesktop/login1/session/c7'"));
    mockMethod(QLatin1String(GetParam().method), QLatin1String(GetParam().signature), QString(),
               kRefuse);
    LogindBackend backend(bus);

    const auto outcome = outcomeOf(backend, GetParam().action);
    ASSERT_TRUE(outcome);
    EXPECT_NE(outcome->find("Interactive authentication required."), std::string::npos);
    EXPECT_NE(outcome->find("InteractiveAuthorizationRequired"), std::string::npos);
}

struct QueryCase {
    PowerAction action;
    const char* query;
    const char* answer;
    bool possible;
    bool asks = false; // the request lets logind ask for a password
};

void PrintTo(const QueryCase& c, std::ostream* os) {
    *os << c.query << " " << c.answer;
}

class LogindQueryTest : public LogindBackendTest,
                        public ::testing::WithParamInterface<QueryCase> {};

// "no" and "na" refuse before anything is asked for; "challenge" is tried, with logind
// allowed to ask for a password, and logind's reply to the action then tells.
TEST_P(LogindQueryTest, OnlyNoAndNaRefuseBeforeTheAction) {
    mockMethod(QLatin1String(GetParam().query), QString(), QStringLiteral("s"),
               QStringLiteral("ret = '%1'").arg(QLatin1String(GetParam().answer)));
    LogindBackend backend(bus);

    const PowerAvailability availability = backend.availability(GetParam().action);
    EXPECT_EQ(availability.possible, GetParam().possible);
    EXPECT_EQ(availability.asksAuthorisation, GetParam().asks);
    const auto outcome = outcomeOf(backend, GetParam().action);
    if (GetParam().possible) {
        EXPECT_EQ(outcome, std::string());
        const auto calls = actions();
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].args, QVariantList{GetParam().asks});
    } else {
        EXPECT_EQ(outcome, std::string(GetParam().query) + ": " + GetParam().answer);
        EXPECT_TRUE(actions().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, LogindQueryTest,
    ::testing::Values(QueryCase{PowerAction::Shutdown, "CanPowerOff", "no", false},
                      QueryCase{PowerAction::Restart, "CanReboot", "na", false},
                      QueryCase{PowerAction::Suspend, "CanSuspend", "no", false},
                      QueryCase{PowerAction::Hibernate, "CanHibernate", "na", false},
                      QueryCase{PowerAction::Hibernate, "CanHibernate", "challenge", true, true},
                      QueryCase{PowerAction::Shutdown, "CanPowerOff", "challenge", true, true},
                      QueryCase{PowerAction::Shutdown, "CanPowerOff", "yes", true}));

// The desktop's screen saver on the session bus: answers Lock, or refuses it.
class ScreenSaver : public QDBusVirtualObject {
public:
    bool locks = true;
    int asked = 0;

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.member() != QLatin1String("Lock"))
            return false;
        ++asked;
        connection.send(
            locks ? message.createReply()
                  : message.createErrorReply(QDBusError::AccessDenied, QStringLiteral("not now")));
        return true;
    }
};

enum class Saver { None, Locks, Refuses };
enum class Xdg { None, Locks, OnlyBlanks };

struct LockCase {
    const char* name;
    bool lockerListens;
    Saver saver;
    Xdg xdg;
    bool saverAsked;
    bool xdgRun;
    std::vector<const char*> reasonHas; // empty: locked
};

void PrintTo(const LockCase& c, std::ostream* os) {
    *os << c.name;
}

class LockTest : public LogindBackendTest, public ::testing::WithParamInterface<LockCase> {
protected:
    void SetUp() override {
        LogindBackendTest::SetUp();
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected());
        addSession(QStringLiteral("c7"));
        mockMethod(QStringLiteral("GetSessionByPID"), QStringLiteral("u"), QStringLiteral("o"),
                   QStringLiteral("ret = '/org/freedesktop/login1/session/c7'"));
        // Only the fake xdg-screensaver can be found: never the desk's own.
        ASSERT_TRUE(bin.isValid());
        savedPath = qgetenv("PATH");
        qputenv("PATH", bin.path().toLocal8Bit());
    }
    void TearDown() override { qputenv("PATH", savedPath); }

    // A fake xdg-screensaver that notes its run and, if it locks, sets the session's hint
    // as a locker would.
    void installXdgScreensaver(bool locks) {
        const QString dbusSend = QStandardPaths::findExecutable(
            QStringLiteral("dbus-send"), {QStringLiteral("/usr/bin"), QStringLiteral("/bin")});
        ASSERT_FALSE(dbusSend.isEmpty());
        QFile script(bin.filePath(QStringLiteral("xdg-screensaver")));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\necho \"$@\" >> \"$0.ran\"\n");
        if (locks)
            script.write((dbusSend + " --system --print-reply --dest=org.freedesktop.login1 "
                                     "/org/freedesktop/login1/session/c7 "
                                     "org.freedesktop.login1.Session.SetLockedHint boolean:true "
                                     ">/dev/null\n")
                             .toLocal8Bit());
        script.close();
        ASSERT_TRUE(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }
    QString xdgRuns() {
        QFile ran(bin.filePath(QStringLiteral("xdg-screensaver.ran")));
        return ran.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(ran.readAll()) : QString();
    }

    QTemporaryDir bin;
    QByteArray savedPath;
};

TEST_P(LockTest, TheSessionDecidesWhetherItLocked) {
    const LockCase& c = GetParam();
    if (c.lockerListens)
        lockerListens();
    ScreenSaver saver;
    saver.locks = c.saver == Saver::Locks;
    QDBusConnection desktop =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("screen saver"));
    if (c.saver != Saver::None) {
        ASSERT_TRUE(desktop.registerService(QStringLiteral("org.freedesktop.ScreenSaver")));
        ASSERT_TRUE(
            desktop.registerVirtualObject(QStringLiteral("/org/freedesktop/ScreenSaver"), &saver));
    }
    if (c.xdg != Xdg::None)
        installXdgScreensaver(c.xdg == Xdg::Locks);
    LogindBackend backend(bus);

    const auto outcome = outcomeOf(backend, PowerAction::Lock);
    ASSERT_TRUE(outcome);
    if (c.reasonHas.empty()) {
        EXPECT_EQ(*outcome, std::string());
    }
    for (const char* part : c.reasonHas)
        EXPECT_NE(outcome->find(part), std::string::npos) << part << " in " << *outcome;
    EXPECT_EQ(saver.asked, c.saverAsked ? 1 : 0);
    EXPECT_EQ(xdgRuns(), c.xdgRun ? QStringLiteral("lock\n") : QString());
    desktop.unregisterObject(QStringLiteral("/org/freedesktop/ScreenSaver"));
    QDBusConnection::disconnectFromBus(QStringLiteral("screen saver"));
}

INSTANTIATE_TEST_SUITE_P(
    Lockers, LockTest,
    ::testing::Values(
        LockCase{"LockerListens", true, Saver::Locks, Xdg::Locks, false, false, {}},
        LockCase{"ScreenSaverLocks", false, Saver::Locks, Xdg::Locks, true, false, {}},
        LockCase{"XdgScreensaverLocks", false, Saver::None, Xdg::Locks, false, true, {}},
        LockCase{"XdgScreensaverOnlyBlanks",
                 false,
                 Saver::Refuses,
                 Xdg::OnlyBlanks,
                 true,
                 true,
                 {"LockSession: no screen locker set the session's LockedHint",
                  "org.freedesktop.ScreenSaver.Lock: not now (org.freedesktop.DBus.Error."
                  "AccessDenied)",
                  "xdg-screensaver lock: the session's LockedHint stayed false"}},
        LockCase{"NothingLocks",
                 false,
                 Saver::None,
                 Xdg::None,
                 false,
                 false,
                 {"LockSession", "ServiceUnknown", "xdg-screensaver lock: could not be started"}}),
    [](const ::testing::TestParamInfo<LockCase>& info) { return std::string(info.param.name); });

TEST_F(LogindBackendTest, SessionFallsBackToTheOneTheEnvironmentNames) {
    // The mock has no GetSessionByPID: as for a program started outside any session.
    LogindBackend backend(bus);
    qputenv("XDG_SESSION_ID", "7");
    EXPECT_EQ(backend.ownSessionId(), QStringLiteral("7"));

    EXPECT_EQ(outcomeOf(backend, PowerAction::Lock), std::string());
    const auto calls = actions();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].args, QVariantList{QStringLiteral("7")});
}

TEST_F(LogindBackendTest, LockWithoutAnyKnownSessionIsRefusedAndCallsNothing) {
    mockMethod(QStringLiteral("GetUser"), QStringLiteral("u"), QStringLiteral("o"),
               QStringLiteral("raise dbus.exceptions.DBusException('no user', "
                              "name='org.freedesktop.login1.NoSuchUser')"));
    LogindBackend backend(bus);
    EXPECT_FALSE(backend.availability(PowerAction::Lock).possible);
    for (PowerAction action : {PowerAction::Lock, PowerAction::Signout}) {
        const auto outcome = outcomeOf(backend, action);
        ASSERT_TRUE(outcome);
        EXPECT_FALSE(outcome->empty());
    }
    EXPECT_TRUE(actions().empty());
}

TEST_F(LogindBackendTest, MissingLogindIsTriedAndItsAbsenceReported) {
    // A bus without logind: nothing says the action is impossible, so it is tried, and the
    // failure comes back as the outcome; nothing throws.
    LogindBackend backend(QDBusConnection::sessionBus());
    EXPECT_TRUE(backend.setTokenPrivilege(kShutdownPrivilege, true));
    EXPECT_TRUE(backend.availability(PowerAction::Suspend).possible);
    EXPECT_TRUE(backend.availability(PowerAction::Lock).possible);
    const auto outcome = outcomeOf(backend, PowerAction::Shutdown);
    ASSERT_TRUE(outcome);
    EXPECT_NE(outcome->find("ServiceUnknown"), std::string::npos) << *outcome;
}

TEST_F(LogindBackendTest, FactoryTalksToTheSystemBus) {
    auto backend = createPowerBackend();
    EXPECT_EQ(outcomeOf(*backend, PowerAction::Restart), std::string());
    const auto calls = actions();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].method, QLatin1String("Reboot"));
}

} // namespace
