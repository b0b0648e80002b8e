// The window's task against logind: carried out, refused at Start, or refused at the end,
// and each outcome shown. Each case runs against a fresh logind mock.
#include "window_harness.h"

#include "power/logind_backend.h"
#include "support/manual_clock.h"
#include "support/mock_bus.h"
#include "widgets/qz_button.h"

#include <QDBusConnection>
#include <QTest>

#include <gtest/gtest.h>

namespace qz::test {
namespace {

const QString kLogind = QStringLiteral("org.freedesktop.login1");
const QString kManagerPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");

enum class Refused { Never, AtStart, AtTheEnd };

struct RefusalCase {
    const char* name;
    const char* button;
    const char* method; // the logind method replaced, or empty
    const char* inSig;
    const char* outSig;
    const char* code; // what it does instead
    Refused refused;
    bool everyday;
    const char* reason; // part of what the error box shows
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
    *os << c.name;
}

const char* const kAccessDenied = "raise dbus.exceptions.DBusException('Access denied', "
                                  "name='org.freedesktop.DBus.Error.AccessDenied')";

class FaultsLogindRefusal : public ::testing::TestWithParam<RefusalCase> {
protected:
    void SetUp() override {
        ASSERT_TRUE(onPrivateSystemBus()) << "run through tests/support/with_mocks.py --logind";
        bus = QDBusConnection::systemBus();
        ASSERT_TRUE(bus.isConnected());
    }
    void TearDown() override { parts.window.reset(); }

    QStringList actingCalls() {
        static const QStringList acting = {"PowerOff",  "Reboot",      "Suspend",
                                           "Hibernate", "LockSession", "TerminateSession"};
        QStringList names;
        for (const MockCall& c : mockCalls(bus, kLogind, kManagerPath))
            if (acting.contains(c.method))
                names << c.method;
        return names;
    }

    QDBusConnection bus = QDBusConnection::sessionBus();
    WindowParts parts;
};

// Against logind's mock: an action is carried out, refused when Start is pressed (the
// system says it cannot), or refused by logind at the end. A refusal is shown in a box and
// a notification, in the active language with logind's own words; the task then ends as
// after its action, an everyday task waiting for its next day.
TEST_P(FaultsLogindRefusal, EveryOutcomeIsShownAndTheTaskEndsAsAfterItsAction) {
    const RefusalCase& c = GetParam();
    // Lock and sign-out find their session where the environment names it.
    if (QByteArray(c.name).contains("WithoutSession"))
        qunsetenv("XDG_SESSION_ID");
    else
        qputenv("XDG_SESSION_ID", "c1");
    if (*c.method) {
        const QDBusMessage added = bus.call(
            mockMethod(kLogind, kManagerPath, QStringLiteral("AddMethod"),
                       {kManager, QString::fromLatin1(c.method), QString::fromLatin1(c.inSig),
                        QString::fromLatin1(c.outSig), QString::fromLatin1(c.code)}));
        ASSERT_EQ(added.type(), QDBusMessage::ReplyMessage) << added.errorMessage().toStdString();
    }
    const QDateTime start(QDate(2026, 3, 10), QTime(14, 25));
    auto clock = std::make_unique<ManualClock>(start);
    ManualClock* manual = clock.get();
    startWindow(parts, std::move(clock), std::make_unique<LogindBackend>(bus));
    TAnaform& w = *parts.window;

    QTest::mouseClick(w.findChild<TqzButton*>(QString::fromLatin1(c.button)), Qt::LeftButton);
    if (c.everyday) {
        w.findChild<TqzTimeEdit*>(QStringLiteral("qzTimeEdit1"))->setTime(QStringLiteral("14:26"));
        w.findChild<TqzRadioButton*>(QStringLiteral("radiohergun"))->setChecked(true);
    } else {
        w.findChild<TqzTimeEdit*>(QStringLiteral("TimeeditSuandanitibaren"))
            ->setTime(QStringLiteral("00:01"));
    }
    w.radioSuandanitibarenClick();
    w.btnStartStopClick();
    if (c.refused == Refused::AtStart) {
        EXPECT_FALSE(w.task().isArmed());
        ASSERT_EQ(parts.prompts->errors.size(), 1u);
        EXPECT_TRUE(parts.prompts->errors[0].text.contains(QLatin1String("is not possible")));
        EXPECT_TRUE(parts.prompts->errors[0].text.contains(QLatin1String(c.reason)))
            << parts.prompts->errors[0].text.toStdString();
        EXPECT_TRUE(actingCalls().isEmpty());
        return;
    }
    ASSERT_TRUE(w.task().isArmed());

    manual->advanceSecs(60);
    w.timerGorevTimer();
    // The window stays responsive while logind answers; a tick meanwhile asks nothing more.
    manual->advanceSecs(1);
    w.timerGorevTimer();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return !w.task().countdown().isArmed() ||
                   w.task().countdown().endTime().date() > start.date();
        },
        10'000));
    QTest::qWait(100);
    EXPECT_EQ(actingCalls().size(), 1);

