#include "store_scenarios.h"

#include "settings/settings_store.h"

#include <vector>

namespace qz::test {
namespace {

// The record a first start stores: the layout's states with stay-on-top turned off.
SettingsRecord firstStartRecord() {
    SettingsRecord r;
    r.notifications = true;
    r.language = 1;
    return r;
}

SettingsStore storeOf(StoreHarness& harness, const std::string& exe) {
    return SettingsStore(harness.registry(), harness.runAtStartup(), exe);
}

TEST_P(StoreScenarios, FirstStartReadsNothingAndStoresTheRecordWithoutSaat) {
    SettingsStore store = storeOf(*harness, harness->executablePath("Program Files"));
    const StoredSettings stored = store.load();
    EXPECT_TRUE(stored.complete);
    EXPECT_EQ(stored.action, std::nullopt);
    EXPECT_FALSE(stored.stayOnTop);
    EXPECT_FALSE(stored.runAtStartup);
    EXPECT_TRUE(stored.notifications); // nothing stored: reminders stay on
    EXPECT_EQ(stored.language, 0);
    EXPECT_EQ(stored.everydayFlag, "");
    EXPECT_EQ(stored.savedEverydayTime, "");

    EXPECT_TRUE(store.save(firstStartRecord()));
    EXPECT_EQ(harness->storedText("swBildirim"), "1");
    EXPECT_EQ(harness->storedText("swUstte"), "0");
    EXPECT_EQ(harness->storedText("swBaslangic"), "0");
    EXPECT_EQ(harness->storedText("hergun"), "");
    EXPECT_EQ(harness->storedText("gorev"), "shutdown");
    EXPECT_EQ(harness->storedText("dil"), "1");
    EXPECT_EQ(harness->storedText("saat"), std::nullopt);
    EXPECT_EQ(harness->runEntry(), std::nullopt);
}

TEST_P(StoreScenarios, EverydayRecordIsReadBackAtTheNextStart) {
    const std::string exe = harness->executablePath("Program Files");
    {
        SettingsStore store = storeOf(*harness, exe);
        SettingsRecord r = firstStartRecord();
        r.runAtStartup = true;
        r.everydayFlag = "1";
        r.everydayTime = "07:15";
        r.action = PowerAction::Suspend;
        EXPECT_TRUE(store.save(r));
        store.RegisterRunAtStartup();
    }
    EXPECT_EQ(harness->storedText("swBaslangic"), "1");
    EXPECT_EQ(harness->storedText("saat"), "07:15");
    EXPECT_EQ(harness->storedText("hergun"), "1");
    EXPECT_EQ(harness->storedText("gorev"), "waitready");
    EXPECT_EQ(harness->storedText("dil"), "1");
    EXPECT_EQ(harness->runEntry(), exe);

    const StoredSettings next = storeOf(*harness, exe).load();
    EXPECT_EQ(next.action, PowerAction::Suspend);
    EXPECT_TRUE(next.runAtStartup);
    EXPECT_EQ(next.language, 1);
    EXPECT_EQ(next.everydayFlag, "1");
    EXPECT_EQ(next.savedEverydayTime, "07:15");
}

TEST_P(StoreScenarios, LogonEntryFollowsTheProgramAndIsRemovedWhoeverWroteIt) {
    const std::string oldExe = harness->executablePath("Program Files");
    const std::string newExe = harness->executablePath("Moved Elsewhere");
    storeOf(*harness, oldExe).RegisterRunAtStartup();
    EXPECT_EQ(harness->runEntry(), oldExe);

    SettingsStore moved = storeOf(*harness, newExe);
    moved.RegisterRunAtStartup(); // as the window is shown
    EXPECT_EQ(harness->runEntry(), newExe);
    EXPECT_TRUE(moved.UnregisterRunAtStartup());
    EXPECT_EQ(harness->runEntry(), std::nullopt);

    harness->storeForeignRunEntry();
    EXPECT_TRUE(moved.UnregisterRunAtStartup());
    EXPECT_EQ(harness->runEntry(), std::nullopt);
    EXPECT_TRUE(moved.UnregisterRunAtStartup()); // nothing left to remove
    EXPECT_FALSE(storeOf(*harness, "").UnregisterRunAtStartup());
}

TEST_P(StoreScenarios, OnlyExactlyOneTurnsASwitchOn) {
    const struct {
        const char* text;
        bool on;
    } cases[] = {{"1", true},   {" 1", false}, {"1 ", false}, {"true", false},
                 {"01", false}, {"on", false}, {"", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("swUstte=\"") + c.text + "\"");
        harness->storeText("swUstte", c.text);
        EXPECT_EQ(storeOf(*harness, "/qz").load().stayOnTop, c.on);
    }
}

TEST_P(StoreScenarios, OnlyAnExactActionWordNamesAnAction) {
    const struct {
        const char* text;
        std::optional<PowerAction> action;
    } cases[] = {{"restart", PowerAction::Restart},
                 {"signout", PowerAction::Signout},
                 {"shutdown", PowerAction::Shutdown},
                 {"waitready", PowerAction::Suspend},
                 {"sleep", PowerAction::Hibernate},
                 {"Restart", std::nullopt},
                 {"SLEEP", std::nullopt},
                 {"reboot", std::nullopt},
                 {"", std::nullopt}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("gorev=\"") + c.text + "\"");
        harness->storeText("gorev", c.text);
        EXPECT_EQ(storeOf(*harness, "/qz").load().action, c.action);
    }
}

TEST_P(StoreScenarios, LanguageOtherThanOneOrTwoReadsAsNone) {
    const struct {
        const char* text;
        int language;
    } cases[] = {{"1", 1}, {"2", 2}, {"0", 0}, {"3", 0}, {"01", 0}, {" 2", 0}, {"", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("dil=\"") + c.text + "\"");
        harness->storeText("dil", c.text);
        EXPECT_EQ(storeOf(*harness, "/qz").load().language, c.language);
    }
}

TEST_P(StoreScenarios, ValueOfAnotherTypeCostsThatValueAlone) {
    // Each key in turn holds a value of another type; every other value reads as stored,
    // and the damaged one as if it were missing.
    const char* const names[] = {"swBildirim", "swUstte", "swBaslangic", "dil",
                                 "hergun",     "saat",    "gorev"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        harness->storeText("swBildirim", "0");
        harness->storeText("swUstte", "1");
        harness->storeText("swBaslangic", "1");
        harness->storeText("dil", "1");
        harness->storeText("hergun", "1");
        harness->storeText("saat", "06:30");
        harness->storeText("gorev", "lock");
        harness->storeOtherType(name);
        const std::string damaged = name;

        const StoredSettings s = storeOf(*harness, "/qz").load();
        EXPECT_TRUE(s.complete);
        EXPECT_FALSE(s.notifications); // stored "0"; a damaged value is not a missing one
        EXPECT_EQ(s.stayOnTop, damaged != "swUstte");
        EXPECT_EQ(s.runAtStartup, damaged != "swBaslangic");
        EXPECT_EQ(s.language, damaged == "dil" ? 0 : 1);
        EXPECT_EQ(s.everydayFlag, damaged == "hergun" ? "" : "1");
        EXPECT_EQ(s.savedEverydayTime, damaged == "saat" ? "" : "06:30");
        EXPECT_EQ(s.action, damaged == "gorev" ? std::nullopt
                                               : std::optional<PowerAction>(PowerAction::Lock));
    }
}

TEST_P(StoreScenarios, RefusedWriteIsToldAndKeepsWhatWasStored) {
    harness->storeText("swBildirim", "1");
    harness->storeText("gorev", "lock");
    harness->storeText("dil", "2");
    if (!harness->makeReadOnly())
        GTEST_SKIP() << "cannot make the store read-only here";

    SettingsRecord r = firstStartRecord();
    r.notifications = false;
    r.everydayFlag = "1";
    r.everydayTime = "07:00";
    EXPECT_FALSE(storeOf(*harness, "/qz").save(r));

    EXPECT_EQ(harness->storedText("swBildirim"), "1");
    EXPECT_EQ(harness->storedText("gorev"), "lock");
    EXPECT_EQ(harness->storedText("dil"), "2");
    EXPECT_EQ(harness->storedText("hergun"), std::nullopt);
    EXPECT_EQ(harness->storedText("saat"), std::nullopt);
}

} // namespace
} // namespace qz::test
