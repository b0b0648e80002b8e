// The controller applies the stored settings in their order, saves once for the switches'
// saves held meanwhile, tells a refused logon entry once, and keeps the plan and the task
// together whatever sends the command. No window: its signals are logged as a window would
// show them.
#include "app/controller/task_controller.h"
#include "settings/fake_registry.h"
#include "support/manual_clock.h"

#include <gtest/gtest.h>

namespace qz::test {
namespace {

using Log = std::vector<std::string>;

const char* switchName(SettingsSwitch which) {
    switch (which) {
    case SettingsSwitch::Notifications:
        return "swBildirim";
    case SettingsSwitch::StayOnTop:
        return "swUstte";
    case SettingsSwitch::RunAtStartup:
        break;
    }
    return "swBaslangic";
}

class TaskControllerTest : public ::testing::Test {
protected:
    TaskControllerTest() {
        QObject::connect(&controller, &TaskController::planChanged, [this](const Plan& p) {
            log.push_back("plan " + std::string(namesOf(p.action).stored));
        });
        QObject::connect(&controller, &TaskController::switchChanged,
                         [this](SettingsSwitch which, bool on) {
                             log.push_back(std::string(switchName(which)) + (on ? " on" : " off"));
                         });
        QObject::connect(&controller, &TaskController::languageChanged, [this](int language) {
            log.push_back("language " + std::to_string(language));
        });
        QObject::connect(&controller, &TaskController::logonEntryFailed,
                         [this](const QString& reason) { errors.push_back(reason.toStdString()); });
    }

