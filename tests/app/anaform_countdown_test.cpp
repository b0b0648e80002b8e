// Arming, disarming and the one-second tick, driven by a manual clock.
#include "anaform_fixture.h"
#include "tray/qz_tray_icon.h"

#include "widgets/qz_button.h"
#include "widgets/qz_circled_progress_bar.h"
#include "widgets/qz_combo_box.h"
#include "widgets/qz_date_edit.h"
#include "widgets/qz_glyph_button.h"
#include "widgets/qz_label.h"
#include "widgets/qz_radio_button.h"
#include "widgets/qz_split_view.h"
#include "widgets/qz_time_edit.h"

#include <QMenu>
#include <QTest>

#include <algorithm>
#include <functional>
#include <tuple>

namespace qz::test {
namespace {

const QDateTime kNow(QDate(2026, 3, 10), QTime(14, 25));
const std::string kPrivilege = "setTokenPrivilege SeShutdownPrivilege true";
// At the end: the privilege, the action's query, the action.
const std::vector<std::string> kShutdownCalls{kPrivilege, "canPowerOff", "shutdown"};

class CountdownTest : public AnaformTest {
protected:
    TAnaform& startAt(const QDateTime& now = kNow) { return start(now); }
    void choose(const char* radio) {
        QTest::mouseClick(child<TqzRadioButton>(radio), Qt::LeftButton);
    }
    void armFromNow(const QString& duration) {
        child<TqzTimeEdit>("TimeeditSuandanitibaren")->setTime(duration);
        arm();
    }
    // Start: the action's query is asked before anything is armed; then the calls are
    // what the end of the countdown makes.
    void arm() {
        window->btnStartStopClick();
        ASSERT_TRUE(window->task().isArmed());
        ASSERT_EQ(power->calls.size(), 1u);
        EXPECT_EQ(power->calls[0].rfind("can", 0), 0u) << power->calls[0];
        power->calls.clear();
    }
    // A six-minute task a minute on: the five-minute reminder is shown.
    void remindFiveMinutesBefore() {
        armFromNow("00:06");
        window->timerBildirimTimer(); // the countdown's first sight never reminds
        tickAfter(60'000);
        window->timerBildirimTimer();
    }
    TqzCircledProgressBar* ring() { return child<TqzCircledProgressBar>("progress"); }
    TqzGlyphButton* startStop() { return child<TqzGlyphButton>("btnStartStop"); }
    std::vector<QWidget*> scheduleInputs() {
        std::vector<QWidget*> inputs;
        for (const char* name :
             {"btnshutdown", "btnrestart", "btnwaitready", "btnSleep", "btnSignout", "btnLock",
              "radioSuandanitibaren", "radioBelirtilenSaat", "radioBostaKalma", "radiohergun",
              "TimeeditSuandanitibaren", "dateEditBelirtilenSure", "timeEditBelirtilenSure",
              "qzTimeEdit3", "qzTimeEdit1"})
            inputs.push_back(child<QWidget>(name));
        return inputs;
    }
};

struct ModeCase {
    const char* radio;
    TriggerMode mode;
    std::vector<const char*> fields; // enabled in this mode
    int ringMaximum;                 // seconds from 14:25 with the fields' first values
};

class ArmEveryMode : public CountdownTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(ArmEveryMode, ArmsWithTheStopLookAndDisarmsBackToTheMode) {
    const ModeCase& c = GetParam();
    TAnaform& w = startAt();
    choose(c.radio);
    ASSERT_EQ(w.selectedMode(), c.mode);

    QTest::mouseClick(startStop(), Qt::LeftButton);
    ASSERT_TRUE(w.task().isArmed());
    EXPECT_TRUE(w.task().isTicking());
    EXPECT_EQ(startStop()->glyphKind(), TqzGlyphButton::qzbgkCancel);
    EXPECT_EQ(startStop()->caption(), "Stop Progress");
    EXPECT_EQ(ring()->maxValue(), c.ringMaximum);
    EXPECT_EQ(ring()->value(), 0);
    for (QWidget* input : scheduleInputs())
        EXPECT_FALSE(input->isEnabled()) << input->objectName().toStdString();

