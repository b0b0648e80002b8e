#include "store_scenarios.h"

#include "model_window.h"
#include "settings/settings_store.h"

#include <vector>

namespace qz::test {
namespace {

using Log = std::vector<std::string>;

struct Session {
    explicit Session(StoreHarness& harness, const std::string& exe)
        : store(harness.registry(), harness.runAtStartup(), exe), window(store) {}
    SettingsStore store;
    ModelWindow window;
};

TEST_P(StoreScenarios, FirstStartCreatesTheLayoutsValuesWithoutSaat) {
    const std::string exe = harness->executablePath("Program Files");
    Session run(*harness, exe);
    run.window.systemDefaultLanguage = 1;
    run.store.LoadSettings(run.window);

    // Only stay-on-top differs from the layout (reminders stay on with nothing stored), and
    // its handler's save is done once, after the language is chosen.
    EXPECT_EQ(run.window.log, (Log{"swUstte off", "language 1"}));
    EXPECT_EQ(run.window.downAction, "shutdown");
    EXPECT_EQ(run.window.comboIndex, 0);
    EXPECT_EQ(run.store.everydayFlag(), "");

    EXPECT_EQ(harness->storedText("swBildirim"), "1");
    EXPECT_EQ(harness->storedText("swUstte"), "0");
    EXPECT_EQ(harness->storedText("swBaslangic"), "0");
    EXPECT_EQ(harness->storedText("hergun"), "");
    EXPECT_EQ(harness->storedText("gorev"), "shutdown");
    EXPECT_EQ(harness->storedText("dil"), "1");
    EXPECT_EQ(harness->storedText("saat"), std::nullopt);
    EXPECT_EQ(harness->runEntry(), std::nullopt);
}

TEST_P(StoreScenarios, EverydaySaveTurnsRunAtStartupOnForTheNextStart) {
    const std::string exe = harness->executablePath("Program Files");
    {
        Session run(*harness, exe);
        run.store.LoadSettings(run.window);
        run.window.everyday = true;
        run.window.everydayTime = "07:15";
        run.window.downAction = "waitready";
        run.window.comboIndex = 0;
        run.store.setEverydayFlag("1");
        run.store.SaveSettings(run.window);
        EXPECT_TRUE(run.window.runAtStartup); // the switch on screen shows what was stored
    }
    EXPECT_EQ(harness->storedText("swBaslangic"), "1");
    EXPECT_EQ(harness->storedText("saat"), "07:15");
    EXPECT_EQ(harness->storedText("hergun"), "1");
    EXPECT_EQ(harness->storedText("gorev"), "waitready");
    EXPECT_EQ(harness->storedText("dil"), "1");
    EXPECT_EQ(harness->runEntry(), exe);

    Session next(*harness, exe);
    next.store.LoadSettings(next.window);
    EXPECT_EQ(next.window.log, (Log{"press waitready", "click waitready", "swUstte off",
                                    "swBaslangic on", "language 1"}));
    // The save that ended the load kept the loaded flag.
    EXPECT_EQ(next.store.everydayFlag(), "1");
    EXPECT_EQ(harness->storedText("hergun"), "1");
    EXPECT_EQ(next.store.savedEverydayTime(), "07:15");
    EXPECT_EQ(harness->runEntry(), exe);
}

TEST_P(StoreScenarios, LogonEntryFollowsTheProgramAndIsRemovedWhoeverWroteIt) {
    const std::string oldExe = harness->executablePath("Program Files");
    const std::string newExe = harness->executablePath("Moved Elsewhere");
    harness->storeText("swBaslangic", "1");
    {
        Session run(*harness, oldExe);
        run.store.LoadSettings(run.window); // the switch's handler registers
        EXPECT_EQ(harness->runEntry(), oldExe);
    }
    Session moved(*harness, newExe);
    moved.store.LoadSettings(moved.window);
    moved.store.RegisterRunAtStartup(moved.store.executablePath()); // as the window is shown
    EXPECT_EQ(harness->runEntry(), newExe);

    moved.window.setSwitch(SettingsSwitch::RunAtStartup, false);
    EXPECT_EQ(harness->runEntry(), std::nullopt);
    EXPECT_EQ(harness->storedText("swBaslangic"), "0");

    harness->storeForeignRunEntry();
    EXPECT_TRUE(moved.store.UnregisterRunAtStartup(newExe));
    EXPECT_EQ(harness->runEntry(), std::nullopt);
    EXPECT_TRUE(moved.store.UnregisterRunAtStartup(newExe)); // nothing left to remove
    EXPECT_FALSE(moved.store.UnregisterRunAtStartup(""));
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
        Session run(*harness, harness->executablePath("Program Files"));
        run.store.LoadSettings(run.window);
        EXPECT_EQ(run.window.stayOnTop, c.on);
    }
}

TEST_P(StoreScenarios, OnlyAnExactActionWordPressesItsButton) {
    const struct {
        const char* text;
        const char* down;
        bool pressed;
    } cases[] = {{"restart", "restart", true},   {"signout", "signout", true},
                 {"shutdown", "shutdown", true}, {"Restart", "shutdown", false},
                 {"SLEEP", "shutdown", false},   {"reboot", "shutdown", false},
                 {"", "shutdown", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("gorev=\"") + c.text + "\"");
        harness->storeText("gorev", c.text);
        Session run(*harness, harness->executablePath("Program Files"));
        run.store.LoadSettings(run.window);
        EXPECT_EQ(run.window.downAction, c.down);
        EXPECT_EQ(run.window.log.front() == "press " + std::string(c.text), c.pressed);
    }
}

TEST_P(StoreScenarios, LanguageOtherThanOneOrTwoTakesTheSystemDefault) {
    const struct {
        const char* text;
        int systemDefault;
        int active;
    } cases[] = {{"1", 2, 1},  {"2", 1, 2},  {"0", 1, 1}, {"3", 1, 1},
                 {"01", 1, 1}, {" 2", 1, 1}, {"", 2, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("dil=\"") + c.text + "\"");
        harness->storeText("dil", c.text);
        Session run(*harness, harness->executablePath("Program Files"));
        run.window.systemDefaultLanguage = c.systemDefault;
        run.store.LoadSettings(run.window);
        EXPECT_EQ(run.window.activeLanguage, c.active);
        EXPECT_EQ(run.window.comboIndex, c.active - 1);
    }
}

TEST_P(StoreScenarios, ValueOfAnotherTypeCostsThatValueAlone) {
    // Each key in turn holds a value of another type; every other value is applied as
    // stored, and the damaged one as if it were missing.
    const char* const names[] = {"swBildirim", "swUstte", "swBaslangic", "dil",
                                 "hergun",     "saat",    "gorev"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        harness->storeText("swBildirim", "1");
        harness->storeText("swUstte", "0");
        harness->storeText("swBaslangic", "1");
        harness->storeText("dil", "1");
        harness->storeText("hergun", "1");
        harness->storeText("saat", "06:30");
        harness->storeText("gorev", "lock");
        harness->storeOtherType(name);
        const std::string damaged = name;

        Session run(*harness, harness->executablePath("Program Files"));
        run.window.systemDefaultLanguage = 2;
        run.store.LoadSettings(run.window);
        EXPECT_EQ(run.window.notifications, damaged != "swBildirim");
        EXPECT_FALSE(run.window.stayOnTop); // never turned on by a damaged value
        EXPECT_EQ(run.window.runAtStartup, damaged != "swBaslangic");
        EXPECT_EQ(run.window.activeLanguage, damaged == "dil" ? 2 : 1);
        EXPECT_EQ(run.store.everydayFlag(), damaged == "hergun" ? "" : "1");
        EXPECT_EQ(run.store.savedEverydayTime(), damaged == "saat" ? "" : "06:30");
        EXPECT_EQ(run.window.downAction, damaged == "gorev" ? "shutdown" : "lock");
    }
}

TEST_P(StoreScenarios, RefusedWriteEndsTheSaveSilently) {
    harness->storeText("swBildirim", "1");
    harness->storeText("gorev", "lock");
    harness->storeText("dil", "2");
    if (!harness->makeReadOnly())
        GTEST_SKIP() << "cannot make the store read-only here";

    Session run(*harness, harness->executablePath("Program Files"));
    run.window.notifications = false;
    run.window.everyday = true;
    run.window.comboIndex = 0;
    run.store.setEverydayFlag("1");
    run.store.SaveSettings(run.window); // noexcept: a refusal never reaches the window

    EXPECT_EQ(harness->storedText("swBildirim"), "1");
    EXPECT_EQ(harness->storedText("gorev"), "lock");
    EXPECT_EQ(harness->storedText("dil"), "2");
    EXPECT_EQ(harness->storedText("hergun"), std::nullopt);
    EXPECT_EQ(harness->storedText("saat"), std::nullopt);
    EXPECT_EQ(harness->runEntry(), std::nullopt);
}

} // namespace
} // namespace qz::test