    std::shared_ptr<FakeRegistryState> key = std::make_shared<FakeRegistryState>();
    std::shared_ptr<FakeRunAtStartupState> run = std::make_shared<FakeRunAtStartupState>();
    ManualClock clock{QDateTime(QDate(2026, 3, 10), QTime(14, 25))};
    TaskController controller{clock, nullptr, nullptr,
                              std::make_unique<SettingsStore>(
                                  std::make_unique<FakeRegistry>(key),
                                  std::make_unique<FakeRunAtStartup>(run), "/opt/qz/qzscheduler")};
    Log log;
    Log errors;
};

TEST_F(TaskControllerTest, AppliesInOrderAndSavesOnceWithEverythingApplied) {
    key->values["swUstte"] = {true, "0"};
    key->values["swBaslangic"] = {true, "1"};
    key->values["swBildirim"] = {true, "0"};
    key->values["dil"] = {true, "1"};
    key->values["gorev"] = {true, "sleep"};
    controller.create(2);
    EXPECT_EQ(log, (Log{"plan sleep", "swUstte off", "swBaslangic on", "swBildirim off",
                        "language 1", "plan sleep"}));
    EXPECT_EQ(key->writeLog, (Log{"swBildirim=0", "swUstte=0", "swBaslangic=1",
                                  "hergun=", "gorev=sleep", "dil=1"}));
    EXPECT_EQ(run->entry, "/opt/qz/qzscheduler");
}

TEST_F(TaskControllerTest, FirstStartTakesTheSystemsLanguageAndSavesOnce) {
    controller.create(1);
    EXPECT_EQ(log, (Log{"swUstte off", "language 1", "plan shutdown"}));
    EXPECT_EQ(key->writeLog, (Log{"swBildirim=1", "swUstte=0", "swBaslangic=0",
                                  "hergun=", "gorev=shutdown", "dil=1"}));
    EXPECT_EQ(run->entry, std::nullopt);
}

TEST_F(TaskControllerTest, UnreadableStoreAppliesAndSavesNothing) {
    key->values["swUstte"] = {true, "0"};
    key->readsFail = true;
    controller.create(1);
    EXPECT_EQ(log, Log{"plan shutdown"});
    EXPECT_EQ(key->writeLog, Log{});
}

TEST_F(TaskControllerTest, RefusedLogonEntryIsToldOnceAndTheLoadGoesOn) {
    key->values["swBaslangic"] = {true, "1"};
    key->values["swBildirim"] = {true, "0"};
    key->values["dil"] = {true, "1"};
    key->values["hergun"] = {true, "1"};
    run->registerFails = true;
    controller.create(2);
    EXPECT_EQ(log, (Log{"swUstte off", "swBaslangic on", "swBildirim off", "language 1",
                        "plan shutdown"}));
    EXPECT_EQ(errors, Log{"Failed to set data for 'ZE Zivuzoziz'"});
    EXPECT_EQ(key->values["dil"].text, "1");
    EXPECT_EQ(key->values["hergun"].text, "1");

    controller.show(); // the same refusal at the show: not told twice
    EXPECT_EQ(errors.size(), 1u);
    run->registerFails = false;
    controller.setSwitch(SettingsSwitch::RunAtStartup, false);
    controller.setSwitch(SettingsSwitch::RunAtStartup, true); // worked: a new refusal is told
    run->registerFails = true;
    controller.setSwitch(SettingsSwitch::RunAtStartup, false);
    controller.setSwitch(SettingsSwitch::RunAtStartup, true);
    EXPECT_EQ(errors.size(), 2u);
    EXPECT_EQ(key->values["swBaslangic"].text, "1"); // the switch is stored all the same
}

// Commands from every source act on the plan and the task together: a refused request
// leaves the plan as it was and shows nothing; an armed one becomes the plan and is stored;
// a postpone moves the plan with the task; a reminder's choices act on their own task only.
TEST_F(TaskControllerTest, RequestsPostponesAndRemindersKeepThePlanAndTheTaskTogether) {
    controller.create(2);
    controller.show();
    const Plan before = controller.plan();
    log.clear();
    const struct {
        PowerAction action;
        TriggerMode mode;
        const char* value;
        ArmResult result;
    } refused[] = {
        {PowerAction::Lock, TriggerMode::SpecifiedTime, "2026-03-10T14:00", ArmResult::NotInFuture},
        {PowerAction::Lock, TriggerMode::SpecifiedTime, "2026-02-30T14:00",
         ArmResult::ImpossibleDate},
        {PowerAction::Restart, TriggerMode::Everyday, "7:15", ArmResult::Unreadable},
    };
    for (const auto& r : refused) {
        EXPECT_EQ(controller.armRequest(r.action, r.mode, QString::fromLatin1(r.value)), r.result)
            << r.value;
        EXPECT_TRUE(controller.plan() == before) << r.value;
    }
    EXPECT_EQ(log, Log{});
    EXPECT_EQ(key->values["gorev"].text, "shutdown");

    ASSERT_EQ(controller.armRequest(PowerAction::Lock, TriggerMode::FromNow, "00:20"),
              ArmResult::Armed);
    EXPECT_EQ(log, Log{"plan lock"});
    EXPECT_EQ(key->values["gorev"].text, "lock");
    EXPECT_EQ(controller.armRequest(PowerAction::Restart, TriggerMode::FromNow, "00:10"),
              ArmResult::AlreadyArmed);

    const quint64 id = controller.armedTaskId();
    controller.postponeTask(id);
    EXPECT_EQ(controller.plan().fields.fromNow, QTime(0, 30));
    EXPECT_EQ(controller.task().countdown().endTime(), clock.now().addSecs(30 * 60));
    controller.postponeTask(id + 1); // another task's reminder
    controller.cancelTask(id + 1);
    EXPECT_EQ(controller.task().countdown().endTime(), clock.now().addSecs(30 * 60));
    controller.cancelTask(id);
    EXPECT_FALSE(controller.task().isArmed());
    controller.postponeTask(id); // its task has ended
    EXPECT_FALSE(controller.task().isArmed());
    EXPECT_EQ(controller.plan().fields.fromNow, QTime(0, 30));
}

} // namespace
} // namespace qz::test