    QTest::mouseClick(startStop(), Qt::LeftButton);
    EXPECT_FALSE(w.task().isArmed());
    EXPECT_FALSE(w.task().isTicking());
    EXPECT_EQ(startStop()->glyphKind(), TqzGlyphButton::qzbgkOk);
    EXPECT_EQ(startStop()->caption(), "Start Progress");
    EXPECT_EQ(ring()->value(), ring()->maxValue());
    EXPECT_EQ(ring()->caption(), "Remaining Time");
    for (QWidget* input : scheduleInputs()) {
        const bool field = input->inherits("TqzTimeEdit") || input->inherits("TqzDateEdit");
        const bool expected =
            !field || std::find_if(c.fields.begin(), c.fields.end(), [&](const char* n) {
                          return input->objectName() == QLatin1String(n);
                      }) != c.fields.end();
        EXPECT_EQ(input->isEnabled(), expected) << input->objectName().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ArmEveryMode,
    ::testing::Values(
        ModeCase{"radioSuandanitibaren", TriggerMode::FromNow, {"TimeeditSuandanitibaren"}, 1800},
        ModeCase{"radioBelirtilenSaat",
                 TriggerMode::SpecifiedTime,
                 {"dateEditBelirtilenSure", "timeEditBelirtilenSure"},
                 35 * 60},
        ModeCase{"radioBostaKalma", TriggerMode::IdleTime, {"qzTimeEdit3"}, 300},
        ModeCase{"radiohergun", TriggerMode::Everyday, {"qzTimeEdit1"}, (8 * 60 + 35) * 60}));

TEST_F(CountdownTest, SpecifiedTimeNotInTheFutureIsRefusedWithMessageTwo) {
    TAnaform& w = startAt();
    choose("radioBelirtilenSaat");
    child<TqzTimeEdit>("timeEditBelirtilenSure")->setTime("14:25");
    w.btnStartStopClick();

    ASSERT_EQ(prompts->errors.size(), 1u);
    EXPECT_EQ(prompts->errors[0].title, "QZ DuvoDoroRuruzovad");
    EXPECT_EQ(prompts->errors[0].text,
              "The date you specified cannot be smaller than the current date");
    EXPECT_FALSE(w.task().isArmed());
    EXPECT_EQ(startStop()->caption(), "Start Progress");
    EXPECT_TRUE(child<QWidget>("timeEditBelirtilenSure")->isEnabled());
}

TEST_F(CountdownTest, StartLateInTheEveningOffersMidnightTodayWhichIsRefused) {
    TAnaform& w = startAt(QDateTime(QDate(2026, 3, 10), QTime(23, 30)));
    choose("radioBelirtilenSaat");
    EXPECT_EQ(child<TqzTimeEdit>("timeEditBelirtilenSure")->time(), "00:00");
    EXPECT_EQ(child<TqzDateEdit>("dateEditBelirtilenSure")->date(), QDate(2026, 3, 10));
    w.btnStartStopClick();
    EXPECT_EQ(prompts->errors.size(), 1u);
    EXPECT_FALSE(w.task().isArmed());
}

struct ActionCase {
    const char* button;
    std::vector<std::string> calls;
};

class EndOfCountdown : public CountdownTest, public ::testing::WithParamInterface<ActionCase> {};

TEST_P(EndOfCountdown, CarriesOutTheDownActionOnceAndDisarms) {
    TAnaform& w = startAt();
    child<TqzButton>(GetParam().button)->setDown(true);
    armFromNow("00:01");
    tickAfter(59'000);
    EXPECT_TRUE(power->calls.empty());
    tickAfter(1'000);
    EXPECT_EQ(power->calls, GetParam().calls);
    EXPECT_FALSE(w.task().isArmed());
    EXPECT_FALSE(w.task().isTicking());
    EXPECT_EQ(stored("hergun"), "0"); // saved before the action
    tickAfter(1'000);
    EXPECT_EQ(power->calls, GetParam().calls);
}

INSTANTIATE_TEST_SUITE_P(
    Actions, EndOfCountdown,
    ::testing::Values(ActionCase{"btnshutdown", kShutdownCalls},
                      ActionCase{"btnrestart", {kPrivilege, "canReboot", "restart"}},
                      ActionCase{"btnLock", {kPrivilege, "canUseSession", "lock"}},
                      ActionCase{"btnwaitready", {kPrivilege, "canSuspend", "suspend"}},
                      ActionCase{"btnSleep", {kPrivilege, "canHibernate", "hibernate"}},
                      ActionCase{"btnSignout", {kPrivilege, "canUseSession", "signOut"}}));

TEST_F(CountdownTest, FailedPrivilegeStepIsRetriedAtTheNextTick) {
    TAnaform& w = startAt();
    armFromNow("00:01");
    power->privilegeFails = true;
    tickAfter(60'000);
    EXPECT_EQ(power->calls, std::vector<std::string>{kPrivilege});
    EXPECT_TRUE(w.task().isArmed());
    EXPECT_TRUE(w.task().isTicking());
    EXPECT_EQ(ring()->value(), ring()->maxValue());

    power->privilegeFails = false;
    power->calls.clear();
    tickAfter(1'000);
    EXPECT_EQ(power->calls, kShutdownCalls);
    EXPECT_FALSE(w.task().isArmed());
}

TEST_F(CountdownTest, RingFollowsTheClockSoLateTicksDoNotDelayTheAction) {
    startAt();
    armFromNow("00:01");
    tickAfter(10'000);
    EXPECT_EQ(ring()->value(), 10);
    EXPECT_EQ(ring()->caption(), "Remaining Time\r50 Seconds ");
    tickAfter(49'500); // 59.5 s: not yet
    EXPECT_TRUE(power->calls.empty());
    tickAfter(5'500); // one late tick, 65 s after arming
    EXPECT_EQ(power->calls, kShutdownCalls);
}

TEST_F(CountdownTest, RingInTheTrayCatchesUpWhenTheWindowComesBack) {
    startAt();
    armFromNow("00:01");
    tickAfter(10'000);
    window->hide(); // in the tray: the ring is not drawn and not kept up every second
    tickAfter(20'000);
    EXPECT_EQ(ring()->value(), 10);
    window->show();
    EXPECT_EQ(ring()->value(), 30);
    EXPECT_EQ(ring()->caption(), "Remaining Time\r30 Seconds ");

    // Stopped while in the tray: it comes back with the stopped look, not the last step.
    tickAfter(10'000);
    window->hide();
    tickAfter(10'000);
    window->btnStartStopClick();
    window->show();
    EXPECT_EQ(ring()->value(), ring()->maxValue());
}

TEST_F(CountdownTest, MissedDeadlineIsSkippedNotCarriedOutAndSaidSo) {
    TAnaform& w = startAt();
    armFromNow("00:01");
    tickAfter(60'000 + 61'000); // the machine slept past the time
    EXPECT_TRUE(power->calls.empty());
    EXPECT_FALSE(w.task().isArmed());
    EXPECT_EQ(startStop()->caption(), "Start Progress");
    const QString said = "Shutdown due at 3/10/26 2:26 PM was not carried out: the computer "
                         "was asleep or the program was not running then";
    EXPECT_EQ(reminders, std::vector<QString>{said});
    // The bottom bar says it in place of the web address until clicked.
    EXPECT_EQ(child<TqzLabel>("lblNotice")->caption(), said);
    EXPECT_TRUE(child<TqzLabel>("lblNotice")->isVisibleTo(&w));
    EXPECT_FALSE(child<TqzLabel>("lblUrl")->isVisibleTo(&w));
    QTest::mouseClick(child<TqzLabel>("lblNotice"), Qt::LeftButton);
    EXPECT_TRUE(child<TqzLabel>("lblUrl")->isVisibleTo(&w));
}

TEST_F(CountdownTest, MissedDeadlineNoticeReadsToItsEndInBothLanguages) {
    struct {
        int language;
        const char* said;
    } cases[] = {
        {2, "Shutdown due at 3/10/26 2:26 PM was not carried out: the computer was asleep or "
            "the program was not running then"},
        {1, "10.03.2026 14:26 için planlanan kapatma yapılmadı: o saatte bilgisayar uykudaydı "
            "ya da program çalışmıyordu"},
    };
    for (const auto& c : cases) {
        startAt();
        child<TqzComboBox>("cmbDil")->setItemIndex(c.language - 1);
        armFromNow("00:01");
        tickAfter(60'000 + 61'000);
        auto* notice = child<TqzLabel>("lblNotice");
        EXPECT_EQ(notice->caption(), QString::fromUtf8(c.said));
        // Every word on the bar, none cut: the bar is narrower than the sentence is long.
        EXPECT_EQ(notice->shownLines().join(QLatin1Char(' ')), notice->caption());
        EXPECT_TRUE(notice->toolTip().isEmpty());
        // Written again in the other language when the language changes.
        child<TqzComboBox>("cmbDil")->setItemIndex(2 - c.language);
        EXPECT_EQ(notice->caption(), QString::fromUtf8(cases[c.language - 1].said));
        destroyWindow();
        reminders.clear();
    }
}

TEST_F(CountdownTest, TurkishMessagesNameTheActionAsANoun) {
    TAnaform& w = startAt(QDateTime(QDate(2026, 3, 10), QTime(22, 59)));
    child<TqzComboBox>("cmbDil")->setItemIndex(0);
    child<TqzButton>("btnLock")->setDown(true);
    power->impossible.emplace_back("canSuspend", "CanSuspend: no");
    power->impossible.emplace_back("canHibernate", "CanHibernate: na");
    QTest::qWait(1'300); // asked once the window is up
    EXPECT_EQ(child<TqzButton>("btnSleep")->toolTip(),
              QString::fromUtf8("Bu bilgisayarda şu anda uyku moduna geçiş yapılamıyor. Sistemin "
                                "yanıtı:\nCanHibernate: na"));
    EXPECT_EQ(child<TqzButton>("btnwaitready")->toolTip(),
              QString::fromUtf8("Bu bilgisayarda şu anda hazırda bekletme yapılamıyor. Sistemin "
                                "yanıtı:\nCanSuspend: no"));
    // The tips follow a change of language.
    child<TqzComboBox>("cmbDil")->setItemIndex(1);
    EXPECT_EQ(child<TqzButton>("btnSleep")->toolTip(),
              "Sleep is not possible on this computer now. The system answered:\nCanHibernate: na");
    child<TqzComboBox>("cmbDil")->setItemIndex(0);

    power->calls.clear();
    choose("radiohergun");
    arm();
    power->holdOutcomes = true;
    tickAfter(60'000);
    ASSERT_EQ(power->pending.size(), 1u);
    power->pending[0]("LockSession: refused");
    ASSERT_EQ(prompts->errors.size(), 1u);
    EXPECT_EQ(prompts->errors[0].text,
              QString::fromUtf8("Planlanan kilitleme yapılamadı. Sistemin yanıtı:\nLockSession: "
                                "refused"));
    EXPECT_TRUE(w.task().isArmed());
}

// logind's "challenge": armed all the same, with a word that a password will be asked for at
// the end; the request then lets the system ask. Another task's arming clears the word.
TEST_F(CountdownTest, ActionThatAsksForAPasswordIsArmedWithAWordAndAsksAtTheEnd) {
    struct {
        int language;
        const char* said;
    } cases[] = {
        {2, "The system will ask for a password for Shutdown when it is due; if nobody answers, "
            "it may not be carried out"},
        {1, "Sistem, kapatma zamanı geldiğinde parola isteyecek; yanıtlayan olmazsa "
            "yapılmayabilir"},
    };
    for (const auto& c : cases) {
        TAnaform& w = startAt();
        child<TqzComboBox>("cmbDil")->setItemIndex(c.language - 1);
        power->asking = {"canPowerOff"};
        armFromNow("00:01");
        auto* notice = child<TqzLabel>("lblNotice");
        EXPECT_EQ(notice->caption(), QString::fromUtf8(c.said));
        EXPECT_TRUE(notice->isVisibleTo(&w));
        EXPECT_EQ(notice->shownLines().join(QLatin1Char(' ')), notice->caption());
        // Said again in the other language when the language changes.
        child<TqzComboBox>("cmbDil")->setItemIndex(2 - c.language);
        EXPECT_EQ(notice->caption(), QString::fromUtf8(cases[c.language - 1].said));

        tickAfter(60'000);
        EXPECT_EQ(power->calls,
                  (std::vector<std::string>{kPrivilege, "canPowerOff", "shutdown asking"}));
        EXPECT_FALSE(notice->isVisibleTo(&w)); // the task has ended: the word no longer holds
        power->calls.clear();
        child<TqzButton>("btnrestart")->setDown(true);
        armFromNow("00:01");
        EXPECT_FALSE(notice->isVisibleTo(&w));
        destroyWindow();
    }
}

struct RefusedStart {
    const char* name;
    const char* radio;
    std::function<void(TAnaform&, FakeIdle&, RecordingPowerBackend&)> prepare;
    const char* message;
};

void PrintTo(const RefusedStart& c, std::ostream* os) {
    *os << c.name;
}

class StartRefused : public CountdownTest, public ::testing::WithParamInterface<RefusedStart> {};

// Start refuses, with the reason, what could never be carried out as set.
TEST_P(StartRefused, WithItsReasonAndArmsNothing) {
    TAnaform& w = startAt();
    choose(GetParam().radio);
    GetParam().prepare(w, *idle, *power);
    w.btnStartStopClick();
    EXPECT_FALSE(w.task().isArmed());
    ASSERT_EQ(prompts->errors.size(), 1u);
    EXPECT_EQ(prompts->errors[0].text, QString::fromUtf8(GetParam().message));
    EXPECT_TRUE(std::none_of(power->calls.begin(), power->calls.end(),
                             [](const std::string& c) { return c.rfind("can", 0) != 0; }));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartRefused,
    ::testing::Values(
        RefusedStart{"ImpossibleDate", "radioBelirtilenSaat",
                     [](TAnaform& w, FakeIdle&, RecordingPowerBackend&) {
                         auto* date = w.findChild<TqzDateEdit*>("dateEditBelirtilenSure");
                         date->setCaretPosition(0);
                         QTest::keyClicks(date, "0230");
                         ASSERT_FALSE(date->hasValidDate());
                     },
                     "The date you specified does not exist"},
        RefusedStart{
            "IdleTimeUnmeasurable", "radioBostaKalma",
            [](TAnaform&, FakeIdle& idle, RecordingPowerBackend&) { idle.canMeasure = false; },
            "Idle time cannot be measured in this session, so an idle-time task "
            "cannot be started"},
        RefusedStart{"SystemCannotSuspend", "radioSuandanitibaren",
                     [](TAnaform& w, FakeIdle&, RecordingPowerBackend& power) {
                         w.findChild<TqzButton*>("btnwaitready")->setDown(true);
                         power.impossible.emplace_back("canSuspend", "CanSuspend: no");
                     },
                     "Stand By is not possible on this computer now. The system answered:\n"
                     "CanSuspend: no"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CountdownTest, ActionsTheSystemCannotDoAreShownUnavailableWithTheReason) {
    TAnaform& w = startAt();
    power->impossible.emplace_back("canHibernate", "CanHibernate: na");
    QTest::qWait(1'300); // asked once the window is up
    auto* sleep = child<TqzButton>("btnSleep");
    EXPECT_FALSE(sleep->isEnabled());
    EXPECT_EQ(sleep->toolTip(),
              "Sleep is not possible on this computer now. The system answered:\nCanHibernate: na");
    EXPECT_TRUE(child<TqzButton>("btnwaitready")->isEnabled());
    // A task armed and stopped gives the other actions back, not this one.
    power->calls.clear();
    arm();
    w.btnStartStopClick();
    EXPECT_FALSE(sleep->isEnabled());
    EXPECT_TRUE(child<TqzButton>("btnLock")->isEnabled());
}

TEST_F(CountdownTest, RefusalAtTheEndIsShownAndAnEverydayTaskWaitsForItsNextDay) {
    TAnaform& w = startAt(QDateTime(QDate(2026, 3, 10), QTime(22, 59)));
    choose("radiohergun");
    arm();
    power->holdOutcomes = true;
    tickAfter(60'000);
    tickAfter(1'000); // the answer is awaited: nothing is asked again
    EXPECT_EQ(power->calls, kShutdownCalls);
    ASSERT_EQ(power->pending.size(), 1u);
    power->pending[0]("PowerOff: Access denied (org.freedesktop.DBus.Error.AccessDenied)");

    const QString said = "Shutdown could not be carried out. The system answered:\n"
                         "PowerOff: Access denied (org.freedesktop.DBus.Error.AccessDenied)";
    ASSERT_EQ(prompts->errors.size(), 1u);
    EXPECT_EQ(prompts->errors[0].text, said);
    EXPECT_EQ(reminders, std::vector<QString>{said});
    EXPECT_TRUE(w.task().isArmed());
    EXPECT_EQ(w.task().countdown().endTime(), QDateTime(QDate(2026, 3, 11), QTime(23, 0)));
    EXPECT_EQ(stored("hergun"), "1");
}

TEST_F(CountdownTest, InputRestartsAnIdleCountdown) {
    TAnaform& w = startAt();
    choose("radioBostaKalma");
    arm();
    idle->seconds = 100;
    tickAfter(100'000);
    EXPECT_EQ(ring()->value(), 100);

    idle->seconds = 0; // the user touched the mouse
    tickAfter(1'000);
    EXPECT_EQ(ring()->maxValue(), 300);
    EXPECT_EQ(ring()->value(), 0);
    EXPECT_EQ(w.task().countdown().endTime(), kNow.addSecs(101 + 300));

    idle->seconds = 299;
    tickAfter(299'000);
    EXPECT_TRUE(power->calls.empty());
    idle->seconds = 300;
    tickAfter(1'000);
    EXPECT_EQ(power->calls, kShutdownCalls);
}

TEST_F(CountdownTest, EverydayTaskIsArmedForTheNextDayAfterItsAction) {
    TAnaform& w = startAt(QDateTime(QDate(2026, 3, 10), QTime(22, 59)));
    child<TqzButton>("btnLock")->setDown(true);
    choose("radiohergun");
    arm();
    tickAfter(60'000);

    EXPECT_EQ(power->calls, (std::vector<std::string>{kPrivilege, "canUseSession", "lock"}));
    EXPECT_TRUE(w.task().isArmed());
    EXPECT_TRUE(w.task().isTicking());
    EXPECT_EQ(w.task().countdown().endTime(), QDateTime(QDate(2026, 3, 11), QTime(23, 0)));
    EXPECT_EQ(ring()->value(), 0);
    EXPECT_EQ(startStop()->caption(), "Stop Progress");
    EXPECT_EQ(stored("hergun"), "1");
    EXPECT_EQ(stored("saat"), "23:00");
}

TEST_F(CountdownTest, ReminderAtFiveMinutesCarriesMessageThreeAndTheRemainingTime) {
    TAnaform& w = startAt();
    armFromNow("00:06");
    w.timerBildirimTimer(); // the countdown's first sight never reminds
    tickAfter(60'000);
    w.timerBildirimTimer();
    ASSERT_EQ(reminders.size(), 1u);
    EXPECT_EQ(reminders[0], "Time to complete the programmed action :Remaining Time\r5 Minutes ");
}

QStringList actionKeys(const QList<NotifierAction>& actions) {
    QStringList keys;
    for (const NotifierAction& a : actions)
        keys << a.key;
    return keys;
}

TEST_F(CountdownTest, ReminderOffersPostponeAndCancelAndPostponeWarnsAgain) {
    TAnaform& w = startAt();
    remindFiveMinutesBefore();
    ASSERT_EQ(reminders.size(), 1u);
    EXPECT_EQ(actionKeys(notifier->lastActions), (QStringList{"postpone 1", "cancel 1"}));

    auto* panel = child<TqzSplitView>("qzSplitView1");
    panel->setAnimation(false);
    w.btnUpdateClick();
    notifier->invoke(QStringLiteral("postpone 1"));
    EXPECT_FALSE(panel->opened()); // the moved time is shown, not hidden under the panel
    EXPECT_EQ(w.task().countdown().endTime(), kNow.addSecs(16 * 60));
    EXPECT_EQ(ring()->maxValue(), 16 * 60);
    EXPECT_EQ(child<TqzLabel>("lbltarihEn")->caption(), "16 Minutes "); // the sentence follows
    tickAfter(1'000); // the next second sees the moved end
    w.timerBildirimTimer();
    tickAfter(10 * 60'000 - 1'000); // five minutes before the new end: warned again
    w.timerBildirimTimer();
    ASSERT_EQ(reminders.size(), 2u);
    EXPECT_TRUE(reminders[1].endsWith("5 Minutes "));

    notifier->invoke(QStringLiteral("cancel 1"));
    EXPECT_FALSE(w.task().isArmed());
    EXPECT_EQ(startStop()->caption(), "Start Progress");
    tickAfter(10 * 60'000);
    EXPECT_TRUE(power->calls.empty());
}

// A reminder's choices belong to the task that raised it: once that task ended and another
// was armed, the old reminder's "Cancel task" and "Postpone" do nothing.
TEST_F(CountdownTest, OldRemindersChoicesLeaveANewerTaskAlone) {
    TAnaform& w = startAt();
    remindFiveMinutesBefore();
    ASSERT_EQ(reminders.size(), 1u);
    const QStringList oldKeys = actionKeys(notifier->lastActions);
    w.btnStartStopClick();
    armFromNow("00:30");
    const QDateTime due = w.task().countdown().endTime();
    for (const QString& key : oldKeys)
        notifier->invoke(key);
    EXPECT_TRUE(w.task().isArmed());
    EXPECT_EQ(w.task().countdown().endTime(), due);
    w.btnStartStopClick();
    for (const QString& key : oldKeys)
        notifier->invoke(key); // no task at all: nothing either
    EXPECT_FALSE(w.task().isArmed());
}

// A request from the command line is read and armed before the window shows it: a refused
// one leaves every control as it was; an armed one is shown as the task it is.
TEST_F(CountdownTest, CommandLineRequestIsShownOnlyOnceArmed) {
    TAnaform& w = startAt();
    const auto controls = [&] {
        return std::make_tuple(w.selectedAction(), w.selectedMode(),
                               child<TqzTimeEdit>("TimeeditSuandanitibaren")->time(),
                               child<TqzDateEdit>("dateEditBelirtilenSure")->date(),
                               child<TqzTimeEdit>("timeEditBelirtilenSure")->time(),
                               child<TqzTimeEdit>("qzTimeEdit1")->time(),
                               child<TqzLabel>("lbltarihEn")->caption());
    };
    auto* panel = child<TqzSplitView>("qzSplitView1");
    panel->setAnimation(false);
    w.btnUpdateClick(); // the settings panel is open when the requests come
    const auto before = controls();
    power->impossible = {{"canHibernate", "no swap"}};
    const struct {
        PowerAction action;
        TriggerMode mode;
        const char* value;
        MessageId reason;
    } refused[] = {
        {PowerAction::Lock, TriggerMode::SpecifiedTime, "2026-03-10T14:00", MessageId::PastDate},
        {PowerAction::Lock, TriggerMode::SpecifiedTime, "2026-02-30T14:00",
         MessageId::ImpossibleDate},
        {PowerAction::Restart, TriggerMode::Everyday, "7:15", MessageId::UnreadableTime},
        {PowerAction::Hibernate, TriggerMode::FromNow, "01:00", MessageId::ActionUnavailable},
    };
    for (const auto& r : refused) {
        SCOPED_TRACE(r.value);
        const QString reason = w.armFromCommand(r.action, r.mode, QString::fromLatin1(r.value));
        EXPECT_TRUE(reason.startsWith(w.message(r.reason).section(QLatin1Char('%'), 0, 0)))
            << reason.toStdString();
        EXPECT_FALSE(w.task().isArmed());
        EXPECT_EQ(controls(), before);
        EXPECT_TRUE(panel->opened());
    }
    EXPECT_TRUE(prompts->errors.empty()); // the answer goes back to the command line

    EXPECT_EQ(w.armFromCommand(PowerAction::Restart, TriggerMode::Everyday, "07:15"), "");
    EXPECT_TRUE(w.task().isArmed());
    EXPECT_FALSE(panel->opened()); // closed over the schedule the request changed
    EXPECT_EQ(w.selectedAction(), PowerAction::Restart);
    EXPECT_EQ(w.selectedMode(), TriggerMode::Everyday);
    EXPECT_EQ(child<TqzTimeEdit>("qzTimeEdit1")->time(), "07:15");
    EXPECT_FALSE(child<TqzTimeEdit>("qzTimeEdit1")->isEnabled());
    EXPECT_EQ(stored("gorev"), "restart");
    EXPECT_EQ(w.armFromCommand(PowerAction::Lock, TriggerMode::FromNow, "00:10"),
              w.message(MessageId::AlreadyArmed));
    EXPECT_EQ(w.selectedAction(), PowerAction::Restart);
}

TEST_F(CountdownTest, IdleTaskIsNotPostponedItsInputRestartsIt) {
    TAnaform& w = startAt();
    choose("radioBostaKalma");
    arm();
    const QDateTime end = w.task().countdown().endTime();
    tickAfter(1'000);
    notifier->invoke(QStringLiteral("postpone"));
    EXPECT_EQ(w.task().countdown().endTime(), end);
    EXPECT_EQ(actionKeys(notifier->lastActions), QStringList{});
}

TEST_F(CountdownTest, TrayMenuAndTipFollowTheTask) {
    TAnaform& w = startAt();
    auto* menu = child<QMenu>("trayMenu");
    const QList<QAction*> entries = menu->actions();
    ASSERT_EQ(entries.size(), 5); // show/hide, postpone, cancel, a line, quit
    QAction* showHide = entries[0];
    QAction* postpone = entries[1];
    QAction* cancel = entries[2];
    QAction* quit = entries[4];
    Q_EMIT menu->aboutToShow();
    EXPECT_EQ(showHide->text(), "Hide");
    EXPECT_FALSE(postpone->isVisible());
    EXPECT_FALSE(cancel->isVisible());
    EXPECT_EQ(quit->text(), "Quit");
    EXPECT_EQ(w.trayIcon()->hint(), "qZ Duvodoro Ruruzovad");

    armFromNow("00:06");
    Q_EMIT menu->aboutToShow();
    EXPECT_TRUE(postpone->isVisible());
    EXPECT_TRUE(cancel->isVisible());
    EXPECT_EQ(w.trayIcon()->hint(), "qZ Duvodoro Ruruzovad\nShutdown at 14:31");
    child<TqzComboBox>("cmbDil")->setItemIndex(0); // the tip follows the language
    EXPECT_EQ(w.trayIcon()->hint(), QString::fromUtf8("qZ Duvodoro Ruruzovad\nKapat, saat 14:31"));
    child<TqzComboBox>("cmbDil")->setItemIndex(1);
    postpone->trigger();
    EXPECT_EQ(w.task().countdown().endTime(), kNow.addSecs(16 * 60));
    EXPECT_EQ(w.trayIcon()->hint(), "qZ Duvodoro Ruruzovad\nShutdown at 14:41");
    cancel->trigger();
    EXPECT_FALSE(w.task().isArmed());
    EXPECT_EQ(w.trayIcon()->hint(), "qZ Duvodoro Ruruzovad");

    // Without a tray here the window goes to the taskbar, and comes back.
    showHide->trigger();
    EXPECT_TRUE(w.isMinimized());
    Q_EMIT menu->aboutToShow();
    EXPECT_EQ(showHide->text(), "Show");
    showHide->trigger();
    EXPECT_FALSE(w.isMinimized());
}

struct CloseCase {
    const char* radio; // nullptr: nothing armed
    std::string flag;
};

class CloseFlag : public CountdownTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseFlag, CloseButtonRecordsOneOnlyForAnArmedEverydayTask) {
    TAnaform& w = startAt();
    if (GetParam().radio) {
        choose(GetParam().radio);
        w.btnStartStopClick();
        ASSERT_TRUE(w.task().isArmed());
    }
    QTest::mouseClick(child<TqzGlyphButton>("CloseButton"), Qt::LeftButton);
    EXPECT_EQ(w.controller().everydayFlag().toStdString(), GetParam().flag);
    destroyWindow();
    EXPECT_EQ(stored("hergun"), GetParam().flag);
}

INSTANTIATE_TEST_SUITE_P(Tasks, CloseFlag,
                         ::testing::Values(CloseCase{nullptr, "0"},
                                           CloseCase{"radioSuandanitibaren", "0"},
                                           CloseCase{"radioBostaKalma", "0"},
                                           CloseCase{"radiohergun", "1"}));

} // namespace
} // namespace qz::test
