// Orders and failure semantics of the store that only a fake can provoke step by step.

#include "fake_registry.h"
#include "model_window.h"
#include "settings/settings_store.h"

#include <gtest/gtest.h>

namespace qz::test {
namespace {

using Log = std::vector<std::string>;

class StoreRules : public ::testing::Test {
protected:
    std::shared_ptr<FakeRegistryState> key = std::make_shared<FakeRegistryState>();
    std::shared_ptr<FakeRunAtStartupState> run = std::make_shared<FakeRunAtStartupState>();
    SettingsStore store{std::make_unique<FakeRegistry>(key),
                        std::make_unique<FakeRunAtStartup>(run), "/opt/qz/qzscheduler"};
    ModelWindow window{store};

    void prepareEverydaySave() {
        window.notifications = true;
        window.stayOnTop = false;
        window.everyday = true;
        window.everydayTime = "07:15";
        window.downAction = "restart";
        window.comboIndex = 0;
        store.setEverydayFlag("1");
    }
};

// One record; with "Everyday" checked it stores run-at-startup as on.
const Log kEverydaySaveWrites{"swBildirim=1", "swUstte=0",     "swBaslangic=1", "hergun=1",
                              "saat=07:15",   "gorev=restart", "dil=1"};

TEST_F(StoreRules, EverydaySaveStoresTheRecordThenShowsAndRegistersTheLogonStart) {
    prepareEverydaySave();
    store.SaveSettings(window);
    EXPECT_EQ(key->writeLog, kEverydaySaveWrites);
    EXPECT_EQ(run->entry, "/opt/qz/qzscheduler");
    // The switch on the screen follows what was stored, without a handler or a second save.
    EXPECT_TRUE(window.runAtStartup);
    EXPECT_EQ(window.log, Log{"show swBaslangic on"});
}

TEST_F(StoreRules, RefusedRecordRegistersNothingAndChangesNoSwitch) {
    prepareEverydaySave();
    for (int allowed = 0; allowed < int(kEverydaySaveWrites.size()); ++allowed) {
        SCOPED_TRACE(allowed);
        key->writeLog.clear();
        key->values.clear();
        run->entry.reset();
        window.runAtStartup = false;
        key->writesBeforeRefusal = allowed;
        store.SaveSettings(window);
        EXPECT_EQ(key->writeLog,
                  Log(kEverydaySaveWrites.begin(), kEverydaySaveWrites.begin() + allowed));
        EXPECT_EQ(run->entry, std::nullopt);
        EXPECT_FALSE(window.runAtStartup);
    }
}

TEST_F(StoreRules, FailedLogonEntryIsReportedOnceAndCostsNoStoredValue) {
    prepareEverydaySave();
    run->registerFails = true;
    store.SaveSettings(window);
    EXPECT_EQ(key->writeLog, kEverydaySaveWrites);
    EXPECT_EQ(window.errors, Log{"Failed to set data for 'ZE Zivuzoziz'"});
    store.SaveSettings(window); // the same refusal again: not told twice
    EXPECT_EQ(window.errors.size(), 1u);

    run->registerFails = false; // a success, then a new refusal is told again
    store.SaveSettings(window);
    run->registerFails = true;
    store.SaveSettings(window);
    EXPECT_EQ(window.errors.size(), 2u);
}

TEST_F(StoreRules, RunAtStartupHandlerReportsARefusalAndStillSaves) {
    window.runAtStartup = true;
    run->registerFails = true;
    EXPECT_NO_THROW(store.swBaslangicChangeState(window));
    EXPECT_EQ(window.errors, Log{"Failed to set data for 'ZE Zivuzoziz'"});
    EXPECT_EQ(key->values["swBaslangic"].text, "1");

    window.runAtStartup = false;
    run->entry = "/somewhere/else";
    store.swBaslangicChangeState(window);
    EXPECT_EQ(run->entry, std::nullopt);
    EXPECT_EQ(key->values["swBaslangic"].text, "0");
}

TEST_F(StoreRules, RefusedLogonEntryDuringLoadIsReportedAndTheLoadGoesOn) {
    key->values["swBaslangic"] = {true, "1"};
    key->values["swBildirim"] = {true, "0"};
    key->values["dil"] = {true, "1"};
    key->values["hergun"] = {true, "1"};
    run->registerFails = true;
    EXPECT_NO_THROW(store.LoadSettings(window));
    EXPECT_EQ(window.log, (Log{"swUstte off", "swBaslangic on", "swBildirim off", "language 1"}));
    EXPECT_EQ(window.errors.size(), 1u);
    EXPECT_EQ(store.everydayFlag(), "1");
    EXPECT_EQ(key->values["dil"].text, "1");
    EXPECT_EQ(key->values["swBildirim"].text, "0");
    EXPECT_EQ(key->values["hergun"].text, "1");
}

TEST_F(StoreRules, LoadSavesOnceWithEverythingApplied) {
    key->values["swUstte"] = {true, "0"};
    key->values["swBaslangic"] = {true, "1"};
    key->values["swBildirim"] = {true, "0"};
    key->values["dil"] = {true, "1"};
    key->values["gorev"] = {true, "sleep"};
    store.LoadSettings(window);
    EXPECT_EQ(window.log, (Log{"press sleep", "click sleep", "swUstte off", "swBaslangic on",
                               "swBildirim off", "language 1"}));
    EXPECT_EQ(key->writeLog, (Log{"swBildirim=0", "swUstte=0", "swBaslangic=1",
                                  "hergun=", "gorev=sleep", "dil=1"}));
    EXPECT_EQ(run->entry, "/opt/qz/qzscheduler");
}

TEST_F(StoreRules, UnopenableKeyTouchesNothing) {
    key->values["swUstte"] = {true, "0"};
    key->openFails = true;
    store.LoadSettings(window);
    store.SaveSettings(window);
    EXPECT_EQ(window.log, Log{});
    EXPECT_EQ(key->writeLog, Log{});

    key->openFails = false;
    key->readsFail = true;
    store.LoadSettings(window);
    EXPECT_EQ(window.log, Log{});
}

} // namespace
} // namespace qz::test
