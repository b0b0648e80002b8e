#include "widgets/slide_math.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct SwitchRun {
    std::vector<int> lefts; // left edge after each tick, the arriving tick included
};

SwitchRun runSwitch(int width, int thumb, int start, bool towardsRight) {
    SwitchRun run;
    int left = start;
    for (int tick = 0; tick < 100; ++tick) {
        const qz::SwitchSlideTick t = qz::switchSlideTick(width, thumb, left, towardsRight);
        left = t.left;
        run.lefts.push_back(left);
        if (t.arrived)
            break;
    }
    return run;
}

TEST(SwitchSlide, OffToOnRunsTheKnownSequenceAndFlipsOnTheEleventhTick) {
    const SwitchRun run = runSwitch(44, 20, 0, true);
    const std::vector<int> expected{8, 16, 17, 18, 19, 20, 21, 22, 23, 24, 24};
    EXPECT_EQ(run.lefts, expected);
    // Tick 10 reaches the end without arriving; only tick 11 reports arrival.
    EXPECT_FALSE(qz::switchSlideTick(44, 20, 23, true).arrived);
    EXPECT_TRUE(qz::switchSlideTick(44, 20, 24, true).arrived);
}

TEST(SwitchSlide, OnToOffMirrorsIt) {
    const SwitchRun run = runSwitch(44, 20, 24, false);
    const std::vector<int> expected{16, 8, 7, 6, 5, 4, 3, 2, 1, 0, 0};
    EXPECT_EQ(run.lefts, expected);
}

TEST(SwitchSlide, WiderSwitchStillEndsExactlyAtItsEnd) {
    const SwitchRun run = runSwitch(80, 20, 0, true);
    EXPECT_EQ(run.lefts.back(), 60);
    EXPECT_LT(run.lefts.size(), 30u);
}

TEST(SwitchDrag, MiddleRuleDependsOnTheState) {
    struct Case {
        bool on;
        double centre;
        bool completes;
    } cases[] = {
        {false, 21.9, false}, {false, 22.0, true}, {false, 34.0, true},
        {true, 22.0, true},   {true, 22.1, false}, {true, 10.0, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(qz::switchDragCompletes(c.on, c.centre, 44), c.completes)
            << "on=" << c.on << " centre=" << c.centre;
}

std::vector<int> runPanel(int from, bool opening, int minStep) {
    std::vector<int> widths{from};
    int w = from;
    while ((opening && w < 200) || (!opening && w > 0)) {
        w = opening ? qz::splitViewOpeningWidth(w, 200, 0, minStep)
                    : qz::splitViewClosingWidth(w, 200, 0, minStep);
        widths.push_back(w);
        if (widths.size() > 300)
            break;
    }
    return widths;
}

TEST(SplitViewSlide, OpeningAt96DpiTakesTwentyFiveTicks) {
    std::vector<int> expected{0,   100, 116, 130, 141, 150, 158, 165, 170,
                              175, 179, 182, 185, 187, 189, 190, 191};
    for (int w = 192; w <= 200; ++w)
        expected.push_back(w);
    EXPECT_EQ(runPanel(0, true, 1), expected);
    EXPECT_EQ(expected.size() - 1, 25u);
}

TEST(SplitViewSlide, ClosingAt96DpiTakesTwentyFourTicks) {
    std::vector<int> expected{200, 134, 90, 60, 50, 42, 35, 30, 25, 21, 18, 15, 13, 11, 10};
    for (int w = 9; w >= 0; --w)
        expected.push_back(w);
    EXPECT_EQ(runPanel(200, false, 1), expected);
    EXPECT_EQ(expected.size() - 1, 24u);
}

TEST(SplitViewSlide, StepFloorFollowsTheScaleAndNeverOvershoots) {
    // At scale 2 the creeping tail moves 2 px per tick and still stops exactly.
    EXPECT_EQ(qz::splitViewOpeningWidth(191, 200, 0, 2), 193);
    EXPECT_EQ(qz::splitViewOpeningWidth(199, 200, 0, 2), 200);
    EXPECT_EQ(qz::splitViewClosingWidth(9, 200, 0, 2), 7);
    EXPECT_EQ(qz::splitViewClosingWidth(1, 200, 0, 2), 0);
    // A reversal picks up from any width: closing from mid-way, opening from mid-way.
    EXPECT_EQ(qz::splitViewClosingWidth(130, 200, 0, 1), 87);
    EXPECT_EQ(qz::splitViewOpeningWidth(42, 200, 0, 1), 142);
    // A compact width above zero is the closing floor.
    EXPECT_EQ(qz::splitViewClosingWidth(42, 200, 40, 1), 41);
    EXPECT_EQ(qz::splitViewClosingWidth(41, 200, 40, 1), 40);
}

} // namespace
