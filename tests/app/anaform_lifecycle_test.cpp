// Start-up and end of the program: what the window shows after creation and first show,
// and what it leaves stored.
#include "anaform_fixture.h"

#include "app/process/guarded_application.h"

#include "widgets/qz_button.h"
#include "widgets/qz_combo_box.h"
#include "widgets/qz_date_edit.h"
#include "widgets/qz_glyph_button.h"
#include "widgets/qz_label.h"
#include "widgets/qz_radio_button.h"
#include "widgets/qz_switch.h"
#include "widgets/qz_time_edit.h"

#include <QSignalSpy>
#include <QTest>

namespace qz::test {
namespace {

TEST_F(AnaformTest, FirstStartOffersShutdownFromNowWithTheNextFullHour) {
    TAnaform& w = start(QDateTime(QDate(2026, 3, 10), QTime(14, 25)));

    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.task().isArmed());
    EXPECT_EQ(w.selectedAction(), PowerAction::Shutdown);
    EXPECT_EQ(w.selectedMode(), TriggerMode::FromNow);
    EXPECT_EQ(child<TqzTimeEdit>("timeEditBelirtilenSure")->time(), "15:00");
    EXPECT_EQ(child<TqzDateEdit>("dateEditBelirtilenSure")->date(), QDate(2026, 3, 10));
    EXPECT_TRUE(child<TqzTimeEdit>("TimeeditSuandanitibaren")->isEnabled());
    EXPECT_FALSE(child<TqzTimeEdit>("qzTimeEdit1")->isEnabled());
    EXPECT_EQ(w.activeLanguage(), 2);
    EXPECT_EQ(child<TqzLabel>("lblislem")->caption(), " will shutdown after ");
    EXPECT_EQ(child<TqzLabel>("lbltarihEn")->caption(), "30 Minutes ");
    // Stay-on-top went off with nothing stored; reminders stay on, so the first task warns.
    EXPECT_FALSE(w.stayOnTop());
    EXPECT_TRUE(w.task().remindersEnabled());
    EXPECT_EQ(stored("swBildirim"), "1");
    EXPECT_FALSE(logon->entry.has_value());
}

TEST_F(AnaformTest, StoredEverydayTaskIsArmedAgainAtShow) {
    store("hergun", "1");
    store("saat", "07:15");
    store("gorev", "restart");
    store("dil", "2");
    TAnaform& w = start(QDateTime(QDate(2026, 3, 10), QTime(6, 0)));

    EXPECT_TRUE(w.task().isArmed());
    EXPECT_TRUE(w.task().isTicking());
    EXPECT_EQ(w.selectedMode(), TriggerMode::Everyday);
    EXPECT_EQ(w.selectedAction(), PowerAction::Restart);
    EXPECT_EQ(child<TqzTimeEdit>("qzTimeEdit1")->time(), "07:15");
    EXPECT_EQ(w.task().countdown().endTime(), QDateTime(QDate(2026, 3, 10), QTime(7, 15)));
    auto* startStop = child<TqzGlyphButton>("btnStartStop");
    EXPECT_EQ(startStop->glyphKind(), TqzGlyphButton::qzbgkCancel);
    EXPECT_EQ(startStop->caption(), "Stop Progress");
    // The sentence describes the task that now runs.
    EXPECT_EQ(child<TqzLabel>("lblislem")->caption(), " will restart everyday at ");
}

// A stored task the system can no longer carry out is said so at the start, not dropped
// without a word.
TEST_F(AnaformTest, StoredEverydayTaskThatCannotBeArmedAgainIsSaidSo) {
    store("hergun", "1");
    store("saat", "07:15");
    store("gorev", "sleep");
    store("dil", "2");
    TAnaform& w = create(QDateTime(QDate(2026, 3, 10), QTime(6, 0)));
    power->impossible.emplace_back("canHibernate", "CanHibernate: na");
    w.show();
    EXPECT_FALSE(w.task().isArmed());
    EXPECT_EQ(w.selectedMode(), TriggerMode::Everyday); // the task is shown, to arm otherwise
    ASSERT_EQ(prompts->errors.size(), 1u);
    EXPECT_EQ(prompts->errors[0].text,
              "Sleep is not possible on this computer now. The system answered:\nCanHibernate: na");
}

TEST_F(AnaformTest, EverydayTaskPastItsTimeTodayIsArmedForTomorrow) {
    store("hergun", "1");
    store("saat", "07:15");
    store("gorev", "lock");
    TAnaform& w = start(QDateTime(QDate(2026, 3, 10), QTime(7, 15)));
    EXPECT_EQ(w.task().countdown().endTime(), QDateTime(QDate(2026, 3, 11), QTime(7, 15)));
}

TEST_F(AnaformTest, WithoutTheEverydayFlagTheStoredActionGivesWayToShutdownAtShow) {
    store("gorev", "lock");
    store("hergun", "0");
    TAnaform& w = create();
    EXPECT_EQ(w.selectedAction(), PowerAction::Lock); // pressed by the settings load
    w.show();
    EXPECT_EQ(w.selectedAction(), PowerAction::Shutdown);
    EXPECT_FALSE(w.task().isArmed());
}

struct DamagedTask {
    const char* saat;
    const char* gorev;
};

class DamagedEverydayTask : public AnaformTest,
                            public ::testing::WithParamInterface<DamagedTask> {};

// The user never set a midnight task, nor a shutdown in place of an unreadable action.
TEST_P(DamagedEverydayTask, IsNotArmedAgain) {
    store("hergun", "1");
    store("saat", GetParam().saat);
    store("gorev", GetParam().gorev);
    TAnaform& w = start();
    EXPECT_FALSE(w.task().isArmed());
    EXPECT_EQ(w.selectedMode(), TriggerMode::FromNow);
    EXPECT_EQ(w.selectedAction(), PowerAction::Shutdown);
    destroyWindow();
    // The stored flag follows the task: nothing could be armed, so nothing is re-armed.
    EXPECT_EQ(stored("hergun"), "0");
}

INSTANTIATE_TEST_SUITE_P(Stored, DamagedEverydayTask,
                         ::testing::Values(DamagedTask{"7x:1", "restart"},
                                           DamagedTask{"", "restart"},
                                           DamagedTask{"07:15", "Restart"},
                                           DamagedTask{"07:15", ""}));

TEST_F(AnaformTest, FormShowRunsOnceAcrossHideAndShow) {
    store("gorev", "lock");
    TAnaform& w = start();
    child<TqzButton>("btnLock")->setDown(true);
    w.hide();
    w.show();
    EXPECT_EQ(w.selectedAction(), PowerAction::Lock);
}

TEST_F(AnaformTest, RefusedLogonEntryAtStartIsShownOnceAndTheStartGoesOn) {
    store("swBaslangic", "1");
    store("swBildirim", "0");
    store("dil", "1");
    logon->registerFails = true;
    store("hergun", "1");
    store("saat", "07:15");
    store("gorev", "restart");
    TAnaform& w = start();

    ASSERT_EQ(prompts->errors.size(), 1u);
    EXPECT_EQ(prompts->errors[0].text, "Failed to set data for 'ZE Zivuzoziz'");
    EXPECT_TRUE(w.isVisible());
    // The language, the switches and the stored task all took effect.
    EXPECT_EQ(w.activeLanguage(), 1);
    EXPECT_FALSE(w.task().remindersEnabled());
    EXPECT_TRUE(w.task().isArmed());
    EXPECT_EQ(w.selectedAction(), PowerAction::Restart);
    destroyWindow();
    for (const auto& [name, text] : std::map<std::string, std::string>{{"swBaslangic", "1"},
                                                                       {"swBildirim", "0"},
                                                                       {"dil", "1"},
                                                                       {"hergun", "1"},
                                                                       {"saat", "07:15"},
                                                                       {"gorev", "restart"}})
        EXPECT_EQ(stored(name), text) << name;
}

TEST_F(AnaformTest, SwitchesFromTheStoreTakeEffectAtShow) {
    store("swUstte", "1");
    store("swBildirim", "1");
    store("swBaslangic", "1");
    TAnaform& w = start();
    EXPECT_TRUE(w.stayOnTop());
    EXPECT_TRUE(w.task().remindersEnabled());
    EXPECT_EQ(logon->entry, "/opt/qz/qzscheduler");
}

TEST_F(AnaformTest, DestroyingTheWindowSavesTheSettings) {
    TAnaform& w = start();
    child<TqzButton>("btnSleep")->setDown(true);
    child<TqzSwitch>("swUstte")->setOn(true);
    registry->values.erase("gorev");
    (void)w;
    destroyWindow();
    EXPECT_EQ(stored("gorev"), "sleep");
    EXPECT_EQ(stored("swUstte"), "1");
    EXPECT_EQ(stored("dil"), "2");
}

TEST(runGuarded, ShowsAnEscapingErrorInTheErrorBoxAndGoesOn) {
    RecordingPrompts prompts;
    EXPECT_TRUE(runGuarded(prompts, nullptr, [] {}));
    EXPECT_FALSE(runGuarded(prompts, nullptr, [] { throw std::runtime_error("disk full"); }));
    EXPECT_FALSE(runGuarded(prompts, nullptr, [] { throw 42; }));
    ASSERT_EQ(prompts.errors.size(), 2u);
    EXPECT_EQ(prompts.errors[0].title, "QZ Duvodoro Ruruzovad");
    EXPECT_EQ(prompts.errors[0].text, "disk full");
    EXPECT_EQ(prompts.errors[1].text, "Unknown error");
}

// Choosing the action and the everyday trigger, arming and stopping store what the next
// start needs at once. A passing choice of "Everyday" registers no logon start; an armed
// everyday task does, and the run-at-logon switch shows it.
TEST_F(AnaformTest, EachChoiceOfTheTaskIsStoredAtOnceAndTheSwitchShowsTheTruth) {
    store("gorev", "shutdown");
    TAnaform& w = start();
    QTest::mouseClick(child<TqzButton>("btnLock"), Qt::LeftButton);
    EXPECT_EQ(stored("gorev"), "lock");

    logon->registerFails = true; // a refusal would be told at once
    QTest::mouseClick(child<TqzRadioButton>("radiohergun"), Qt::LeftButton);
    EXPECT_EQ(stored("saat"), "23:00");
    EXPECT_EQ(stored("swBaslangic"), "0");
    EXPECT_EQ(logon->entry, std::nullopt);
    EXPECT_FALSE(child<TqzSwitch>("swBaslangic")->isOn());
    EXPECT_TRUE(prompts->errors.empty());
    logon->registerFails = false;

    w.btnStartStopClick();
    EXPECT_EQ(stored("hergun"), "1");
    EXPECT_EQ(stored("swBaslangic"), "1");
    EXPECT_EQ(logon->entry, "/opt/qz/qzscheduler");
    EXPECT_TRUE(child<TqzSwitch>("swBaslangic")->isOn());
    EXPECT_EQ(logon->registerCalls, 1); // shown without its handler registering again
    w.btnStartStopClick();
    EXPECT_EQ(stored("hergun"), "0");
}

// Turning the start at logon off while its entry cannot be removed is told: the program
// would start at the next logon all the same. At the start the switch's state is applied
// without a word, as before.
TEST_F(AnaformTest, LogonEntryThatCannotBeRemovedIsSaidSo) {
    store("swBaslangic", "1");
    store("dil", "2");
    start();
    ASSERT_EQ(logon->entry, "/opt/qz/qzscheduler");
    auto* logonSwitch = child<TqzSwitch>("swBaslangic");
    logon->unregisterFails = true;
    logonSwitch->setOn(false);
    ASSERT_EQ(prompts->errors.size(), 1u);
    EXPECT_EQ(prompts->errors[0].text,
              "The start at logon could not be turned off; the program may still start at the "
              "next logon");
    EXPECT_EQ(stored("swBaslangic"), "0"); // the choice is kept; the entry is what failed
    destroyWindow();

    start(); // off, with the entry still there: applied silently
    EXPECT_TRUE(prompts->errors.empty());
    logon->unregisterFails = false;
    child<TqzSwitch>("swBaslangic")->setOn(true);
    child<TqzSwitch>("swBaslangic")->setOn(false);
    EXPECT_EQ(logon->entry, std::nullopt);
    EXPECT_TRUE(prompts->errors.empty());
}

// A click on "Everyday" in passing, then "From Now": nothing turns the logon start on, and
// nothing does at the end either.
TEST_F(AnaformTest, PassingEverydayChoiceRegistersNothing) {
    start();
    QTest::mouseClick(child<TqzRadioButton>("radiohergun"), Qt::LeftButton);
    QTest::mouseClick(child<TqzRadioButton>("radioSuandanitibaren"), Qt::LeftButton);
    destroyWindow();
    EXPECT_EQ(stored("swBaslangic"), "0");
    EXPECT_EQ(logon->entry, std::nullopt);
    EXPECT_EQ(logon->registerCalls, 0);
}

// "Everyday" still chosen when the program ends registers the logon start, as an everyday
// task needs it to be armed again.
TEST_F(AnaformTest, EverydayChosenAtTheEndRegistersTheLogonStart) {
    start();
    QTest::mouseClick(child<TqzRadioButton>("radiohergun"), Qt::LeftButton);
    destroyWindow();
    EXPECT_EQ(stored("swBaslangic"), "1");
    EXPECT_EQ(logon->entry, "/opt/qz/qzscheduler");
}

// A save the store refuses is told, box and notification, once until a save succeeds.
TEST_F(AnaformTest, FailedSaveIsToldOnceUntilASaveSucceeds) {
    TAnaform& w = start();
    registry->writesBeforeRefusal = int(registry->writeLog.size());
    QTest::mouseClick(child<TqzButton>("btnLock"), Qt::LeftButton);
    QTest::mouseClick(child<TqzButton>("btnrestart"), Qt::LeftButton);
    ASSERT_EQ(prompts->errors.size(), 1u);
    EXPECT_EQ(prompts->errors[0].text, w.messageString(QStringLiteral("23")));
    EXPECT_EQ(reminders, std::vector<QString>{prompts->errors[0].text});

    registry->writesBeforeRefusal = -1;
    QTest::mouseClick(child<TqzButton>("btnLock"), Qt::LeftButton);
    EXPECT_EQ(stored("gorev"), "lock");
    registry->writesBeforeRefusal = int(registry->writeLog.size());
    QTest::mouseClick(child<TqzButton>("btnrestart"), Qt::LeftButton);
    EXPECT_EQ(prompts->errors.size(), 2u);
}

// The language is stored as soon as it is chosen, like every other choice.
TEST_F(AnaformTest, LanguageChoiceIsStoredAtOnce) {
    store("dil", "2");
    TAnaform& w = start();
    child<TqzComboBox>("cmbDil")->setItemIndex(0);
    EXPECT_EQ(w.activeLanguage(), 1);
    EXPECT_EQ(stored("dil"), "1");
}

} // namespace
} // namespace qz::test
