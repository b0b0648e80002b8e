#include "widgets/qz_split_view.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <vector>

namespace {

class SplitViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.resize(543, 264);
        sibling = new QWidget(&host);
        sibling->setGeometry(0, 0, 543, 264);
        panel = new TqzSplitView(&host);
        sibling->raise();
    }
    std::vector<int> run() {
        std::vector<int> widths{panel->width()};
        for (int i = 0; i < 100 && (panel->slideState() == TqzSplitView::SlideState::Opening ||
                                    panel->slideState() == TqzSplitView::SlideState::Closing);
             ++i) {
            panel->slideTick();
            widths.push_back(panel->width());
        }
        return widths;
    }
    QWidget host;
    QWidget* sibling = nullptr;
    TqzSplitView* panel = nullptr;
};

TEST_F(SplitViewTest, OpensAndClosesThroughTheKnownWidths) {
    EXPECT_EQ(panel->geometry(), QRect(543, 0, 0, 264));
    EXPECT_FALSE(panel->isEnabled());
    panel->setOpened(true);
    EXPECT_EQ(panel->slideState(), TqzSplitView::SlideState::Opening);
    EXPECT_FALSE(panel->opened());
    EXPECT_EQ(host.children().last(), panel) << "raised over the main area";

    std::vector<int> widths = run();
    const std::vector<int> head{0, 100, 116, 130, 141, 150, 158, 165, 170};
    EXPECT_TRUE(std::equal(head.begin(), head.end(), widths.begin()));
    EXPECT_EQ(widths.size(), 26u);
    EXPECT_TRUE(panel->opened());
    EXPECT_TRUE(panel->isEnabled());
    EXPECT_EQ(panel->geometry(), QRect(343, 0, 200, 264));

    panel->setOpened(false);
    widths = run();
    const std::vector<int> closing{200, 134, 90, 60, 50, 42};
    EXPECT_TRUE(std::equal(closing.begin(), closing.end(), widths.begin()));
    EXPECT_EQ(widths.size(), 25u);
    EXPECT_EQ(panel->slideState(), TqzSplitView::SlideState::Closed);
    EXPECT_FALSE(panel->isEnabled());
    EXPECT_EQ(panel->geometry(), QRect(543, 0, 0, 264));
}

TEST_F(SplitViewTest, RepeatedRequestIsIgnoredAndTheOppositeOneReverses) {
    QSignalSpy opening(panel, &TqzSplitView::OnOpening);
    panel->setOpened(true);
    panel->slideTick();
    panel->slideTick();     // 116
    panel->setOpened(true); // the settings button pressed again while opening
    EXPECT_EQ(opening.count(), 1);
    panel->setOpened(false);
    EXPECT_EQ(panel->slideState(), TqzSplitView::SlideState::Closing);
    panel->slideTick();
    EXPECT_EQ(panel->width(), 116 - 116 / 3);
    panel->setOpened(true); // reversed again: opens from where it is
    panel->slideTick();
    EXPECT_EQ(panel->width(), 78 + (200 - 78) / 6);
    run();
    EXPECT_TRUE(panel->opened());
}

TEST_F(SplitViewTest, StaysGluedToTheRightEdgeAndIgnoresOtherGeometry) {
    panel->setAnimation(false);
    panel->setOpened(true);
    EXPECT_EQ(panel->geometry(), QRect(343, 0, 200, 264));
    host.show();
    host.resize(643, 300);
    EXPECT_EQ(panel->geometry(), QRect(443, 0, 200, 300));
    panel->setGeometry(0, 0, 50, 50);
    EXPECT_EQ(panel->geometry(), QRect(443, 0, 200, 300));
    panel->setOpened(false);
    EXPECT_EQ(panel->geometry(), QRect(643, 0, 0, 300));
    EXPECT_FALSE(panel->isEnabled());
}

} // namespace
