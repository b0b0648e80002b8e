#include "tray/tray_clicks.h"

#include <gtest/gtest.h>

#include <vector>

namespace qz {
namespace {

using Action = TrayClicks::Action;
using Click = TrayClicks::Click;

constexpr int kInterval = 400;

struct Step {
    Click click;
    qint64 at;
};

struct ClickCase {
    const char* name;
    bool shownAtStart;
    std::vector<Step> steps;
    std::vector<bool> changes; // each time the window is shown (true) or hidden (false)
};

void PrintTo(const ClickCase& c, std::ostream* os) {
    *os << c.name;
}

// Plays the clicks against a window that follows the actions, firing the waiting to-tray
// when its time comes between clicks, and records every change of the window.
std::vector<bool> play(const ClickCase& c) {
    TrayClicks clicks(kInterval);
    bool shown = c.shownAtStart;
    std::vector<bool> changes;
    auto apply = [&](Action action) {
        const bool next = action == Action::Restore  ? true
                          : action == Action::ToTray ? false
                                                     : shown;
        if (next != shown)
            changes.push_back(next);
        shown = next;
    };
    auto runUntil = [&](qint64 now) {
        const qint64 due = clicks.pendingUntil();
        if (due >= 0 && due <= now)
            apply(clicks.due(due));
    };
    for (const Step& step : c.steps) {
        runUntil(step.at);
        apply(clicks.click(step.click, step.at, shown));
    }
    runUntil(c.steps.back().at + 10 * kInterval);
    EXPECT_EQ(clicks.pendingUntil(), -1);
    return changes;
}

class TrayClickSequences : public ::testing::TestWithParam<ClickCase> {};

TEST_P(TrayClickSequences, ADoubleClickNeverHidesTheWindowOnTheWay) {
    const ClickCase& c = GetParam();
    EXPECT_EQ(play(c), c.changes);
}

INSTANTIATE_TEST_SUITE_P(
    Hosts, TrayClickSequences,
    ::testing::Values(
        // X11 tray: each press is a click, the second press also a double-click.
        ClickCase{"X11DoubleClickWhileShown",
                  true,
                  {{Click::Single, 0}, {Click::Single, 150}, {Click::Double, 150}},
                  {}},
        ClickCase{"X11DoubleClickWhileHidden",
                  false,
                  {{Click::Single, 0}, {Click::Single, 150}, {Click::Double, 150}},
                  {true}},
        // Windows: the click on the first release, the double-click on the second press.
        ClickCase{
            "WindowsDoubleClickWhileShown", true, {{Click::Single, 0}, {Click::Double, 120}}, {}},
        // A host that only reports activations.
        ClickCase{"ActivationsOnlyDoubleWhileShown",
                  true,
                  {{Click::Single, 0}, {Click::Single, 200}},
                  {}},
        ClickCase{"SingleClickWhileShownGoesToTheTray", true, {{Click::Single, 0}}, {false}},
        ClickCase{"SingleClickWhileHiddenComesBack", false, {{Click::Single, 0}}, {true}},
        ClickCase{"TwoSeparateClicksToggleTwice",
                  true,
                  {{Click::Single, 0}, {Click::Single, kInterval + 100}},
                  {false, true}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TrayClicks, SeparateClicksToggleAndTheToTrayWaitsOutTheInterval) {
    TrayClicks clicks(kInterval);
    EXPECT_EQ(clicks.click(Click::Single, 1000, true), Action::None);
    EXPECT_EQ(clicks.pendingUntil(), 1000 + kInterval);
    EXPECT_EQ(clicks.due(1000 + kInterval - 1), Action::None);
    EXPECT_EQ(clicks.due(1000 + kInterval), Action::ToTray);
    EXPECT_EQ(clicks.due(5000), Action::None); // only once
    EXPECT_EQ(clicks.click(Click::Single, 5000, false), Action::Restore);
    EXPECT_EQ(clicks.pendingUntil(), -1);
}

} // namespace
} // namespace qz
