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

const Log kEverydaySaveWrites{"swBildirim=1",  "swUstte=0",  "swBaslangic=0", "hergun=1",
                              "swBaslangic=1", "saat=07:15", "gorev=restart", "dil=1"};

TEST_F(StoreRules, SaveWritesInItsOrderAndRegistersAfterSaat) {
    prepareEverydaySave();
    store.SaveSettings(window);
    EXPECT_EQ(key->writeLog, kEverydaySaveWrites);
    EXPECT_EQ(run->entry, "/opt/qz/qzscheduler");
}

TEST_F(StoreRules, RefusedWriteKeepsEarlierWritesAndSkipsTheRest) {
    prepareEverydaySave();
    for (int allowed = 0; allowed < int(kEverydaySaveWrites.size()); ++allowed) {
        SCOPED_TRACE(allowed);
        key->writeLog.clear();
        key->values.clear();
        run->entry.reset();
        key->writesBeforeRefusal = allowed;
        store.SaveSettings(window);
        EXPECT_EQ(key->writeLog,
                  Log(kEverydaySaveWrites.begin(), kEverydaySaveWrites.begin() + allowed));
        // The logon entry comes after saat, the sixth write.
        EXPECT_EQ(run->entry.has_value(), allowed >= 6);
    }
}

TEST_F(StoreRules, FailedLogonEntryEndsTheSaveBeforeGorev) {
    prepareEverydaySave();
    run->registerFails = true;
    store.SaveSettings(window);
    EXPECT_EQ(key->writeLog, Log(kEverydaySaveWrites.begin(), kEverydaySaveWrites.begin() + 6));
}

TEST_F(StoreRules, RunAtStartupHandlerLetsTheErrorEscapeAndSkipsItsSave) {
    window.runAtStartup = true;
    run->registerFails = true;
    try {
        store.swBaslangicChangeState(window);
        ADD_FAILURE() << "no error raised";
    } catch (const RunAtStartupError& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'ZE Zivuzoziz'");
    }
    EXPECT_EQ(key->writeLog, Log{});

    window.runAtStartup = false;
    run->entry = "/somewhere/else";
    store.swBaslangicChangeState(window);
    EXPECT_EQ(run->entry, std::nullopt);
    EXPECT_EQ(key->values["swBaslangic"].text, "0");
}

TEST_F(StoreRules, ErrorInAHandlerDuringLoadEndsTheLoadQuietly) {
    key->values["swBaslangic"] = {true, "1"};
    key->values["dil"] = {true, "1"};
    run->registerFails = true;
    EXPECT_NO_THROW(store.LoadSettings(window));
    // swUstte was set, swBaslangic's handler failed; swBildirim and the language never ran.
    EXPECT_EQ(window.log, (Log{"swUstte off", "swBaslangic on"}));
    EXPECT_TRUE(window.notifications);
    EXPECT_EQ(window.comboIndex, -1);
    // The half-applied window is not saved over what the key holds.
    EXPECT_EQ(key->writeLog, Log{});
    EXPECT_EQ(key->values["dil"].text, "1");
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