    if (c.refused == Refused::Never) {
        EXPECT_TRUE(parts.prompts->errors.empty());
    } else {
        ASSERT_EQ(parts.prompts->errors.size(), 1u);
        const QString text = parts.prompts->errors[0].text;
        EXPECT_TRUE(text.contains(QLatin1String("could not be carried out")));
        EXPECT_TRUE(text.contains(QLatin1String(c.reason))) << text.toStdString();
        ASSERT_EQ(parts.reminders.size(), 1u); // the notification, for a window in the tray
        EXPECT_EQ(parts.reminders[0], text);
    }
    EXPECT_TRUE(w.isVisible());
    if (c.everyday) {
        EXPECT_TRUE(w.task().isArmed());
        EXPECT_EQ(w.task().countdown().endTime(), QDateTime(QDate(2026, 3, 11), QTime(14, 26)));
        EXPECT_EQ(parts.registry->values["hergun"].text, "1");
    } else {
        EXPECT_FALSE(w.task().isArmed());
        EXPECT_FALSE(w.task().isTicking());
        EXPECT_EQ(parts.registry->values["hergun"].text, "0");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, FaultsLogindRefusal,
    ::testing::Values(
        RefusalCase{"Shutdown", "btnshutdown", "", "", "", "", Refused::Never, false, ""},
        RefusalCase{"Restart", "btnrestart", "", "", "", "", Refused::Never, false, ""},
        RefusalCase{"StandBy", "btnwaitready", "", "", "", "", Refused::Never, false, ""},
        RefusalCase{"Sleep", "btnSleep", "", "", "", "", Refused::Never, false, ""},
        RefusalCase{"Lock", "btnLock", "", "", "", "", Refused::Never, false, ""},
        RefusalCase{"Signout", "btnSignout", "", "", "", "", Refused::Never, false, ""},
        RefusalCase{"PowerOffRefused", "btnshutdown", "PowerOff", "b", "", kAccessDenied,
                    Refused::AtTheEnd, false, "Access denied"},
        RefusalCase{"RebootRefusedEveryday", "btnrestart", "Reboot", "b", "", kAccessDenied,
                    Refused::AtTheEnd, true, "AccessDenied"},
        RefusalCase{"SuspendRefused", "btnwaitready", "Suspend", "b", "", kAccessDenied,
                    Refused::AtTheEnd, false, "Access denied"},
        RefusalCase{"LockRefused", "btnLock", "LockSession", "s", "", kAccessDenied,
                    Refused::AtTheEnd, false, "Access denied"},
        RefusalCase{"CanSuspendNo", "btnwaitready", "CanSuspend", "", "s", "ret = 'no'",
                    Refused::AtStart, false, "CanSuspend: no"},
        RefusalCase{"CanHibernateNa", "btnSleep", "CanHibernate", "", "s", "ret = 'na'",
                    Refused::AtStart, false, "CanHibernate: na"},
        RefusalCase{"CanPowerOffNo", "btnshutdown", "CanPowerOff", "", "s", "ret = 'no'",
                    Refused::AtStart, false, "CanPowerOff: no"},
        // "challenge" is tried: logind decides when asked.
        RefusalCase{"CanRebootChallenge", "btnrestart", "CanReboot", "", "s", "ret = 'challenge'",
                    Refused::Never, false, ""},
        // Without its own session the program locks or signs out nobody else's.
        RefusalCase{"LockWithoutSession", "btnLock", "", "", "", "", Refused::AtStart, false,
                    "no login session"},
        RefusalCase{"SignoutWithoutSession", "btnSignout", "", "", "", "", Refused::AtStart, false,
                    "no login session"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace qz::test
