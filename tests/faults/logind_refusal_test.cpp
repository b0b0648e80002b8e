// The window at the end of a countdown while logind refuses the call the action needs: the
// program goes on, shows no error, carries out nothing else in its place, disarms, and the
// settings it stored stay as they were. Each case runs against a fresh logind mock.
#include "window_harness.h"

#include "power/logind_backend.h"
#include "power/mock_bus.h"
#include "schedule/manual_clock.h"
#include "widgets/qz_button.h"

#include <QDBusConnection>
#include <QTest>

#include <gtest/gtest.h>

namespace qz::test {
namespace {

const QString kLogind = QStringLiteral("org.freedesktop.login1");
const QString kManagerPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");
const QString kRefusal = QStringLiteral("raise dbus.exceptions.DBusException('Access denied', "
                                        "name='org.freedesktop.DBus.Error.AccessDenied')");

struct RefusalCase {
    const char* name;
    const char* button;
    const char* word; // the action as the settings store it
    const char* refused;
    const char* inSig;
    const char* outSig;
    QStringList expectedCalls; // the logind manager calls the action may make
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
    *os << c.name;
}

class FaultsLogindRefusal : public ::testing::TestWithParam<RefusalCase> {
protected:
    void SetUp() override {
        ASSERT_TRUE(onPrivateSystemBus()) << "run through tests/support/with_mocks.py --logind";
        qunsetenv("XDG_SESSION_ID");
        bus = QDBusConnection::systemBus();
        ASSERT_TRUE(bus.isConnected());
    }
    void TearDown() override { parts.window.reset(); }

    QStringList managerCalls() {
        QStringList names;
        for (const MockCall& c : mockCalls(bus, kLogind, kManagerPath))
            names << c.method;
        return names;
    }

    QDBusConnection bus = QDBusConnection::sessionBus();
    WindowParts parts;
};

TEST_P(FaultsLogindRefusal, ProgramGoesOnAndDoesNothingElse) {
    const RefusalCase& c = GetParam();
    const QDBusMessage added =
        bus.call(mockMethod(kLogind, kManagerPath, QStringLiteral("AddMethod"),
                            {kManager, QString::fromLatin1(c.refused), QString::fromLatin1(c.inSig),
                             QString::fromLatin1(c.outSig), kRefusal}));
    ASSERT_EQ(added.type(), QDBusMessage::ReplyMessage) << added.errorMessage().toStdString();

    // Stored settings of an earlier run: Turkish, notifications on.
    parts.registry->values = {{"swBildirim", {true, "1"}},  {"swUstte", {true, "0"}},
                              {"swBaslangic", {true, "0"}}, {"dil", {true, "1"}},
                              {"hergun", {true, "0"}},      {"saat", {true, "07:30"}},
                              {"gorev", {true, "shutdown"}}};
    auto clock = std::make_unique<ManualClock>(QDateTime(QDate(2026, 3, 10), QTime(14, 25)));
    ManualClock* manual = clock.get();
    startWindow(parts, std::move(clock), std::make_unique<LogindBackend>(bus));
    TAnaform& w = *parts.window;
    ASSERT_TRUE(clearMockCalls(bus, kLogind, kManagerPath));

    QTest::mouseClick(w.findChild<TqzButton*>(QString::fromLatin1(c.button)), Qt::LeftButton);
    w.findChild<TqzTimeEdit*>(QStringLiteral("TimeeditSuandanitibaren"))
        ->setTime(QStringLiteral("00:01"));
    w.btnStartStopClick();
    ASSERT_TRUE(w.isArmed());

    manual->advanceSecs(60);
    w.timerGorevTimer();
    // A later tick must not try again or try something else.
    manual->advanceSecs(1);
    w.timerGorevTimer();
    QTest::qWait(200); // lets an unanswered call's error reply arrive and be dropped

    EXPECT_FALSE(w.isArmed());
    EXPECT_FALSE(w.isTaskTimerRunning());
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(parts.prompts->errors.empty());
    EXPECT_EQ(managerCalls(), c.expectedCalls);

    // The settings written at the end are the stored ones with the action the user chose.
    const std::map<std::string, std::string> expected = {
        {"swBildirim", "1"}, {"swUstte", "0"},  {"swBaslangic", "0"}, {"dil", "1"},
        {"hergun", "0"},     {"saat", "07:30"}, {"gorev", c.word}};
    for (const auto& [name, text] : expected)
        EXPECT_EQ(parts.registry->values[name].text, text) << name;
}

INSTANTIATE_TEST_SUITE_P(
    Refused, FaultsLogindRefusal,
    ::testing::Values(
        RefusalCase{"PowerOff", "btnshutdown", "shutdown", "PowerOff", "b", "", {"PowerOff"}},
        RefusalCase{"Reboot", "btnrestart", "restart", "Reboot", "b", "", {"Reboot"}},
        // Stand-by and sleep ask first; a refused question counts as "cannot".
        RefusalCase{
            "CanSuspend", "btnwaitready", "waitready", "CanSuspend", "", "s", {"CanSuspend"}},
        RefusalCase{"CanHibernate", "btnSleep", "sleep", "CanHibernate", "", "s", {"CanHibernate"}},
        // Without its own session the program locks or signs out nobody else's.
        RefusalCase{"LockWithoutSession",
                    "btnLock",
                    "lock",
                    "GetSessionByPID",
                    "u",
                    "o",
                    {"GetSessionByPID", "GetUser"}},
        RefusalCase{"SignoutWithoutSession",
                    "btnSignout",
                    "signout",
                    "GetSessionByPID",
                    "u",
                    "o",
                    {"GetSessionByPID", "GetUser"}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace qz::test
