// Orders and failure semantics of the store that only a fake can provoke step by step.

#include "fake_registry.h"
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

    static SettingsRecord everydayRecord() {
        SettingsRecord r;
        r.notifications = true;
        r.runAtStartup = true;
        r.everydayFlag = "1";
        r.everydayTime = "07:15";
        r.action = PowerAction::Restart;
        r.language = 1;
        return r;
    }
};

// One record, in the order of the values.
const Log kEverydaySaveWrites{"swBildirim=1", "swUstte=0",     "swBaslangic=1", "hergun=1",
                              "saat=07:15",   "gorev=restart", "dil=1"};

TEST_F(StoreRules, SaveWritesOneRecordAndTouchesNoLogonEntry) {
    EXPECT_TRUE(store.save(everydayRecord()));
    EXPECT_EQ(key->writeLog, kEverydaySaveWrites);
    EXPECT_EQ(run->entry, std::nullopt);
}

TEST_F(StoreRules, RefusedRecordIsToldWhereverItStops) {
    for (int allowed = 0; allowed < int(kEverydaySaveWrites.size()); ++allowed) {
        SCOPED_TRACE(allowed);
        key->writeLog.clear();
        key->values.clear();
        key->writesBeforeRefusal = allowed;
        EXPECT_FALSE(store.save(everydayRecord()));
        EXPECT_EQ(key->writeLog,
                  Log(kEverydaySaveWrites.begin(), kEverydaySaveWrites.begin() + allowed));
    }
}

TEST_F(StoreRules, RefusedLogonEntryIsThrownWithTheSystemsWords) {
    run->registerFails = true;
    try {
        store.RegisterRunAtStartup();
        ADD_FAILURE() << "no error";
    } catch (const RunAtStartupError& e) {
        EXPECT_STREQ(e.what(), "Failed to set data for 'ZE Zivuzoziz'");
    }
    run->entry = "/somewhere/else";
    EXPECT_TRUE(store.UnregisterRunAtStartup());
    EXPECT_EQ(run->entry, std::nullopt);
}

TEST_F(StoreRules, UnreadableKeyGivesAnIncompleteLoadWithTheEverydayValuesReadSoFar) {
    key->values["swUstte"] = {true, "1"};
    key->openFails = true;
    EXPECT_FALSE(store.load().complete);
    EXPECT_FALSE(store.save(everydayRecord()));
    EXPECT_EQ(key->writeLog, Log{});

    key->openFails = false;
    key->readsFail = true;
    const StoredSettings s = store.load();
    EXPECT_FALSE(s.complete);
    EXPECT_FALSE(s.stayOnTop);
}

} // namespace
} // namespace qz::test
